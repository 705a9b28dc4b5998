#!/usr/bin/env bash
# A --pack told to end (SIGTERM, SIGHUP) while it writes ends, and leaves neither a partial file
# nor a changed output behind. The program is stopped while its partial file is there, so the
# signal always comes mid-write however fast the machine is.
set -euo pipefail
exe="$1"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

# Three slides of 20 MB: long enough to catch in the middle, and small enough that a debug
# build's program (25 MB) still makes a package below the 100 MB limit.
head -c 20000000 /dev/urandom >"$work/big.jpg"
printf 'IMAGE=big.jpg\r\n\r\nIMAGE=big.jpg\r\n\r\nIMAGE=big.jpg\r\n' >"$work/show.txt"
echo old >"$work/show.scr"

for signal in TERM HUP; do
    caught=0
    for attempt in $(seq 20); do
        "$exe" --pack "$work/show.txt" -o "$work/show.scr" 2>/dev/null &
        pid=$!
        partial=""
        while kill -0 "$pid" 2>/dev/null && [ -z "$partial" ]; do
            partial=$(find "$work" -maxdepth 1 -name '.show.scr.~*' -print -quit)
        done
        if [ -n "$partial" ] && kill -STOP "$pid" 2>/dev/null && [ -e "$partial" ]; then
            kill -"$signal" "$pid"
            kill -CONT "$pid"
            status=0
            { wait "$pid"; } 2>/dev/null || status=$? # no "Terminated" from the shell
            [ "$status" = $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: status $status"
            caught=1
        else
            kill -CONT "$pid" 2>/dev/null || true # it finished, or nearly: try again
            wait "$pid" || true
        fi
        pid=""
        [ -z "$(find "$work" -name '.show.scr.~*')" ] || fail "SIG$signal left a partial file"
        [ "$caught" = 0 ] || break
        echo old >"$work/show.scr"
    done
    [ "$caught" = 1 ] || fail "no --pack could be stopped mid-write in 20 attempts"
    [ "$(cat "$work/show.scr")" = old ] || fail "SIG$signal: the output changed"
done
echo "1 passed, 0 failed"
