# Templates of 10 MB whose comments held the show for minutes: 501 slides of short items, and one
# slide whose comment is 10 MB of words on one line. The comment shows, cut to the screen; a key
# 1 s after the slide starts ends the show, the process is gone within 2 s, and its peak memory
# stays under 600 MB.
source "$(dirname "$0")/lib/common.bash" "$1"
export GLIMMERFRAME_TRACE=1
start_xvfb 640x480
picture "$WORK/pic.png" 64x64 "#ff0000"

slide='IMAGE=pic.png\r\nBACKGROUND=Yellow\r\nFOREGROUND=Blue\r\n'
{
    printf 'SOUNDSYNC=1\r\n'
    for _ in $(seq 501); do
        printf "$slide"
        head -c 20000 < <(yes 'ab,ab,ab,ab,ab,ab,ab') | sed 's/$/\r/'
    done
} >"$WORK/items.txt"
{
    printf "SOUNDSYNC=1\r\n$slide"
    head -c 10000000 < <(yes word) | tr '\n' ' '
    printf '\r\n'
} >"$WORK/words.txt"

# The comment's blue text over the yellow label, from the bottom up.
comment_shown() {
    shot
    share_above 0,0,255 0 400 40 80 0.03 ||
        fail "no comment text with the $t template ($(share_of 0,0,255 0 400 40 80))"
}

for t in items words; do
    settings "ImagePath=$WORK/" "ImageListFile=$t.txt" "AllImages=0"
    start_show
    key_one_second_in "the $t template" comment_shown
done
echo "ok"
