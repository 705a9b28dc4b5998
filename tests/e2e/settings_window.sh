#!/usr/bin/env bash
# The settings window under Xvfb: no arguments open "Glimmerframe Settings", Escape closes it
# without storing and ends the process; "/c:4321" opens it too.
set -euo pipefail
exe="$1"
work="$(mktemp -d)"
display=":$((70 + RANDOM % 200))"
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

open_and_escape() {
    "$exe" "$@" 2>"$work/stderr" &
    app=$!
    local win=""
    for _ in $(seq 100); do
        win="$(xdotool search --name '^Glimmerframe Settings$' 2>/dev/null | head -1 || true)"
        [ -n "$win" ] && break
        sleep 0.1
    done
    if [ -z "$win" ]; then
        echo "FAIL: no settings window for arguments '$*'"; cat "$work/stderr"; exit 1
    fi
    sleep 0.5
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    xdotool key --window "$win" Escape
    for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
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
