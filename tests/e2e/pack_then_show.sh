# A package written by --pack runs its own show: its first picture, on its background, with the
# interval and delay of the settings it was packed with; a key ends it and nothing is left.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 800x600
picture "$WORK/first.png" 320x240 "#ff00ff"
picture "$WORK/second.png" 320x240 "#00ff00"
printf '%s\r\n' 'SOUNDSYNC=1' '' "IMAGE=first.png" 'DISSOLVE=Top To Bottom' 'Packed' \
    'BACKGROUND=Dark Green' '' "IMAGE=second.png" >"$WORK/show.txt"
settings "ImageInterval=30"
mkdir -p "$WORK/out"
"$GF" --pack "$WORK/show.txt" -o "$WORK/out/Trip.scr" 2>"$WORK/pack.err" ||
    fail "pack: $(cat "$WORK/pack.err")"
# The package must not depend on the source files any more.
rm "$WORK/first.png" "$WORK/second.png" "$WORK/show.txt"

start_show "$WORK/out/Trip.scr"
wait_pixel 400 300 "255,0,255"
expect_pixel 20 20 "0,132,0" "the packed background"
end_with_key
no_temp_folders
echo "1 passed, 0 failed"
