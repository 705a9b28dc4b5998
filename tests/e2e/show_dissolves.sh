# A template show on a 800 x 600 screen: after one block, one curtain and one slide-in dissolve
# the picture is in its box, the background around it and the comment at the bottom left; a key
# ends the show at once with status 0. A fade shows the old and the new picture blended on its
# way, ends with the new one alone, and a key in the middle of it ends the show.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 800x600
picture "$WORK/red.png" 200x100 "#ff0000"

for dissolve in "Random Blocks" "Top/Bottom To Center" "Slide Left To Center"; do
    printf 'SOUNDSYNC=1\r\n\r\nIMAGE=red.png\r\nDISSOLVE=%s\r\nHello there\r\nBACKGROUND=Dark Green\r\nFOREGROUND=Yellow\r\n' \
        "$dissolve" >"$WORK/show.txt"
    settings "ImagePath=$WORK/" "ImageListFile=show.txt" "AllImages=0"
    start_show
    wait_pixel 400 300 "255,0,0"
    # The comment comes once the dissolve is over: yellow text at the bottom left.
    wait_shot 30 share_above 255,255,0 5 560 150 40 0.02 ||
        fail "$dissolve: no comment text at the bottom left ($(share_of 255,255,0 5 560 150 40))"
    # The 200 x 100 picture is centred: 300..500 x 250..350.
    expect_pixel 305 255 "255,0,0" "$dissolve: picture"
    expect_pixel 488 344 "255,0,0" "$dissolve: picture"
    expect_pixel 290 300 "0,132,0" "$dissolve: background"
    expect_pixel 400 240 "0,132,0" "$dissolve: background"
    expect_pixel 20 20 "0,132,0" "$dissolve: background"
    expect_pixel 2 590 "0,132,0" "$dissolve: comment background"
    end_with_key
    no_temp_folders
done

# blended X Y: the pixel holds both red and blue, as a fade from one to the other shows them.
blended() {
    local r g b
    IFS=, read -r r g b <<<"$(pixel "$1" "$2")"
    [ "$r" -ge 40 ] && [ "$b" -ge 40 ] && [ "$g" -le 30 ]
}
picture "$WORK/blue.png" 200x100 "#0000ff"
printf 'SOUNDSYNC=1\r\n\r\nIMAGE=red.png\r\nDISSOLVE=Normal\r\n\r\nIMAGE=blue.png\r\nDISSOLVE=Fade\r\n' \
    >"$WORK/show.txt"
settings "ImagePath=$WORK/" "ImageListFile=show.txt" "AllImages=0" "ImageInterval=1" \
    "DissolveDelay=200"
start_show
wait_pixel 400 300 "255,0,0"
wait_shot 30 blended 400 300 || fail "Fade: no blend of red and blue, last $(pixel 400 300)"
wait_pixel 400 300 "0,0,255"
# The next round: a key while the fade blends ends the show.
wait_pixel 400 300 "255,0,0"
wait_shot 30 blended 400 300 || fail "Fade: no second blend, last $(pixel 400 300)"
end_with_key
no_temp_folders
echo "ok"
