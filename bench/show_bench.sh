#!/usr/bin/env bash
# Figures of the show on screen, under its own Xvfb (run on demand, nothing is asserted):
#   time from start to the first slide painted (24-megapixel JPEG, "Normal", full screen),
#   CPU share between slides and during a DissolveDelay 200 curtain (1920 x 1080),
#   peak resident memory while showing 24-megapixel JPEGs,
#   time of "Random Blocks" with Blocks 50 at DissolveDelay 0 on 3840 x 2160.
# Usage: bench/show_bench.sh [path/to/glimmerframe]   (default: the release build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
gf="${1:-$root/build/release/src/app/glimmerframe}"
[ -x "$gf" ] || { echo "build the release preset first (or pass the program)" >&2; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-bench.XXXXXX")"
xvfb="" show=""
trap '[ -n "$show" ] && kill -9 $show 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" GLIMMERFRAME_TRACE=1
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$XDG_RUNTIME_DIR" "$work/pics"
chmod 700 "$XDG_RUNTIME_DIR"
hz=$(getconf CLK_TCK)

now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

screen() {
    [ -n "$xvfb" ] && kill $xvfb 2>/dev/null && wait $xvfb 2>/dev/null || true
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    until [ -s "$work/display" ]; do sleep 0.05; done
    export DISPLAY=":$(head -n1 "$work/display")"
    : >"$work/display"
}

settings() {
    printf '%s\n' "[General]" "AllImages=1" "ImagePath=$work/pics/" "Blocks=50" \
        "MouseSensitivity=500" "IgnoreMouse=1" "$@" >"$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
}

# start: runs the show; its trace lines go to $work/trace with a millisecond stamp each.
start() {
    : >"$work/trace"
    started=$(now_ms)
    # Stamped without a process per line, so tracing does not slow the show down.
    "$gf" /S 2> >(while IFS= read -r l; do t=${EPOCHREALTIME/./}; echo "$((t / 1000)) $l"; done \
        >>"$work/trace") &
    show=$!
}
stop() { kill -TERM $show; wait $show 2>/dev/null || true; show=""; }
# stamp TEXT: time of the first trace line with TEXT, waiting for it.
stamp() {
    for _ in $(seq 600); do
        t=$(grep -m1 -F "$1" "$work/trace" | cut -d' ' -f1) && [ -n "$t" ] && { echo "$t"; return; }
        sleep 0.05
    done
    echo "bench: '$1' never came" >&2; exit 1
}

echo "making 24-megapixel JPEGs..."
for c in red:blue green:yellow purple:orange; do
    convert -size 6000x4000 "gradient:${c%:*}-${c#*:}" -attenuate 0.3 +noise Uniform \
        -quality 90 "$work/pics/${c%:*}.jpg"
done

screen 1920x1080
settings "FullScreen=1" "DissolveType=Normal" "ImageInterval=30" "DissolveDelay=0"
start
first=$(stamp "E: MainForm NormalDisplay")
echo "first slide painted (24 MP JPEG, Normal, full screen): $((first - started)) ms after start"
sleep 1
a=$(cpu_ticks $show); sleep 5; b=$(cpu_ticks $show)
echo "CPU between slides: $(awk "BEGIN { printf \"%.2f\", 100 * ($b - $a) / $hz / 5 }")% of a core"
stop

settings "FullScreen=1" "DissolveType=Left To Right" "ImageInterval=30" "DissolveDelay=200"
start
stamp "S: MainForm NormalCurtainDisplay" >/dev/null
sleep 0.5
a=$(cpu_ticks $show); sleep 5; b=$(cpu_ticks $show)
echo "CPU during a DissolveDelay 200 curtain: $(awk "BEGIN { printf \"%.2f\", 100 * ($b - $a) / $hz / 5 }")% of a core"
stop

settings "FullScreen=1" "DissolveType=Random Blocks" "ImageInterval=1" "DissolveDelay=0"
start
sleep 8
echo "peak resident memory over 24 MP JPEG slides: $(awk '/VmHWM/ { printf "%.0f MB", $2 / 1024 }' /proc/$show/status)"
stop

screen 3840x2160
settings "FullScreen=1" "DissolveType=Random Blocks" "ImageInterval=30" "DissolveDelay=0"
start
s=$(stamp "S: MainForm RandomBlockPaint")
e=$(stamp "E: MainForm RandomBlockPaint")
echo "Random Blocks, Blocks 50, DissolveDelay 0, 3840 x 2160: $((e - s)) ms"
stop
