# Whatever the slide's picture, a key or SIGTERM 1 s after the slide starts ends the show and the
# process is gone long before the picture could be done: a metafile that takes minutes to draw, a
# 100-megapixel photo (peak memory under 600 MB).
source "$(dirname "$0")/lib/common.bash" "$1"
export GLIMMERFRAME_TRACE=1
start_xvfb 1280x720
mkdir "$WORK/heavy" "$WORK/large"
metafile "$WORK/heavy/heavy.wmf" 65536
settings "ImagePath=$WORK/heavy" "AllImages=1" "FullScreen=1"

start_show
trace_line "S: MainForm LoadImage"
sleep 1
xdotool key space
wait_exit "$END_SECONDS"

start_show
trace_line "S: MainForm LoadImage"
sleep 1
kill -TERM "$SHOW_PID"
wait_exit "$END_SECONDS"

# 10000 x 10000 pixels, streamed into the encoder rather than made in memory.
{
    printf 'P6\n10000 10000\n255\n'
    head -c 300000000 /dev/zero | tr '\0' '\200'
} | cjpeg -quality 50 >"$WORK/large/large.jpg"
settings "ImagePath=$WORK/large" "AllImages=1" "ImageInterval=1"
start_show
trace_line "S: MainForm LoadImage"
sleep 1
peak=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$SHOW_PID/status")
xdotool key space
wait_exit "$END_SECONDS"
grep -q "with Error" "$WORK/show.err" && fail "the large photo was refused: $(grep 'with Error' "$WORK/show.err")"
[ "$peak" -lt 600 ] || fail "peak memory $peak MB with a 100-megapixel photo"
echo "ok (peak memory $peak MB)"
