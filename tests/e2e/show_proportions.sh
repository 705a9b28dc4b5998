# Pictures keep their proportions: a 3000 x 1000 picture with "Original" size on a 1280 x 720
# screen is shown 1280 x 427, also by a slide-in dissolve; a top-down BMP shows.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 1280x720
mkdir "$WORK/pictures"
picture "$WORK/pictures/wide.bmp" 3000x1000 "#00ff00"
# The shown picture's size: the screenshot with the black around it cut off.
shown_size() {
    convert "$WORK/shot.png" -fuzz 10% -trim -format '%wx%h' info:
}
for dissolve in "Normal" "Slide Left To Center"; do
    settings "ImagePath=$WORK/pictures" "AllImages=1" "FullScreen=0" "DissolveType=$dissolve"
    start_show
    wait_pixel 640 360 "0,255,0"
    size="$(shown_size)"
    case "$size" in 1280x42[678]) ;; *) fail "$dissolve: shown $size, expected 1280 x 427" ;; esac
    expect_pixel 640 100 "0,0,0" "$dissolve: black above"
    end_with_key
done

# Rows stored from the top down: the header's height is negative.
rm "$WORK/pictures/wide.bmp"
convert -size 200x100 xc:"#ff0000" bmp3:"$WORK/pictures/top-down.bmp"
printf '\x9c\xff\xff\xff' | dd of="$WORK/pictures/top-down.bmp" bs=1 seek=22 conv=notrunc status=none
settings "ImagePath=$WORK/pictures" "AllImages=1"
start_show
wait_pixel 640 360 "255,0,0"
end_with_key
echo "ok"
