#!/usr/bin/env bash
# Peak resident memory and time of one decode by the show's Qt decoder (at a 1920 x 1080 screen),
# for each file declaring a huge size in the decode-budget fuzz corpus, and for real photos of 24
# and 100 megapixels, baseline and progressive, made here with cjpeg (nothing is asserted).
# Usage: bench/decode_budget_bench.sh [build folder]   (default: build/ci, with
#   cmake --build --preset ci --target picture_budget_qt_fuzz_replay)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
replay="${1:-$root/build/ci}/tests/picture_budget_qt_fuzz_replay"
[ -x "$replay" ] || { echo "build picture_budget_qt_fuzz_replay first" >&2; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-budget.XXXXXX")"
trap 'rm -rf "$work"' EXIT

one() { # name file
    mkdir -p "$work/one" && rm -f "$work/one"/* && cp "$2" "$work/one/"
    GLIMMERFRAME_SAY_OUTCOME=1 /usr/bin/time -f "%M %e" -o "$work/time" "$replay" "$work/one" \
        >"$work/out" 2>/dev/null || true
    read -r kb seconds <"$work/time"
    printf '%-32s %9s bytes  peak %4d MB  %6.2f s  %s\n' "$1" "$(stat -c %s "$2")" $((kb / 1024)) \
        "$seconds" "$(head -1 "$work/out" | sed 's/.*: //')"
}

for f in "$root"/fuzz/corpus/picture_budget_qt_fuzz/*; do
    one "$(basename "$f")" "$f"
done
if command -v cjpeg >/dev/null; then
    for size in "6000 4000" "10000 10000"; do
        read -r w h <<<"$size"
        python3 -c "
import sys
w, h = $w, $h
row = bytes((x * 255 // w) for x in range(w) for _ in range(3))
sys.stdout.buffer.write(b'P6 %d %d 255\n' % (w, h))
for y in range(h): sys.stdout.buffer.write(row)" >"$work/photo.ppm"
        cjpeg -quality 90 "$work/photo.ppm" >"$work/photo-${w}x$h.jpg"
        cjpeg -quality 90 -progressive "$work/photo.ppm" >"$work/photo-${w}x$h-progressive.jpg"
        rm -f "$work/photo.ppm"
        one "photo-${w}x$h.jpg" "$work/photo-${w}x$h.jpg"
        one "photo-${w}x$h-progressive.jpg" "$work/photo-${w}x$h-progressive.jpg"
    done
fi
