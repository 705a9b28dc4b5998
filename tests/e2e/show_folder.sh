# A folder show (one BMP), full screen: the picture fills the width of the screen, black above and below.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 800x600
mkdir "$WORK/pictures"
picture "$WORK/pictures/wide.bmp" 200x100 "#0000ff"
settings "ImagePath=$WORK/pictures" "AllImages=1" "FullScreen=1"
start_show
wait_pixel 400 300 "0,0,255"
expect_pixel 2 102 "0,0,255" "left edge of the scaled picture"
expect_pixel 797 497 "0,0,255" "right edge of the scaled picture"
expect_pixel 400 50 "0,0,0" "black above"
expect_pixel 400 550 "0,0,0" "black below"
end_with_key
no_temp_folders
echo "ok"
