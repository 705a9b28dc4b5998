#!/usr/bin/env bash
# Figures of the show on screen, under its own Xvfb (run on demand, nothing is asserted):
#   decode to display: what a 24-megapixel JPEG adds over a tiny one from start to the first slide
#     painted (full screen, "Normal", median of 5), next to djpeg at the smallest scale that still
#     covers the shown size, in the same run;
#   from the slide timer's tick to the first painted step for 24-megapixel JPEGs, each read
#     ahead of its turn: from a folder in sequential and in random order, and from a package;
#   CPU share between slides and during a DissolveDelay 200 curtain (1920 x 1080);
#   peak resident memory while showing 24- and 100-megapixel JPEGs;
#   "Random Blocks" (Blocks 50) and "Slide Left To Center" at DissolveDelay 0 on 3840 x 2160:
#     time and CPU share, and per step from the offscreen slide-in bench when it is built.
# Usage: bench/show_bench.sh [path/to/glimmerframe]   (default: the release build)
#        bench/show_bench.sh --windows [glimmerframe.scr]   the tick figures of the Windows
#                                                           program under Wine (default: the
#                                                           windows-x64 build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/show.bash"
choose_program "$@"
command -v cjpeg >/dev/null || { echo "djpeg and cjpeg are needed (scripts/setup installs them)" >&2; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-bench.XXXXXX")"
xvfb="" show=""
trap '[ -n "$show" ] && kill -9 $show 2>/dev/null; [ -n "$windows" ] && wine_run --shutdown >/dev/null 2>&1
    [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" GLIMMERFRAME_TRACE=1
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$XDG_RUNTIME_DIR" "$work/pics" "$work/tiny" "$work/one" \
    "$work/huge"
chmod 700 "$XDG_RUNTIME_DIR"
hz=$(getconf CLK_TCK)

source "$root/bench/screen.bash"

share() { awk "BEGIN { printf \"%.1f\", 100 * ($2 - $1) / $hz / ($3 / 1000) }"; }

echo "making the photos (24 megapixels, then 100)..."
for c in red:blue green:yellow purple:orange; do
    convert -size 6000x4000 "gradient:${c%:*}-${c#*:}" -attenuate 0.3 +noise Uniform \
        -quality 90 "$work/pics/${c%:*}.jpg"
done
cp "$work/pics/red.jpg" "$work/one/"
convert -size 64x48 gradient:red-blue -quality 90 "$work/tiny/tiny.jpg"
# Tick to the first painted step, slides 2 to 6 (median); with --package the photos come from a
# package, packed with the same settings.
tick_to_paint() {
    local program=""
    if [ "${1:-}" = --package ]; then
        shift
        program="$(pack "FullScreen=1" "DissolveType=Normal" "ImageInterval=1" "DissolveDelay=0" "$@")"
    fi
    settings pics "FullScreen=1" "DissolveType=Normal" "ImageInterval=1" "DissolveDelay=0" "$@"
    start $program
    for i in 2 3 4 5 6; do
        echo $(($(stamp "E: MainForm NormalDisplay" $i) - $(stamp "S: MainForm Timer1" $i)))
    done | median
    stop
}
# pack KEY=VALUE...: the path of a package of the photos, which carries these settings.
pack() {
    settings pics "$@"
    {
        printf 'SOUNDSYNC=1\r\n'
        for p in "$work"/pics/*.jpg; do
            printf '\r\nIMAGE=%s\r\n' "$([ -n "$windows" ] && winpath "$p" || echo "$p")"
        done
    } >"$work/show.txt"
    rm -f "$work/show.scr"
    if [ -n "$windows" ]; then
        wine_run "$gf" --pack "$(winpath "$work/show.txt")" -o "$(winpath "$work/show.scr")" \
            >/dev/null 2>&1 </dev/null
    else
        "$gf" --pack "$work/show.txt" -o "$work/show.scr" >/dev/null 2>&1
    fi
    [ -f "$work/show.scr" ] || { echo "bench: the package was not written" >&2; exit 1; }
    echo "$work/show.scr"
}
tick_figures() {
    echo "tick to first painted step, 24 MP JPEGs read ahead:" \
        "$(tick_to_paint) ms sequential, $(tick_to_paint "ImageOrderRandom=1") ms random order;" \
        "from a package $(tick_to_paint --package) ms sequential," \
        "$(tick_to_paint --package "ImageOrderRandom=1") ms random order"
}
if [ -n "$windows" ]; then
    screen 1920x1080
    wine_run --boot >/dev/null 2>&1
    echo "Windows under Wine, 1920 x 1080:"
    tick_figures
    exit 0
fi

# 6000 x 16800 (100.8 megapixels): the 24-megapixel photos stacked, streamed through the encoder
# (ImageMagick's own limits stop short of this size).
for c in red green; do
    djpeg -pnm "$work/pics/$c.jpg" | tail -c +18 >"$work/rows"
    {
        printf 'P6\n6000 16800\n255\n'
        cat "$work/rows" "$work/rows" "$work/rows" "$work/rows"
        head -c $((6000 * 3 * 800)) "$work/rows"
    } | cjpeg -quality 90 >"$work/huge/$c.jpg"
done
rm "$work/rows"

screen 1920x1080
# Decode to display: the first slide, five starts of each.
first_painted() {
    settings "$1" "FullScreen=1" "DissolveType=Normal" "ImageInterval=30" "DissolveDelay=0"
    for _ in 1 2 3 4 5; do
        start
        echo $(($(stamp "E: MainForm NormalDisplay") - started))
        stop
    done | median
}
tiny=$(first_painted tiny)
big=$(first_painted one)
# Shown 1620 x 1080 (6000 x 4000 fitted to 1920 x 1080); djpeg scales by N/8.
n=1
while [ $((6000 * n)) -lt $((1620 * 8)) ] || [ $((4000 * n)) -lt $((1080 * 8)) ]; do n=$((n + 1)); done
djpeg_ms=$(for _ in 1 2 3 4 5; do
    s=$(now_ms)
    djpeg -scale "$n/8" -outfile /dev/null "$work/one/red.jpg"
    echo $(($(now_ms) - s))
done | median)
echo "first slide painted: tiny JPEG $tiny ms, 24 MP JPEG $big ms after start;" \
    "the photo adds $((big - tiny)) ms"
echo "djpeg -scale $n/8 of the same photo: $djpeg_ms ms;" \
    "ratio $(awk "BEGIN { printf \"%.2f\", ($big - $tiny) / $djpeg_ms }")"

tick_figures

settings pics "FullScreen=1" "DissolveType=Normal" "ImageInterval=30" "DissolveDelay=0"
start
stamp "E: MainForm NormalDisplay" >/dev/null
sleep 1
a=$(cpu_ticks $show); sleep 5; b=$(cpu_ticks $show)
echo "CPU between slides: $(share "$a" "$b" 5000)% of a core"
stop

settings pics "FullScreen=1" "DissolveType=Left To Right" "ImageInterval=30" "DissolveDelay=200"
start
stamp "S: MainForm NormalCurtainDisplay" >/dev/null
sleep 0.5
a=$(cpu_ticks $show); sleep 5; b=$(cpu_ticks $show)
echo "CPU during a DissolveDelay 200 curtain: $(share "$a" "$b" 5000)% of a core"
stop

for set in pics huge; do
    settings $set "FullScreen=1" "DissolveType=Random Blocks" "ImageInterval=1" "DissolveDelay=0"
    start
    sleep 8
    echo "peak resident memory over $([ $set = pics ] && echo 24 || echo 100) MP JPEG slides:" \
        "$(awk '/VmHWM/ { printf "%.0f MB", $2 / 1024 }' /proc/$show/status)"
    stop
done

screen 3840x2160
settings pics "FullScreen=1" "DissolveType=Random Blocks" "ImageInterval=30" "DissolveDelay=0"
start
s=$(stamp "S: MainForm RandomBlockPaint")
e=$(stamp "E: MainForm RandomBlockPaint")
echo "Random Blocks, Blocks 50, DissolveDelay 0, 3840 x 2160: $((e - s)) ms"
stop

# A picture that fits the screen slides; 2560 x 1707 is what 6000 x 4000 becomes on it.
convert "$work/one/red.jpg" -resize 2560x1707 "$work/tiny/slide.jpg"
rm "$work/tiny/tiny.jpg"
settings tiny "FullScreen=0" "DissolveType=Slide Left To Center" "ImageInterval=30" "DissolveDelay=0"
start
s=$(stamp "S: MainForm SlideLeft2Center")
a=$(cpu_ticks $show)
e=$(stamp "E: MainForm SlideLeft2Center")
b=$(cpu_ticks $show)
steps=$(grep -c "S: MainForm Pause" "$work/trace")
echo "Slide Left To Center, DissolveDelay 0, 3840 x 2160: $((e - s)) ms, $steps steps," \
    "$(awk "BEGIN { printf \"%.2f\", ($e - $s) / $steps }") ms a step, CPU $(share "$a" "$b" $((e - s)))% of a core"
stop
per_step="$(dirname "$gf")/../../bench/slide_in_qt_bench"
if [ -x "$per_step" ]; then
    env -u GLIMMERFRAME_TRACE "$per_step" 2>/dev/null
else
    echo "(build slide_in_qt_bench for the area each slide-in step repaints)"
fi
