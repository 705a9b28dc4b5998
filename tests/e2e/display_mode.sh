#!/usr/bin/env bash
# The show as a display program inside a host's 640 x 480 window: slides are drawn in it, a
# resize is followed, SIGTERM ends it with nothing left behind; bad options are refused with
# status 1.
source "$(dirname "$0")/lib/common.bash" "$1"
program="$GF"
work="$WORK"
host="$(dirname "$program")/../../tests/preview_host"
samples="$(cd "$(dirname "$0")/../../samples" && pwd)"
start_xvfb 1024x768 -br
export TMPDIR="$WORK/tmp"
mkdir -p "$TMPDIR"
# Share of pixels in a region of a screenshot that are not black.
lit() { convert "$1" -crop "$2" +repage -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Screenshots once they show what is checked below: a slide in the window, then one at its new
# size and nothing beyond it.
shot_big="import -window root $work/big.png && awk -v l=\"\$(convert $work/big.png -crop 640x480+0+0 +repage -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:)\" 'BEGIN { exit !(l > 0.3) }'"
shot_small="import -window root $work/small.png && awk -v l=\"\$(convert $work/small.png -crop 400x300+0+0 +repage -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:)\" -v o=\"\$(convert $work/small.png -crop 240x180+400+300 +repage -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:)\" 'BEGIN { exit !(l > 0.3 && o < 0.01) }'"
"$host" 640x480 "until $shot_big" alive "resize 400x300" "until $shot_small" alive term \
    "expect-exit 10000" -- "$program" -window-id '{id}' --folder "$samples" --dissolve Normal \
    --interval 1 || fail "the show in a host window"
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
# The host's switch with a dash is no display-mode option: it does nothing and ends.
set +e
timeout 10 "$program" -s >"$work/out" 2>"$work/err"; status=$?
set -e
[ "$status" = 0 ] || fail "-s ended with status $status: $(cat "$work/err")"
[ ! -s "$work/out" ] && [ ! -s "$work/err" ] || fail "-s said something: $(cat "$work/out" "$work/err")"
