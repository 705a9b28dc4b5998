# A first run, as after installing: no stored settings. /S plays the sample show found beside
# the program (its first picture on its dark blue background), with none of Qt's start-up notes
# on the terminal; an untouched settings window's Done stores that show without a word.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 1024x768
unset QT_QPA_PLATFORM
rm -f "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
samples="$(dirname "$GF")/samples"
[ -f "$samples/sample-show.txt" ] || fail "no sample show beside the program in $samples"

# Without XDG_RUNTIME_DIR, which Qt would otherwise complain about on the terminal.
XDG_RUNTIME_DIR='' start_show
# dawn.jpg, 800 x 600, centred: its sun (#ffe9a8) at 400,380 of the picture.
wait_shot 30 share_above 255,233,168 492 444 40 40 0.9 ||
    fail "no sample picture on the screen: $(pixel 512 464)"
expect_pixel 20 20 "0,0,165" "the first slide's Dark Blue background"
end_with_key
[ ! -s "$WORK/show.err" ] || fail "the show wrote to the terminal: $(cat "$WORK/show.err")"
# Asked for, Qt's notes come through with the trace.
GLIMMERFRAME_TRACE=1 XDG_RUNTIME_DIR='' start_show
wait_shot 30 share_above 255,233,168 492 444 40 40 0.9 || fail "no sample picture with the trace on"
end_with_key
grep -q "XDG_RUNTIME_DIR" "$WORK/show.err" || fail "Qt's note is missing from the trace"
grep -q "^S: Main$" "$WORK/show.err" || fail "no trace lines"

win=""
settings_window_shown() {
    win="$(xdotool search --onlyvisible --name '^Glimmerframe Settings$' 2>/dev/null | head -1 || true)"
    [ -n "$win" ]
}
start_program settings_window_shown "$GF" || fail "no settings window: $(cat "$WORK/program.err")"
# Done sits in the bottom right corner of the window.
eval "$(xdotool getwindowgeometry --shell "$win")"
for _ in $(seq 60); do
    xdotool mousemove $((X + WIDTH - 54)) $((Y + HEIGHT - 42)) click 1 >/dev/null 2>&1 || true
    for _ in $(seq 5); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
done
kill -0 "$PROGRAM_PID" 2>/dev/null && { shot; cp "$WORK/shot.png" /tmp/gf-fail.png; fail "Done did not close the window"; }
wait "$PROGRAM_PID" || fail "the settings window ended with status $?: $(cat "$WORK/program.err")"
PROGRAM_PID=""
conf="$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
grep -qx "ImagePath=$(realpath "$samples")/" "$conf" || fail "stored: $(cat "$conf")"
grep -qx "ImageListFile=sample-show.txt" "$conf" || fail "stored: $(cat "$conf")"
grep -qx "AllImages=0" "$conf" || fail "stored: $(cat "$conf")"
[ ! -s "$WORK/program.err" ] || fail "the window wrote to the terminal: $(cat "$WORK/program.err")"
echo "ok"
