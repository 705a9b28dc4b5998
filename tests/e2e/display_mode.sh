#!/usr/bin/env bash
# The show as a display program inside a host's 640 x 480 window: slides are drawn in it, a
# resize is followed, SIGTERM ends it within a second with nothing left behind; bad options
# are refused with status 1.
set -euo pipefail
program=$(realpath "$1")
host="$(dirname "$program")/../../tests/preview_host"
samples="$(cd "$(dirname "$0")/../../samples" && pwd)"
work=$(mktemp -d)
xvfb=""
cleanup() {
    # Wait for the server to go: one still shutting down would remove the socket of the next
    # test's server on the same display.
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
mkdir -p "$XDG_RUNTIME_DIR" "$TMPDIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "FAIL: $*"; exit 1; }
# Share of pixels in a region of a screenshot that are not black.
lit() { convert "$1" -crop "$2" +repage -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

"$host" 640x480 "sleep 3000" "run import -window root $work/big.png" alive "resize 400x300" \
    "sleep 2500" "run import -window root $work/small.png" alive term "expect-exit 1000" -- \
    "$program" -window-id '{id}' --folder "$samples" --dissolve Normal --interval 1 ||
    fail "the show in a host window"
l=$(lit "$work/big.png" 640x480+0+0)
above "$l" 0.3 || fail "no slide in the 640 x 480 window (lit $l)"
l=$(lit "$work/big.png" 384x288+640+480)
above 0.01 "$l" || fail "drawn outside the host window (lit $l)"
l=$(lit "$work/small.png" 400x300+0+0)
above "$l" 0.3 || fail "no slide after the resize (lit $l)"
l=$(lit "$work/small.png" 240x180+400+300)
above 0.01 "$l" || fail "still drawing at the old size (lit $l)"
[ -z "$(ls -A "$TMPDIR")" ] || fail "left behind: $(ls -A "$TMPDIR")"

# Options are checked before anything is shown.
set +e
"$program" -root --sparkle 2>"$work/err"; status=$?
set -e
[ "$status" = 1 ] || fail "an unknown option ended with status $status"
grep -q "^usage: glimmerframe" "$work/err" || fail "no usage line: $(cat "$work/err")"
