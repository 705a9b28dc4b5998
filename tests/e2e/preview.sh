#!/usr/bin/env bash
# The preview inside a host's window: the picture appears centred on the white box; destroying
# the host window or closing the hosted box ends the program within a second; "/P 0" ends at once.
set -euo pipefail
program=$(realpath "$1")
host="$(dirname "$program")/../../tests/preview_host"
work=$(mktemp -d)
xvfb=""
cleanup() {
    # Wait for the server to go: one still shutting down would remove the socket of the next
    # test's server on the same display.
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 640x480x24 -br -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

pixel() { convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:; }
fail() { echo "FAIL: $*"; exit 1; }

# 152 x 112 host window at the screen's top left: the white box fills it, the 93 x 53 picture
# sits in its middle (30..123, 30..83), the screen around stays black.
"$host" 152x112 "sleep 1500" "run import -window root $work/shot.png" alive destroy \
    "expect-exit 1000" -- "$program" /P '{id}' || fail "destroying the host window"
for at in "5 5" "146 106" "76 20" "76 95" "20 56"; do
    [ "$(pixel $at)" = "srgb(255,255,255)" ] || fail "not white at $at: $(pixel $at)"
done
for at in "200 200" "160 50"; do
    [ "$(pixel $at)" = "srgb(0,0,0)" ] || fail "not black at $at: $(pixel $at)"
done
for at in "40 35" "76 56" "115 78"; do
    case "$(pixel $at)" in
    "srgb(255,255,255)" | "srgb(0,0,0)") fail "no picture at $at" ;;
    esac
done

"$host" 152x112 "sleep 1000" alive close "expect-exit 1000" -- "$program" /P '{id}' ||
    fail "closing the hosted box"
"$host" 152x112 "expect-exit 1000" -- "$program" /P 0 || fail "/P 0"
"$host" 152x112 "expect-exit 1000" -- "$program" /P || fail "/P alone"
"$host" 152x112 "expect-exit 1000" -- "$program" /p 2147483000 || fail "a stale window id"
