# Folder mode shows every type the picture loader reads: a folder of PNG files only is a show,
# and --list lists it. A folder or a template without pictures says so, on the screen and in
# --list.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 640x480
mkdir "$WORK/photos" "$WORK/notes"
picture "$WORK/photos/a.png" 200x100 "#00ff00"
picture "$WORK/photos/b.PNG" 200x100 "#ff00ff"
echo "not a picture" >"$WORK/notes/readme.txt"

"$GF" --list "$WORK/photos" >"$WORK/list.json" || fail "--list of the PNG folder failed"
grep -q "\"image\": \"$WORK/photos/a.png\"" "$WORK/list.json" || fail "$(cat "$WORK/list.json")"
grep -q "\"image\": \"$WORK/photos/b.PNG\"" "$WORK/list.json" || fail "$(cat "$WORK/list.json")"
grep -q '"error": null' "$WORK/list.json" || fail "$(cat "$WORK/list.json")"

status=0
"$GF" --list "$WORK/notes" >"$WORK/list.json" 2>"$WORK/err" || status=$?
[ "$status" = 1 ] || fail "--list of a folder without pictures: status $status"
grep -q "The folder $WORK/notes/ holds no pictures: none of its files ends in .gif, .jpe,.*\.png" \
    "$WORK/err" || fail "message: $(cat "$WORK/err")"
grep -q '"error": "The folder ' "$WORK/list.json" || fail "$(cat "$WORK/list.json")"

settings "ImagePath=$WORK/photos" "AllImages=1" "ImageInterval=1"
start_show
wait_pixel 320 240 "0,255,0"
wait_pixel 320 240 "255,0,255"
end_with_key

# No pictures: the banner in the middle and the reason (red, as the text of a slide without
# colours) at the bottom, not a black screen.
settings "ImagePath=$WORK/notes" "AllImages=1"
start_show
wait_shot 30 share_above 255,0,0 0 400 640 80 0.03 ||
    fail "no reason at the bottom of the screen"
pixel_is 320 240 "0,0,0" && fail "no banner in the middle"
end_with_key

# A template whose keyword is misspelt names no picture, and says so the same way.
printf 'PICTURE=a.png\r\n' >"$WORK/photos/show.txt"
status=0
"$GF" --list "$WORK/photos/show.txt" >"$WORK/list.json" 2>"$WORK/err" || status=$?
[ "$status" = 1 ] || fail "--list of a template without pictures: status $status"
grep -qF "The template $WORK/photos/show.txt holds no pictures" "$WORK/err" ||
    fail "message: $(cat "$WORK/err")"
settings "ImagePath=$WORK/photos" "ImageListFile=show.txt" "AllImages=0"
start_show
wait_shot 30 share_above 255,0,0 0 400 640 80 0.03 ||
    fail "no reason at the bottom of the screen for the template"
end_with_key
echo "ok"
