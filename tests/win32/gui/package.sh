# A package that glimmerframe.scr --pack writes under Wine runs its own show with no other file of
# the program present: copied alone into an empty folder of the prefix's drive C:, its /S shows
# its first picture on its background; a key ends it with status 0 and nothing left in the
# temporary folder. With a Linux program, the package is written by it (--for windows-x64),
# says so in its --list, and runs just the same.
# Usage: package.sh PROGRAM SESSION WINE-RUN [LINUX-PROGRAM]
linux="${4:-}"
if [ -n "$linux" ] && [ ! -x "$linux" ]; then
    echo "SKIP: no Linux program at $linux to write the package (build the ci preset first)"
    exit 77
fi
source "$(dirname "$0")/lib.bash" "$@"
picture "$WORK/first.png" 320x240 "#ff00ff"
picture "$WORK/second.png" 320x240 "#00ff00"
printf '%s\r\n' 'SOUNDSYNC=1' '' "IMAGE=first.png" 'DISSOLVE=Top To Bottom' 'Packed' \
    'BACKGROUND=Dark Green' '' "IMAGE=second.png" >"$WORK/show.txt"
win_settings "ImageInterval=30"
if [ -n "$linux" ]; then
    settings "ImageInterval=30"
    "$linux" --pack "$WORK/show.txt" -o "$WORK/Trip.scr" --for windows-x64 >"$WORK/pack.out" 2>&1 ||
        fail "--pack --for windows-x64: $(cat "$WORK/pack.out")"
    program="$("$linux" --list "$WORK/Trip.scr" | jq -r .program)"
    [ "$program" = windows-x64 ] || fail "--list says the package's program is for $program"
else
    "$WINE_RUN" --prefix "$PREFIX" "$GF" --pack "$(windows_path "$WORK/show.txt")" \
        -o "$(windows_path "$WORK/Trip.scr")" >"$WORK/pack.out" 2>&1 ||
        fail "--pack: $(cat "$WORK/pack.out")"
fi
rm "$WORK/first.png" "$WORK/second.png" "$WORK/show.txt"
alone="$PREFIX/drive_c/gf-package-$$"
rm -rf "$alone"
mkdir "$alone"
mv "$WORK/Trip.scr" "$alone/"
trap 'rm -rf "$alone"; cleanup' EXIT

win_show 'C:\'"gf-package-$$\\Trip.scr"
wait_window "Screen Saver Main Form" >/dev/null
wait_pixel 400 300 "255,0,255" 60
expect_pixel 20 20 "0,132,0" "the packed background"
[ -z "${GF_KEEP_SHOT:-}" ] || cp "$WORK/shot.png" "$GF_KEEP_SHOT"
until_ended xdotool key space
no_scratch_folders
[ "$(ls "$alone")" = Trip.scr ] || fail "beside the package: $(ls "$alone")"
echo "ok"
