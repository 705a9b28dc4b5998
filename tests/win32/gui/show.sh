# glimmerframe.scr /S under Wine, on the session's 800 x 600 screen: a template show puts the
# picture in the middle of the background colour with the comment at the bottom left; a missing
# sound changes nothing; a key ends the show with status 0 and nothing left in the temporary
# folder; a second /S while one runs ends at once. A sound that stops at once (no audio device)
# lets the next slide come; windows appearing under a still pointer are no mouse movement, a
# moving pointer is; a click ends the show, and so does the system asking it to close.
# Usage: show.sh PROGRAM SESSION WINE-RUN CLOSE-WINDOW-TOOL
source "$(dirname "$0")/lib.bash" "$@"
picture "$WORK/red.bmp" 200x100 "#ff0000"
picture "$WORK/blue.bmp" 200x100 "#0000ff"
cp "$(dirname "$0")/../../../samples/chime.wav" "$WORK/chime.wav"
folder="$(windows_path "$WORK/")"
printf 'SOUNDSYNC=1\r\n\r\nIMAGE=red.bmp\r\nDISSOLVE=Random Blocks\r\nHello there\r\nBACKGROUND=Dark Green\r\nFOREGROUND=Yellow\r\nSOUND=none.wav\r\n' \
    >"$WORK/show.txt"
win_settings "ImagePath=$folder" "ImageListFile=show.txt" "AllImages=0"

xdotool mousemove 400 300
win_show
wait_window "Screen Saver Main Form" >/dev/null
wait_pixel 400 300 "255,0,0" 60
wait_shot 30 share_above 255,255,0 5 560 150 40 0.02 ||
    fail "no comment text at the bottom left ($(share_of 255,255,0 5 560 150 40))"
# The 200 x 100 picture is centred: 300..500 x 250..350, Dark Green around it.
expect_pixel 305 255 "255,0,0" "picture"
expect_pixel 494 344 "255,0,0" "picture"
expect_pixel 290 300 "0,132,0" "background"
expect_pixel 20 20 "0,132,0" "background"
expect_pixel 2 595 "0,132,0" "comment background"
[ -z "${GF_KEEP_SHOT:-}" ] || cp "$WORK/shot.png" "$GF_KEEP_SHOT"

# One show at a time: a second one ends by itself, without a window.
timeout 60 "$WINE_RUN" --prefix "$PREFIX" "$GF" /S 2>"$WORK/second.err" ||
    fail "the second show failed or did not end by itself (status $?)"
kill -0 "$SHOW_PID" || fail "the first show ended"

until_ended xdotool key space
no_scratch_folders

# Sound mode 2 waits for each slide's sound; the tenth move of the pointer ends a show that
# counts ten, and its windows appearing under the still pointer count for nothing.
printf 'SOUNDSYNC=2\r\n\r\nIMAGE=red.bmp\r\nSOUND=chime.wav\r\n\r\nIMAGE=blue.bmp\r\nSOUND=chime.wav\r\n' \
    >"$WORK/show.txt"
win_settings "ImagePath=$folder" "ImageListFile=show.txt" "AllImages=0" "ImageInterval=1" \
    "IgnoreMouse=0" "MouseSensitivity=10"
win_show
wait_window "Screen Saver Main Form" >/dev/null
wait_pixel 400 300 "0,0,255" 60
for step in $(seq 9); do
    xdotool mousemove $((400 + 10 * step)) 300
    sleep 0.1
done
sleep 1
kill -0 "$SHOW_PID" || fail "the show ended before the tenth move"
until_ended xdotool mousemove_relative -- -10 0

# A click; the system asking the show to close.
not_black() { ! pixel_is "$1" "$2" "0,0,0"; }
win_settings "ImagePath=$folder" "ImageListFile=show.txt" "AllImages=0"
win_show
wait_window "Screen Saver Main Form" >/dev/null
# Clicked once it shows: a click while the window is still being mapped goes to the root window.
wait_shot 60 not_black 400 300 || fail "no slide to click on"
until_ended xdotool click 1
win_show
wait_window "Screen Saver Main Form" >/dev/null
"$WINE_RUN" --prefix "$PREFIX" "$4" "Screen Saver Main Form" || fail "no show window to close"
wait_exit "$END_SECONDS"
echo "ok"
