# One show at a time: a second /S ends at once while one runs; after kill -9 of a show a new
# /S starts again, and a killed package's stale temporary folder is removed at the next start.
source "$(dirname "$0")/lib/common.bash" "$1"
tool="$(dirname "$GF")/../../tests/make_test_package"
start_xvfb 640x480
picture "$WORK/a.png" 100x100 "#ff00ff"
"$tool" "$GF" "$WORK/Pack.scr" 30 0 "$WORK/a.png:Normal:Black"
chmod +x "$WORK/Pack.scr"

start_show "$WORK/Pack.scr"
first=$SHOW_PID
wait_pixel 320 240 "255,0,255"

started=$(now_ms)
"$WORK/Pack.scr" /S || fail "the second show failed"
[ $(($(now_ms) - started)) -lt 1500 ] || fail "the second show did not end at once"
kill -0 "$first" || fail "the first show ended"

kill -9 "$first"
wait "$first" 2>/dev/null || true
SHOW_PID=""
stale="$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type d -name 'glimmerframe-*')"
[ -n "$stale" ] || fail "the killed show left no folder to clean up (test set-up)"

start_show "$WORK/Pack.scr"
wait_pixel 320 240 "255,0,255"
[ ! -e "$stale" ] || fail "the stale folder $stale is still there"
end_with_key
no_temp_folders
echo "ok"
