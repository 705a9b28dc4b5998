# Pipes and links to devices where the show expects files: a pipe or a link to /dev/zero as the
# --list source or as the show's template is refused at once and the show says why; a pipe in
# place of the settings file is not read, and the show starts with the defaults. Nothing waits
# for a writer or reads without end.
source "$(dirname "$0")/lib/common.bash" "$1"
export GLIMMERFRAME_TRACE=1
start_xvfb 640x480
mkfifo "$WORK/pipe.txt"
ln -s /dev/zero "$WORK/zero.txt"

for f in pipe.txt zero.txt; do
    status=0
    timeout 5 "$GF" --list "$WORK/$f" >"$WORK/list.json" 2>/dev/null || status=$?
    [ "$status" -ne 124 ] || fail "--list of $f did not answer within 5 s"
    grep -qF "\"error\": \"Cannot open $WORK/$f: it is not a regular file\"" "$WORK/list.json" ||
        fail "--list of $f: $(cat "$WORK/list.json")"

    settings "ImagePath=$WORK/" "ImageListFile=$f" "AllImages=0"
    start_show
    trace_line "E: MainForm LoadFiles with error Cannot open $WORK/$f: it is not a regular file"
    trace_line "S: MainForm LoadImage"
    end_with_key
done

rm "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
mkfifo "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
start_show
trace_line "S: MainForm LoadImage"
end_with_key
grep -qF "The settings in $XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf are not read: it is not a regular file" \
    "$WORK/show.err" || fail "no word on the settings file: $(head -5 "$WORK/show.err")"
echo "ok"
