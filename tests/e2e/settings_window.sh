#!/usr/bin/env bash
# The settings window under Xvfb: no arguments open "Glimmerframe Settings", Escape closes it
# without storing and ends the process; "/c:4321" opens it too.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 1024x768
unset QT_QPA_PLATFORM

win=""
settings_window_shown() {
    win="$(xdotool search --onlyvisible --name '^Glimmerframe Settings$' 2>/dev/null | head -1 || true)"
    [ -n "$win" ]
}

open_and_escape() {
    start_program settings_window_shown "$GF" "$@" ||
        fail "no settings window for arguments '$*': $(cat "$WORK/program.err")"
    # Escape through the keyboard, repeated in case the first one came before the window took it.
    for _ in $(seq 60); do
        xdotool windowfocus "$win" >/dev/null 2>&1 || true
        xdotool key Escape >/dev/null 2>&1 || true
        for _ in $(seq 5); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$PROGRAM_PID" 2>/dev/null || break
    done
    if kill -0 "$PROGRAM_PID" 2>/dev/null; then
        fail "the process lives on after its window closed"
    fi
    wait "$PROGRAM_PID" || fail "exit status $?"
    PROGRAM_PID=""
}

open_and_escape
open_and_escape /c:4321
if [ -e "$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf" ]; then
    fail "Cancel stored settings"
fi
echo "1 passed, 0 failed"
