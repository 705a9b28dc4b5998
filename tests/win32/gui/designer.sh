# The template designer under Wine, opened by the settings' "Edit": a row inserted and filled in
# through the entry editor (a picture, a two-line comment, a background), saved as a template
# that --list reads back as the same slides; "Package..." writes a package that lists its slides
# and runs its own show; Cancel while a package is written leaves no file behind.
# Usage: designer.sh PROGRAM SESSION WINE-RUN CONTROL-POSITION-TOOL
source "$(dirname "$0")/lib.bash" "$@"
POSITION="$4"
SAMPLES="$(dirname "$GF")/samples"
show="$WORK/show"
mkdir -p "$show"
cp "$SAMPLES/dawn.jpg" "$SAMPLES/dusk.bmp" "$SAMPLES/chime.wav" "$show/"
printf '%s\r\n' SOUNDSYNC=1 IMAGE=dawn.jpg 'DISSOLVE=Random Blocks' 'Good morning' \
    SOUND=chime.wav IMAGE=dusk.bmp >"$show/start.txt"
win_settings "ImagePath=$(windows_path "$show/")" ImageListFile=start.txt AllImages=0

# pattern TEXT: the text as a regular expression that matches it alone.
pattern() {
    printf '%s' "$1" | sed 's/[][\\.*^$(){}+?|]/\\&/g'
}
# press WINDOW KEY...: keys to the window that has the focus, which must be WINDOW.
press() {
    xdotool key --delay 30 "${@:2}"
}
# wait_file PATH [SECONDS]
wait_file() {
    local until=$((SECONDS + ${2:-60}))
    until [ -s "$1" ]; do
        [ $SECONDS -lt $until ] || fail "$1 was not written"
        sleep 0.1
    done
}
# save_as CAPTION PATH: the system's save dialog of that caption, given a full path.
save_as() {
    local dialog
    dialog="$(wait_window "$1")"
    press "$dialog" ctrl+a
    xdotool type --delay 10 "$(windows_path "$2")"
    press "$dialog" Return
}

win_show "$GF" /C
wait_window "Glimmerframe Settings" 30 >/dev/null
win_click "Glimmerframe Settings" Edit
designer="$(wait_window "Template Designer - $(pattern "$(windows_path "$show/start.txt")")")"

# The blank row at the end (after the eight commands in Tab order), then Insert: the editor opens
# on the new row. There: the image lists (Alt+I), dusk.bmp, a comment with "^" for its line
# break, the third background swatch (Dark Blue), and OK.
press "$designer" Tab Tab Tab Tab Tab Tab Tab Tab End alt+i
editor="$(wait_window "Template Edit")"
press "$editor" alt+i Tab Tab
xdotool type --delay 20 dusk
press "$editor" alt+m
xdotool type --delay 20 'Hello^World'
press "$editor" alt+b Right Right space Return
wait_gone "Template Edit"

press "$designer" alt+s
save_as "Save Template" "$show/out.txt"
wait_file "$show/out.txt"
win_run "$GF" --list "$(windows_path "$show/out.txt")" >"$WORK/list.json" || fail "--list: $?"
sed -e 's/\r$//' -e 's/\\\\/\//g' -e "s|Z:$show|<show>|g" "$WORK/list.json" >"$WORK/got.json"
cat >"$WORK/expected.json" <<'JSON'
{
  "source": "<show>/out.txt",
  "kind": "template",
  "soundMode": 1,
  "slides": [
    {
      "image": "<show>/dawn.jpg",
      "dissolve": "Random Blocks",
      "background": "Black",
      "foreground": "White",
      "comment": "Good morning\r\n",
      "sound": "<show>/chime.wav"
    },
    {
      "image": "<show>/dusk.bmp",
      "dissolve": "",
      "background": "Black",
      "foreground": "White",
      "comment": "",
      "sound": ""
    },
    {
      "image": "<show>/dusk.bmp",
      "dissolve": "Random",
      "background": "Dark Blue",
      "foreground": "White",
      "comment": "Hello\r\nWorld\r\n",
      "sound": ""
    }
  ],
  "asyncSounds": [],
  "error": null
}
JSON
diff -u "$WORK/expected.json" "$WORK/got.json" >&2 || fail "the saved template lists other slides"

# A package of the same rows, proposed as "out" beside the template.
press "$designer" alt+p
save_as "Create a standalone SCR" "$show/pack.scr"
wait_file "$show/pack.scr"
for _ in $(seq 600); do
    ls "$show"/.pack.scr.~* >/dev/null 2>&1 || break
    sleep 0.1
done
win_run "$show/pack.scr" --list "$(windows_path "$show/pack.scr")" >"$WORK/pack.json" ||
    fail "--list of the package: $?"
grep -q '"kind": "package"' "$WORK/pack.json" || fail "not a package: $(cat "$WORK/pack.json")"
grep -q '"count": 3' "$WORK/pack.json" || fail "the package lost slides: $(cat "$WORK/pack.json")"

# A large sound on the blank row (the list has the focus after a package; Enter edits), then
# "Cancel" while a package is written: neither it nor its part-written file remains. It is written
# here in a fraction of a second, so the program is held while the click is queued; should the
# writing still win the race, the package is removed and the cancel tried again.
head -c 60000000 /dev/zero >"$show/big.wav"
press "$designer" End Return
editor="$(wait_window "Template Edit")"
press "$editor" alt+s Tab Tab Home Return
wait_gone "Template Edit"
program=""
# Its command line starts with the program's Windows path, or (a 32-bit one) its Unix path.
for candidate in $(pgrep -f '^[^ ]*glimmerframe\.scr /C'); do
    grep -qzx "WINEPREFIX=$PREFIX" "/proc/$candidate/environ" 2>/dev/null && program=$candidate
done
[ -n "$program" ] || fail "no process of the program"
cancelled=""
for _ in 1 2 3 4 5; do
    win_click "$(xdotool getwindowname "$designer")" "Package..."
    save_as "Create a standalone SCR" "$show/cancelled.scr"
    for _ in $(seq 500); do
        ls "$show"/.cancelled.scr.~* >/dev/null 2>&1 && break
        sleep 0.01
    done
    kill -STOP "$program"
    at="$(win_run "$POSITION" "$(xdotool getwindowname "$designer")" Cancel | tr -d '\r')" || true
    # shellcheck disable=SC2086
    [ -z "$at" ] || xdotool mousemove $at click 1
    kill -CONT "$program"
    for _ in $(seq 200); do
        ls "$show"/.cancelled.scr.~* >/dev/null 2>&1 || break
        sleep 0.1
    done
    sleep 0.5
    ! ls "$show"/.cancelled.scr.~* >/dev/null 2>&1 || fail "a cancelled package left its part behind"
    if [ ! -e "$show/cancelled.scr" ]; then
        cancelled=yes
        break
    fi
    rm "$show/cancelled.scr"
done
[ -n "$cancelled" ] || fail "Cancel never stopped a package being written"

# Done with unsaved rows asks first ("No" saves nothing); then the settings are cancelled.
win_click "$(xdotool getwindowname "$designer")" Done
wait_window "Template Designer" >/dev/null
win_click "Template Designer" No
wait_gone "Template Designer"
win_click "Glimmerframe Settings" Cancel
wait_exit "$END_SECONDS"

# The package runs its own show, without the template or its pictures.
rm "$show"/*.jpg "$show"/*.bmp "$show"/*.wav "$show"/*.txt
win_show "$show/pack.scr" /S
wait_window "Screen Saver Main Form" >/dev/null
until_ended xdotool key space
echo "the designer edited, saved, packed and cancelled a package under Wine"
