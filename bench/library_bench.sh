#!/usr/bin/env bash
# Figures of a folder show over a photo library (run on demand, nothing is asserted): a tree of
# 50,000 pictures (100 folders of 10 folders of 50, each a small JPEG) shown with its subfolders,
# under its own Xvfb: the time from start to the first slide painted and to the end of the
# listing (the first run, then the median of 3 with the tree in the file cache), next to a show
# of one folder of 50, and `--list` of the tree.
# Usage: bench/library_bench.sh [path/to/glimmerframe]        (default: the release build)
#        bench/library_bench.sh --windows [glimmerframe.scr]   the Windows program under Wine
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/show.bash"
choose_program "$@"
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-library.XXXXXX")"
xvfb="" show=""
trap '[ -n "$show" ] && kill -9 $show 2>/dev/null; [ -n "$windows" ] && wine_run --shutdown >/dev/null 2>&1
    [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" GLIMMERFRAME_TRACE=1
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$XDG_RUNTIME_DIR" "$work/library"
chmod 700 "$XDG_RUNTIME_DIR"

source "$root/bench/screen.bash"

echo "making the library (50,000 pictures in 1,100 folders)..."
convert -size 640x480 gradient:red-blue -quality 85 "$work/photo.jpg"
# Links to one photo, folders copied as links: the listing reads names and kinds, not pictures.
mkdir -p "$work/library/001/01"
for c in $(seq -w 1 50); do ln "$work/photo.jpg" "$work/library/001/01/IMG_$c.jpg"; done
for b in $(seq -w 2 10); do cp -al "$work/library/001/01" "$work/library/001/$b"; done
for a in $(seq -w 2 100); do cp -al "$work/library/001" "$work/library/$a"; done

screen 1920x1080
[ -n "$windows" ] && wine_run --boot >/dev/null 2>&1
# run FOLDER KEY=VALUE...: start to the first slide painted and to the listing's end, each run
# on a line.
run() {
    settings "$@" "FullScreen=1" "DissolveType=Normal" "ImageInterval=30" "DissolveDelay=0"
    for _ in 1 2 3 4; do
        start
        echo "$(($(stamp "E: MainForm NormalDisplay") - started)) $(($(stamp "E: MainForm LoadFiles") - started))"
        stop
    done
}
# The first start reads the tree from the disk; the others find it in the file cache.
run library IncludeSubfolders=1 >"$work/runs"
read -r first listed <"$work/runs"
echo "50,000 pictures: first slide painted $first ms after start, listing done after $listed ms" \
    "(first run); then $(tail -n +2 "$work/runs" | cut -d' ' -f1 | median) ms and" \
    "$(tail -n +2 "$work/runs" | cut -d' ' -f2 | median) ms"
run library/001/01 IncludeSubfolders=0 >"$work/runs"
echo "one folder of 50 pictures: first slide painted $(tail -n +2 "$work/runs" | cut -d' ' -f1 | median) ms after start"

if [ -z "$windows" ]; then
    s=$(now_ms)
    count=$("$gf" --list "$work/library" 2>/dev/null | grep -o 'IMG_' | wc -l)
    echo "--list of the library: $count pictures in $(($(now_ms) - s)) ms"
fi
