# Pipes and links to devices where the show expects files: a pipe or a link to /dev/zero as the
# --list source or as the show's template is refused at once and the show says why; a pipe in
# place of the settings file is not read, and the show starts with the defaults. Nothing waits
# for a writer or reads without end: a slide's sound that claims gigabytes is not read whole
# either, and a key 1 s into that slide ends the show within 2 s, its memory under 600 MB.
source "$(dirname "$0")/lib/common.bash" "$1"
export GLIMMERFRAME_TRACE=1
start_xvfb 640x480
mkfifo "$WORK/pipe.txt"
ln -s /dev/zero "$WORK/zero.txt"

for f in pipe.txt zero.txt; do
    status=0
    timeout 30 "$GF" --list "$WORK/$f" >"$WORK/list.json" 2>/dev/null || status=$?
    [ "$status" -ne 124 ] || fail "--list of $f did not answer within 30 s"
    grep -qF "\"error\": \"Cannot open $WORK/$f: it is not a regular file\"" "$WORK/list.json" ||
        fail "--list of $f: $(cat "$WORK/list.json")"

    settings "ImagePath=$WORK/" "ImageListFile=$f" "AllImages=0"
    start_show
    trace_line "E: MainForm LoadFiles with error Cannot open $WORK/$f: it is not a regular file"
    trace_line "S: MainForm LoadImage"
    end_with_key
done

picture "$WORK/pic.png" 64x64 "#ff0000"
truncate -s 3G "$WORK/huge.wav"
printf 'RIFF\xff\xff\xff\xffWAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00data\xff\xff\xff\x7f' |
    dd of="$WORK/huge.wav" conv=notrunc 2>/dev/null
printf 'SOUNDSYNC=1\r\nIMAGE=pic.png\r\nSOUND=huge.wav\r\n' >"$WORK/sound.txt"
settings "ImagePath=$WORK/" "ImageListFile=sound.txt" "AllImages=0"
start_show
key_one_second_in "a sound of 3 GB"

rm "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
mkfifo "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
start_show
trace_line "S: MainForm LoadImage"
end_with_key
grep -qF "The settings in $XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf are not read: it is not a regular file" \
    "$WORK/show.err" || fail "no word on the settings file: $(head -5 "$WORK/show.err")"
echo "ok"
