#!/usr/bin/env bash
# One Xvfb and one Wine prefix for all the Windows GUI tests of a build (a ctest fixture): a new
# prefix costs seconds, and its session must start with a display for its programs to get
# windows at all.
# Usage: session.sh start|stop STATE-FOLDER WINE-RUN
# "start" writes the display's number to STATE-FOLDER/display; the prefix is STATE-FOLDER/prefix.
set -euo pipefail
[ $# -eq 3 ] || { sed -n '5,6s/^# //p' "$0" >&2; exit 2; }
state="$2"
wine_run="$3"

stop() {
    [ -d "$state/prefix" ] && "$wine_run" --prefix "$state/prefix" --shutdown || true
    if [ -s "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    fi
    rm -rf "$state"
}

case "$1" in
start)
    stop
    mkdir -p "$state"
    # Its output goes nowhere: ctest waits for every process that holds a test's output.
    for _ in 1 2 3; do
        rm -f "$state/display"
        Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$state/display" </dev/null \
            >/dev/null 2>&1 &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 100); do
            [ -s "$state/display" ] && break
            sleep 0.1
        done
        # A fresh server now and then turns the first client away.
        if [ -s "$state/display" ]; then
            export DISPLAY=":$(head -n1 "$state/display")"
            for _ in 1 2 3 4 5; do
                xdpyinfo >/dev/null 2>&1 && break 2
                sleep 0.2
            done
        fi
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/display"
    done
    [ -s "$state/display" ] || { echo "session.sh: Xvfb did not start" >&2; exit 1; }
    "$wine_run" --prefix "$state/prefix" --boot
    # Xvfb has no window manager: Wine's wait for one to take a full-screen window away (two
    # seconds each time a show ends) would be for nothing.
    WINEPREFIX="$state/prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        </dev/null >/dev/null 2>&1 9>&-
    ;;
stop)
    stop
    ;;
*)
    echo "session.sh: start or stop" >&2
    exit 2
    ;;
esac
