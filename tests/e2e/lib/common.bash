# Shared pieces of the end-to-end scripts: a private Xvfb, a private settings and runtime folder,
# starting and ending the show, and reading pixels from screenshots.
# Every wait is for a condition, with a deadline meant for a machine busy with other work: one
# that passes only says how long a fault may hide, never how fast the program is (bench/ does).
# Usage: source it with the path of the glimmerframe program as $1.
set -euo pipefail
GF="$(realpath "$1")"
WORK="$(mktemp -d "${TMPDIR:-/tmp}/gf-e2e.XXXXXX")"
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# No sound card is needed: sounds fail quietly into nothing.
export QT_LOGGING_RULES="qt.multimedia*=false"
XVFB_PID=""
SHOW_PID=""
PROGRAM_PID=""

cleanup() {
    [ -n "$SHOW_PID" ] && kill -9 "$SHOW_PID" 2>/dev/null || true
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
    # Waited for: a server still shutting down removes the socket of the next test's server
    # on the same display number.
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_xvfb WIDTHxHEIGHT [XVFB-OPTION...]: a private Xvfb as $DISPLAY, on a display number
# drawn from 100 to 999: the low numbers that servers pick for themselves are taken and given back
# all the time by other test runs on a busy machine, and a server that is ending removes the socket
# of a new one on its number. It counts as started once it has served a client and holds its
# number's lock (a fresh server now and then turns the first connection away); one that cannot
# take its number or serves none in time is replaced, ten times at most. It never resets: a
# server resetting as its last client leaves turns away the next one, the next show of a test.
start_xvfb() {
    start_x_server Xvfb -screen 0 "${1}x24" "${@:2}" || fail "Xvfb did not start"
    XVFB_PID="$X_SERVER_PID"
    export DISPLAY="$X_SERVER_DISPLAY"
}

# start_x_server PROGRAM ARGUMENT...: an X server on a display number of its own, once it
# answers and holds the number's lock; X_SERVER_PID and X_SERVER_DISPLAY name it. Status 1 when
# none would start.
start_x_server() {
    local n
    for _ in $(seq 10); do
        n=$((100 + RANDOM % 900))
        "$1" ":$n" "${@:2}" -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
        X_SERVER_PID=$!
        for _ in $(seq 100); do
            kill -0 "$X_SERVER_PID" 2>/dev/null || break
            if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 &&
                grep -qw "$X_SERVER_PID" "/tmp/.X$n-lock" 2>/dev/null; then
                X_SERVER_DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        kill "$X_SERVER_PID" 2>/dev/null && wait "$X_SERVER_PID" 2>/dev/null || true
    done
    X_SERVER_PID=""
    return 1
}

# start_program READY COMMAND...: runs COMMAND in the background (PROGRAM_PID, its errors in
# $WORK/program.err) and waits up to 30 s for the command READY to succeed. A program whose
# first connection the fresh server turned away is started again, three times at most: that is
# the server's trouble, not the program's. Status 1 when READY never succeeds.
start_program() {
    local ready="$1"
    shift
    for _ in 1 2 3; do
        "$@" 2>"$WORK/program.err" &
        PROGRAM_PID=$!
        for _ in $(seq 300); do
            "$ready" && return 0
            kill -0 "$PROGRAM_PID" 2>/dev/null || break
            sleep 0.1
        done
        grep -q 'could not connect to display' "$WORK/program.err" || return 1
        wait "$PROGRAM_PID" 2>/dev/null || true
        PROGRAM_PID=""
        sleep 0.5
    done
    return 1
}

# settings KEY=VALUE...: the show's settings file.
settings() {
    {
        echo "[General]"
        printf '%s\n' "ImageInterval=30" "DissolveDelay=0" "Blocks=10" "FullScreen=0" \
            "DissolveType=Normal" "MouseSensitivity=500" "IgnoreMouse=1" "$@"
    } >"$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
}

# start_show [PROGRAM]: runs PROGRAM (default the program under test) with /S.
start_show() {
    "${1:-$GF}" /S 2>"$WORK/show.err" &
    SHOW_PID=$!
}

shot() {
    import -window root "$WORK/shot.png"
}

# pixel X Y: "r,g,b" of the last screenshot.
pixel() {
    convert "$WORK/shot.png" -format \
        "%[fx:int(255*p{$1,$2}.r+0.5)],%[fx:int(255*p{$1,$2}.g+0.5)],%[fx:int(255*p{$1,$2}.b+0.5)]" \
        info:
}

# wait_shot SECONDS COMMAND...: screenshots until COMMAND succeeds on the latest one; status 1
# when SECONDS pass first. Waiting for what the screen shows, never for a fixed time, keeps the
# checks right on a slow machine.
wait_shot() {
    local until=$((SECONDS + $1))
    shift
    while [ $SECONDS -lt $until ]; do
        kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended early: $(cat "$WORK/show.err")"
        shot
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# pixel_is X Y RGB
pixel_is() {
    [ "$(pixel "$1" "$2")" = "$3" ]
}

# wait_pixel X Y RGB [SECONDS]: until the screen shows that colour there (30 s by default).
wait_pixel() {
    wait_shot "${4:-30}" pixel_is "$1" "$2" "$3" && return 0
    cp "$WORK/shot.png" /tmp/gf-fail.png; fail "pixel $1,$2 is $(pixel "$1" "$2"), expected $3"
}

expect_pixel() {
    local got
    got="$(pixel "$1" "$2")"
    [ "$got" = "$3" ] || fail "${4:-pixel} at $1,$2 is $got, expected $3"
}

# share_of RGB X Y W H: fraction (0..1) of the area showing about that colour.
share_of() {
    convert "$WORK/shot.png" -crop "${4}x${5}+${2}+${3}" +repage -fuzz 15% -fill white \
        -opaque "rgb($1)" -fill black +opaque white -format '%[fx:mean]' info:
}

# share_above RGB X Y W H FRACTION: more than FRACTION of the area shows about that colour.
share_above() {
    awk -v s="$(share_of "$1" "$2" "$3" "$4" "$5")" -v f="$6" 'BEGIN { exit !(s > f) }'
}

# How long a show may take to end once asked: far longer than it takes on any machine, far
# shorter than a show that does not end.
END_SECONDS=30

# end_with_key: a key ends the show with status 0.
end_with_key() {
    xdotool key space
    wait_exit "$END_SECONDS"
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# wait_exit SECONDS: the show ends in time, with status 0.
wait_exit() {
    local deadline=$(($(now_ms) + $1 * 1000)) status
    while kill -0 "$SHOW_PID" 2>/dev/null; do
        [ "$(now_ms)" -le "$deadline" ] || fail "the show did not end within $1 s"
        sleep 0.05
    done
    status=0
    wait "$SHOW_PID" || status=$?
    SHOW_PID=""
    [ "$status" -eq 0 ] || fail "the show ended with status $status: $(cat "$WORK/show.err")"
}

# peak_memory: the show's peak memory in MB, read from /proc until the show has ended. Run it in
# the background beside the show.
peak_memory() {
    local peak=0 now
    while now=$(awk '/VmHWM/ { print int($2 / 1024) }' "/proc/$SHOW_PID/status" 2>/dev/null); do
        [ -n "$now" ] && peak=$now
        sleep 0.05
    done
    echo "$peak"
}

# key_one_second_in WHAT [COMMAND...]: with the show started (GLIMMERFRAME_TRACE=1), a key 1 s
# after its first slide starts (COMMAND, if given, runs just before it) ends the show, the
# process is gone in time and its peak memory stayed under 600 MB.
key_one_second_in() {
    local watcher peak
    trace_line "S: MainForm LoadImage" 30
    peak_memory >"$WORK/peak" &
    watcher=$!
    sleep 1
    [ $# -lt 2 ] || "${@:2}"
    xdotool key space
    wait_exit "$END_SECONDS"
    wait "$watcher"
    peak=$(cat "$WORK/peak")
    [ "$peak" -lt 600 ] || fail "peak memory $peak MB with $1"
    echo "$1: peak memory $peak MB"
}

no_temp_folders() {
    local left
    left="$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type d -name 'glimmerframe-*')"
    [ -z "$left" ] || fail "temporary folder left behind: $left"
}

# picture FILE WIDTHxHEIGHT COLOUR
picture() {
    convert -size "$2" "xc:$3" "$1"
}

# metafile FILE COUNT: a metafile of 1 x 2/3 inch (96 x 64 pixels at 15 twips a pixel) that fills
# COUNT ellipses (a power of two) over its whole frame with the default white brush; many take
# long to draw.
metafile() {
    local rec="$WORK/ellipse.rec" n=1
    # Ellipse record: 7 words, bottom 960, right 1440, top 0, left 0.
    printf '\x07\x00\x00\x00\x18\x04\xc0\x03\xa0\x05\x00\x00\x00\x00' >"$rec"
    while [ "$n" -lt "$2" ]; do
        cat "$rec" "$rec" >"$rec.2" && mv "$rec.2" "$rec"
        n=$((n * 2))
    done
    {
        printf '\xd7\xcd\xc6\x9a\x00\x00\x00\x00\x00\x00\xa0\x05\xc0\x03\xa0\x05\x00\x00\x00\x00\x00\x00'
        printf '\x01\x00\x09\x00\x00\x03\x00\x00\x00\x00\x00\x00\x07\x00\x00\x00\x00\x00'
        cat "$rec"
        printf '\x03\x00\x00\x00\x00\x00'
    } >"$1"
    rm -f "$rec"
}

# trace_line TEXT [SECONDS]: waits until the show's trace (GLIMMERFRAME_TRACE=1) has a line
# with TEXT (30 s by default).
trace_line() {
    local until=$((SECONDS + ${2:-30}))
    until grep -qF "$1" "$WORK/show.err"; do
        [ $SECONDS -lt $until ] || fail "no trace line '$1': $(tail -5 "$WORK/show.err")"
        kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended early: $(cat "$WORK/show.err")"
        sleep 0.05
    done
}
