# glimmerframe.scr /P inside a host's window under Wine (preview_host, another process): the
# white box fills the host's window with the picture in its middle, the boxes seen from the host;
# the preview ends with status 0 when the host's window closes, when it is destroyed without a
# close request, and when the hosted box is asked to close while the host's window stays; "/P 0",
# "/P" alone and a handle of no window end at once; "/A" says where the password is changed. Wine
# draws no window of one process inside another's, so the pixels are win32_tests' to check,
# painting the boxes in one process.
# Usage: preview.sh PROGRAM SESSION WINE-RUN PREVIEW-HOST CLOSE-WINDOW-TOOL
source "$(dirname "$0")/lib.bash" "$@"
host="$4"
scr="$(windows_path "$GF")"
win_settings "ImageInterval=30"

# 152 x 112: the 93 x 53 picture at 30..123 x 30..83. The poll runs every 30 ms; the deadlines
# are for Wine ending a process on a busy machine.
for end in close destroy close-box; do
    win_show "$host" 152x112 "boxes 30,30,123,83" alive "$end" "expect-exit 20000" \
        -- "$scr" /P '{id}'
    wait_exit 90
done
win_show "$host" 400x300 "boxes 154,124,247,177" close "expect-exit 20000" \
    -- "$scr" /p '{id}'
wait_exit 90
for args in "/P 0" "/P" "/p 2147483000"; do
    # shellcheck disable=SC2086
    win_show "$host" 152x112 "expect-exit 20000" -- "$scr" $args
    wait_exit 90
done
# "/A": on the NT family the sign-in password guards the screen; a message says so, owned by the
# host's window, and the program ends when it is put away.
win_show "$host" 152x112 "expect-exit 60000" -- "$scr" /A '{id}'
wait_window Glimmerframe >/dev/null
"$WINE_RUN" --prefix "$PREFIX" "$5" Glimmerframe || fail "no message to close"
wait_exit 90
echo "ok"
