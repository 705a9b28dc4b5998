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
    # Its output goes nowhere: ctest waits for every process that holds a test's output. A number
    # from 100 to 999, away from those that other runs' servers pick for themselves (see
    # start_xvfb in tests/e2e/lib/common.bash); it is the server's once it serves a client and
    # holds the number's lock.
    for _ in $(seq 10); do
        n=$((100 + RANDOM % 900))
        Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
        echo $! >"$state/xvfb.pid"
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
            if xdpyinfo >/dev/null 2>&1 && grep -qw "$(cat "$state/xvfb.pid")" "/tmp/.X$n-lock" 2>/dev/null; then
                echo "$n" >"$state/display"
                break 2
            fi
            sleep 0.1
        done
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
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
