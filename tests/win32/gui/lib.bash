# The Windows GUI tests' shared pieces: the session's display and Wine prefix (session.sh), the
# program started under Wine, settings in the registry, and screenshots and pixels (those of
# tests/e2e, whose Xvfb this does not start).
# Usage: source it with the program (glimmerframe.scr), the session folder and wine-run.
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib/common.bash" "$1"
SESSION="$2"
WINE_RUN="$3"
PREFIX="$SESSION/prefix"
export DISPLAY=":$(head -n1 "$SESSION/display")" WINEPREFIX="$PREFIX" WINEDEBUG=-all
# Wine ends a process more slowly than Linux does.
END_SECONDS=30
# The user's temporary folder inside the prefix, where the show's scratch folders go.
TEMP_DIR="$(echo "$PREFIX"/drive_c/users/*/Temp)"

# stop_wine: the server of $WINEPREFIX ends, and is waited for (a test with a prefix of its own).
stop_wine() {
    wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
}

# windows_path PATH: the path as Wine's programs see it (the root is drive Z:).
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# win_settings NAME=VALUE...: the show's settings in the registry, those of common.bash's
# settings() first (each one may be overridden), in one import.
win_settings() {
    local reg="$WORK/settings.reg" pair name value
    {
        printf 'REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Brindlewick\\Glimmerframe]\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Brindlewick\\Glimmerframe]\r\n'
        for pair in "ImageInterval=30" "DissolveDelay=0" "Blocks=10" "FullScreen=0" \
            "DissolveType=Normal" "MouseSensitivity=500" "IgnoreMouse=1" "$@"; do
            name="${pair%%=*}"
            value="${pair#*=}"
            value="${value//\\/\\\\}"
            printf '"%s"="%s"\r\n' "$name" "${value//\"/\\\"}"
        done
    } >"$reg"
    wine regedit /S "$(windows_path "$reg")" </dev/null >/dev/null 2>&1 9>&- ||
        fail "the settings could not be imported"
}

# win_show [PROGRAM [ARGUMENT...]]: runs PROGRAM (default the program under test) under Wine,
# with /S unless other arguments are given.
win_show() {
    local program="${1:-$GF}"
    [ $# -le 1 ] && set -- "$program" /S
    "$WINE_RUN" --prefix "$PREFIX" "$@" 2>"$WORK/show.err" &
    SHOW_PID=$!
}

# wait_window TITLE [SECONDS [SEARCH-OPTION...]]: the id of the window with exactly this caption,
# once it is there (with --onlyvisible: once it is shown); 60 s by default, for Wine on a busy
# machine.
wait_window() {
    local title="$1" seconds="${2:-60}"
    shift $(($# < 2 ? $# : 2))
    local id="" until=$((SECONDS + seconds))
    while [ $SECONDS -lt $until ]; do
        id="$(xdotool search "$@" --name "^$title\$" 2>/dev/null | head -n1)" || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$SHOW_PID" 2>/dev/null || fail "the program ended early: $(cat "$WORK/show.err")"
        sleep 0.1
    done
    fail "no window captioned \"$title\" within $seconds s"
}

# until_ended COMMAND...: COMMAND (a key, a click, a move of the pointer) again until the show
# ends, five times at most, 10 s apart: on a busy machine Wine may lose input that comes before
# its window has the keyboard. Then the show has ended with status 0.
until_ended() {
    local _try _wait
    for _try in 1 2 3 4 5; do
        "$@"
        for _wait in $(seq 100); do
            kill -0 "$SHOW_PID" 2>/dev/null || break 2
            sleep 0.1
        done
    done
    wait_exit "$END_SECONDS"
}

# wait_gone TITLE [SECONDS]: until no window has exactly this caption (60 s by default).
wait_gone() {
    local until=$((SECONDS + ${2:-60}))
    while xdotool search --name "^$1\$" >/dev/null 2>&1; do
        [ $SECONDS -lt $until ] || fail "the window captioned \"$1\" stayed for ${2:-60} s"
        sleep 0.1
    done
}

# no_scratch_folders: no show's private folder is left in the user's temporary folder.
no_scratch_folders() {
    local left
    left="$(find "$TEMP_DIR" -maxdepth 1 -type d -name 'glimmerframe-*' 2>/dev/null)"
    [ -z "$left" ] || fail "temporary folder left behind: $left"
}

# win_run PROGRAM [ARGUMENT...]: runs a Windows program in the test's prefix ($PREFIX) and waits
# for it; its errors go to $WORK/show.err.
win_run() {
    "$WINE_RUN" --prefix "$PREFIX" "$@" </dev/null 2>>"$WORK/show.err" 9>&-
}

# win_click CAPTION TEXT: a real click on the control of that window showing that text, once
# there, found by the control-position tool ($POSITION).
win_click() {
    local at="" until=$((SECONDS + 60))
    until at="$(win_run "$POSITION" "$1" "$2" | tr -d '\r')"; do
        [ $SECONDS -lt $until ] || fail "no \"$2\" in \"$1\""
        sleep 0.2
    done
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
}
