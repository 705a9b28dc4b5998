# The show under a benchmark: the program measured, its settings, its start with each trace line
# stamped, its stop and the stamps of its trace. Needs $root and $work (the Windows program runs
# in the prefix $work/prefix); the caller's exit trap stops a show left running.
# choose_program [PROGRAM | --windows [PROGRAM]]: the program measured in $gf (the release build,
# or the windows-x64 build's under Wine, $windows set), or a stop when it is not built.
choose_program() {
    windows=""
    if [ "${1:-}" = --windows ]; then
        windows=1
        gf="$(realpath "${2:-$root/build/windows-x64/src/app/win32/glimmerframe.scr}")"
    else
        gf="${1:-$root/build/release/src/app/glimmerframe}"
    fi
    [ -f "$gf" ] || { echo "build the program first (or pass it): $gf" >&2; exit 1; }
}
wine_run() { "$root/scripts/wine-run" --prefix "$work/prefix" "$@"; }
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# settings FOLDER KEY=VALUE...
settings() {
    local folder="$1"
    shift
    if [ -n "$windows" ]; then
        local kv
        wine_run reg delete 'HKCU\Software\Brindlewick\Glimmerframe' /f >/dev/null 2>&1 || true
        for kv in AllImages=1 "ImagePath=$(winpath "$work/$folder/")" Blocks=50 \
            MouseSensitivity=500 IgnoreMouse=1 "$@"; do
            wine_run reg add 'HKCU\Software\Brindlewick\Glimmerframe' /v "${kv%%=*}" \
                /d "${kv#*=}" /f >/dev/null 2>&1
        done
        return
    fi
    printf '%s\n' "[General]" "AllImages=1" "ImagePath=$work/$folder/" "Blocks=50" \
        "MouseSensitivity=500" "IgnoreMouse=1" "$@" >"$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
}
# winpath PATH: the path as Wine's programs see it.
winpath() { printf 'Z:%s' "$(echo "$1" | tr / '\\')"; }

# start [PROGRAM]: runs the show (default: the program measured); its trace lines go to
# $work/trace with a millisecond stamp each.
start() {
    : >"$work/trace"
    started=$(now_ms)
    local program="${1:-$gf}"
    shown="$program"
    # Stamped without a process per line, so tracing does not slow the show down.
    if [ -n "$windows" ]; then
        wine_run "$program" /S 2> >(while IFS= read -r l; do t=${EPOCHREALTIME/./}; echo "$((t / 1000)) $l"; done \
            >>"$work/trace") &
    else
        "$program" /S 2> >(while IFS= read -r l; do t=${EPOCHREALTIME/./}; echo "$((t / 1000)) $l"; done \
            >>"$work/trace") &
    fi
    show=$!
}
stop() {
    # Under Wine the show is the process the loader became, not the one started here.
    [ -n "$windows" ] && pkill -TERM -f "^$shown" 2>/dev/null
    kill -TERM $show 2>/dev/null || true
    wait $show 2>/dev/null || true
    show=""
    # One show at a time: the next may start once this one is gone.
    while [ -n "$windows" ] && pgrep -f "^$shown" >/dev/null; do sleep 0.1; done
}
# stamp TEXT [N]: time of the Nth (default first) trace line with TEXT, waiting for it.
stamp() {
    for _ in $(seq 1200); do
        t=$(grep -F "$1" "$work/trace" | sed -n "${2:-1}p" | cut -d' ' -f1) &&
            [ -n "$t" ] && { echo "$t"; return; }
        sleep 0.05
    done
    echo "bench: '$1' never came" >&2; exit 1
}
