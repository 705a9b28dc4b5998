#!/usr/bin/env bash
# The settings window under Xvfb: no arguments open "Glimmerframe Settings", Escape closes it
# without storing and ends the process; "/c:4321" opens it too.
set -euo pipefail
exe="$1"
work="$(mktemp -d)"
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    # Waited for, so that its late exit cannot remove the next test's display socket.
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients; a server
# that does not answer (another one raced for the same display) is replaced.
start_xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || return 1
    export DISPLAY=":$(head -1 "$work/display")"
    xdpyinfo >/dev/null 2>&1
}
for attempt in 1 2 3; do
    start_xvfb && break
    kill "$xvfb" 2>/dev/null || true
    xvfb=""
    [ "$attempt" = 3 ] && { echo "FAIL: Xvfb did not start"; exit 1; }
done
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM

open_and_escape() {
    local win="" try
    # Now and then a fresh Xvfb turns the program's first connection away; that is the
    # server's trouble, not the window's, so such a start is tried again.
    for try in 1 2 3; do
        "$exe" "$@" 2>"$work/stderr" &
        app=$!
        for _ in $(seq 100); do
            win="$(xdotool search --onlyvisible --name '^Glimmerframe Settings$' 2>/dev/null | head -1 || true)"
            [ -n "$win" ] && break
            kill -0 "$app" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$win" ] && break
        grep -q 'could not connect to display' "$work/stderr" || break
        wait "$app" 2>/dev/null || true
        sleep 0.5
    done
    if [ -z "$win" ]; then
        echo "FAIL: no settings window for arguments '$*'"; cat "$work/stderr"; exit 1
    fi
    # Escape through the keyboard, repeated in case the first one came before the window took it.
    for _ in $(seq 20); do
        xdotool windowfocus "$win" >/dev/null 2>&1 || true
        xdotool key Escape >/dev/null 2>&1 || true
        for _ in $(seq 5); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$app" 2>/dev/null || break
    done
    if kill -0 "$app" 2>/dev/null; then
        echo "FAIL: the process lives on after its window closed"; exit 1
    fi
    wait "$app" || { echo "FAIL: exit status $?"; exit 1; }
    app=""
}

open_and_escape
open_and_escape /c:4321
if [ -e "$work/config/Brindlewick/Glimmerframe.conf" ]; then
    echo "FAIL: Cancel stored settings"; exit 1
fi
echo "1 passed, 0 failed"
