#!/usr/bin/env bash
# A window of a Windows program under Wine and Xvfb: xdotool finds it by its caption, a
# screenshot shows its colour, and a key closes it with status 0.
# Usage: wine_window.sh TEST-WINDOW-PROGRAM WINE-RUN
# A prefix of its own, made under this Xvfb: a desktop that a prefix's first program made
# without a display (as the other tests run) would give this window none either.
source "$(dirname "$0")/../e2e/lib/common.bash" "$1"
wine_run="$2"
prefix="$WORK/wine-prefix"
trap '"$wine_run" --prefix "$prefix" --shutdown; cleanup' EXIT

start_xvfb 640x480
"$wine_run" --prefix "$prefix" --boot
"$wine_run" --prefix "$prefix" "$GF" 2>"$WORK/show.err" &
SHOW_PID=$!
window=""
for _ in $(seq 200); do
    window="$(xdotool search --name '^Glimmerframe test window$' 2>/dev/null | head -n1)" || true
    [ -n "$window" ] && break
    kill -0 "$SHOW_PID" 2>/dev/null || fail "the program ended early: $(cat "$WORK/show.err")"
    sleep 0.1
done
[ -n "$window" ] || fail "no window captioned \"Glimmerframe test window\" within 20 s"
wait_pixel 200 150 "32,96,160" 20
[ -z "${GF_KEEP_SHOT:-}" ] || cp "$WORK/shot.png" "$GF_KEEP_SHOT"
xdotool windowfocus --sync "$window" key space
wait_exit 10
echo "Wine showed the window and closed it on a key"
