# Broken pictures (a truncated JPEG, an empty file, a PNG claiming 60000 x 60000 pixels, a JPEG
# claiming 65535 x 65535, a pipe, a link to /dev/zero, a link in a circle) show their error texts,
# each saying what is wrong, and the show goes on to the good picture.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 640x480
convert -size 400x300 gradient:red-blue "$WORK/whole.jpg"
head -c 1500 "$WORK/whole.jpg" >"$WORK/truncated.jpg"
: >"$WORK/empty.png"
printf '\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\xea\x60\x00\x00\xea\x60\x08\x02\x00\x00\x00\x0f\xb0\xe2\x15\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63\x60\xa0\x0c\x00\x00\x00\x40\x00\x01\xb7\x34\x7c\xef\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82' \
    >"$WORK/huge.png"
printf '\xff\xd8\xff\xc0\x00\x11\x08\xff\xff\xff\xff\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xd9' \
    >"$WORK/claims.jpg"
mkfifo "$WORK/pipe.jpg"
ln -s /dev/zero "$WORK/zero.wmf"
ln -s "$WORK/loop.jpg" "$WORK/loop.jpg"
picture "$WORK/good.png" 100x100 "#00ff00"
export GLIMMERFRAME_TRACE=1
printf 'SOUNDSYNC=1\r\n' >"$WORK/show.txt"
for p in empty.png huge.png claims.jpg pipe.jpg zero.wmf loop.jpg truncated.jpg good.png; do
    printf '\r\nIMAGE=%s\r\nSOUND=missing.wav\r\nBACKGROUND=Red\r\n' "$p" >>"$WORK/show.txt"
done
settings "ImagePath=$WORK/" "ImageListFile=show.txt" "AllImages=0" "ImageInterval=1"
start_show

# The error text: white on black at the bottom left, on a black screen.
wait_pixel 320 50 "0,0,0"
wait_shot 30 share_above 255,255,255 0 440 640 40 0.01 ||
    fail "no error text at the bottom ($(share_of 255,255,255 0 440 640 40))"
# ... and the show goes on to the good picture, on its red background.
wait_pixel 320 240 "0,255,0"
expect_pixel 20 20 "255,0,0" "background of the good slide"
end_with_key
for reason in "the file is empty" "too large (60000 x 60000" "too large (65535 x 65535" \
    "pipe.jpg: it is not a regular file" "zero.wmf: it is not a regular file" "circle"; do
    grep -qF "$reason" "$WORK/show.err" || fail "no error saying \"$reason\""
done
grep -q "Unknown error" "$WORK/show.err" && fail "an error says nothing: $(grep 'Unknown' "$WORK/show.err")"
echo "ok"
