# The lock that keeps a second show out cannot be written (every write fails, as on a full
# disk): the show says why on standard error and runs all the same. A lock file that such a
# write left empty keeps no later show out either.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 640x480
picture "$WORK/a.png" 100x100 "#00ffff"
settings "ImagePath=$WORK/" "AllImages=1"
# A file-size limit of 0 makes every write fail; the signal that comes with it is ignored. What
# the show says goes through a pipe, as a file could not be written either.
(
    trap '' XFSZ
    ulimit -f 0
    exec "$GF" /S
) 2> >(cat >"$WORK/show.err") &
SHOW_PID=$!
wait_pixel 320 240 "0,255,255"
grep -q "glimmerframe: Cannot create the lock file that keeps a second show out, .*\.lock: .*; the show runs without it\." \
    "$WORK/show.err" || fail "no reason on standard error: $(cat "$WORK/show.err")"
end_with_key

lock="$XDG_RUNTIME_DIR/glimmerframe-$(id -u)-$(printf 'Screen Saver Main Form' | sha1sum | cut -c1-12).lock"
: >"$lock"
touch -d '1 minute ago' "$lock"
start_show
wait_pixel 320 240 "0,255,255"
[ ! -s "$WORK/show.err" ] || fail "the show wrote to the terminal: $(cat "$WORK/show.err")"
end_with_key
echo "ok"
