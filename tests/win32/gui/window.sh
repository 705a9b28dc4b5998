# A window of a Windows program under Wine and Xvfb: xdotool finds it by its caption, a
# screenshot shows its colour, and a key closes it with status 0.
source "$(dirname "$0")/lib.bash" "$@"
win_show "$GF" /S # it ignores its arguments
window="$(wait_window "Glimmerframe test window")"
wait_pixel 200 150 "32,96,160" 60
[ -z "${GF_KEEP_SHOT:-}" ] || cp "$WORK/shot.png" "$GF_KEEP_SHOT"
xdotool windowfocus --sync "$window" key space
wait_exit 30
echo "Wine showed the window and closed it on a key"
