# A stand-alone package shows its first picture from its own file (a metafile too); a key ends it
# and its temporary folder goes with it. SIGTERM during a slow dissolve ends it within a second too.
source "$(dirname "$0")/lib/common.bash" "$1"
tool="$(dirname "$GF")/../../tests/make_test_package"
[ -x "$tool" ] || fail "make_test_package not built beside $GF"
start_xvfb 800x600
picture "$WORK/a.png" 300x200 "#ffff00"
picture "$WORK/b.png" 300x200 "#00ffff"
"$tool" "$GF" "$WORK/Beach.scr" 30 0 "$WORK/a.png:Left To Right:Dark Blue" "$WORK/b.png:Normal:Red"
chmod +x "$WORK/Beach.scr"

start_show "$WORK/Beach.scr"
wait_pixel 400 300 "255,255,0"
expect_pixel 20 20 "0,0,165" "the package's background"
[ -n "$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type d -name 'glimmerframe-*')" ] ||
    fail "the package shows without its temporary folder"
end_with_key
no_temp_folders

# A metafile in a package is known by its content, though its file is named ".pic".
metafile "$WORK/clip.wmf" 1
"$tool" "$GF" "$WORK/Clip.scr" 30 0 "$WORK/clip.wmf:Normal:Dark Blue"
chmod +x "$WORK/Clip.scr"
start_show "$WORK/Clip.scr"
wait_pixel 400 300 "255,255,255"
expect_pixel 20 20 "0,0,165" "the package's background"
end_with_key

# Slow random blocks: 100 blocks of 20 ms each; SIGTERM in the middle ends it.
"$tool" "$GF" "$WORK/Slow.scr" 30 200 "$WORK/a.png:Random Blocks:Black"
chmod +x "$WORK/Slow.scr"
start_show "$WORK/Slow.scr"
# The 300 x 200 picture sits at 250..550 x 200..400; its first blocks mean the dissolve runs.
wait_shot 30 share_above 255,255,0 250 200 300 200 0 || fail "the slow dissolve did not start"
kill -TERM "$SHOW_PID"
wait_exit "$END_SECONDS"
no_temp_folders
echo "ok"
