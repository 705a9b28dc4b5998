#!/usr/bin/env bash
# Figures of the "Fade" dissolve on screen, under its own Xvfb (run on demand, nothing is
# asserted): for full-screen photos at 1920 x 1080 and 3840 x 2160, at the default Dissolve
# Delay, the frames each fade shows, its longest step, its length and the program's CPU share
# while it fades (three fades each, after the first, which fades in from black).
# Usage: bench/fade_bench.sh [path/to/glimmerframe]        the Linux program (default: the
#                                                           release build)
#        bench/fade_bench.sh --windows [glimmerframe.scr]   the Windows program under Wine
#                                                           (default: the windows-x64 build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows=""
if [ "${1:-}" = --windows ]; then
    windows=1
    gf="${2:-$root/build/windows-x64/src/app/win32/glimmerframe.scr}"
else
    gf="${1:-$root/build/release/src/app/glimmerframe}"
fi
[ -f "$gf" ] || { echo "build the program first (or pass it): $gf" >&2; exit 1; }
gf="$(realpath "$gf")"
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-fade.XXXXXX")"
xvfb="" show=""
stop_show() {
    if [ -n "$show" ]; then
        kill -TERM "$show" 2>/dev/null || true
        wait "$show" 2>/dev/null || true
        show=""
    fi
    if [ -n "$windows" ]; then
        "$root/scripts/wine-run" --prefix "$work/prefix" --shutdown >/dev/null 2>&1 || true
    fi
}
trap 'stop_show; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" GLIMMERFRAME_TRACE=1
mkdir -p "$XDG_CONFIG_HOME/Brindlewick" "$XDG_RUNTIME_DIR" "$work/pics"
chmod 700 "$XDG_RUNTIME_DIR"
hz=$(getconf CLK_TCK)

source "$root/bench/screen.bash"

echo "making the photos..."
for c in red:blue green:yellow; do
    convert -size 3840x2160 "gradient:${c%:*}-${c#*:}" -attenuate 0.3 +noise Uniform \
        -quality 90 "$work/pics/${c%:*}.jpg"
done

# settings: the show's settings, a fade between full-screen photos every second.
settings=(AllImages=1 FullScreen=1 DissolveType=Fade ImageInterval=1 DissolveDelay=0
    MouseSensitivity=500 IgnoreMouse=1)
settings() {
    if [ -n "$windows" ]; then
        # A prefix of its own on this display, the settings in its registry.
        "$root/scripts/wine-run" --prefix "$work/prefix" --boot >/dev/null 2>&1
        local kv
        for kv in "${settings[@]}" "ImagePath=Z:$(echo "$work/pics/" | tr / '\\')"; do
            "$root/scripts/wine-run" --prefix "$work/prefix" reg add \
                'HKCU\Software\Brindlewick\Glimmerframe' /v "${kv%%=*}" /d "${kv#*=}" /f \
                >/dev/null 2>&1
        done
    else
        printf '%s\n' "[General]" "${settings[@]}" "ImagePath=$work/pics/" \
            >"$XDG_CONFIG_HOME/Brindlewick/Glimmerframe.conf"
    fi
}

# The show's trace, each fade's start and end stamped with the program's CPU ticks.
start() {
    : >"$work/trace"
    : >"$work/pid"
    if [ -n "$windows" ]; then
        "$root/scripts/wine-run" --prefix "$work/prefix" "$gf" /S 2> >(stamp) &
    else
        "$gf" /S 2> >(stamp) &
    fi
    show=$!
    echo "$show" >"$work/pid"
}
stamp() {
    local pid="" ticks l
    while IFS= read -r l; do
        case "$l" in
        *MainForm\ FadeDisplay*)
            # Under Wine the program is the newest process of that name, which the loader
            # became.
            if [ -z "$pid" ]; then
                if [ -n "$windows" ]; then pid=$(pgrep -n -f "^$gf" || true); else pid=$(cat "$work/pid"); fi
            fi
            ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)
            echo "$l $ticks ${EPOCHREALTIME/./}" >>"$work/trace"
            ;;
        FadeStep*) echo "$l" >>"$work/trace" ;;
        esac
    done
}
fades_done() { grep -c "^E: MainForm FadeDisplay" "$work/trace" || true; }

measure() {
    screen "$1"
    settings
    start
    for _ in $(seq 2400); do
        [ "$(fades_done)" -ge 4 ] && break
        sleep 0.05
    done
    stop_show
    [ "$(fades_done)" -ge 4 ] || { echo "bench: the show did not fade four times" >&2; exit 1; }
    # Fades 2 to 4: frames shown, longest step, length, CPU share.
    awk -v hz="$hz" -v size="$1" '
        /^S: MainForm FadeDisplay/ { n++; t0 = $4; us0 = $5; frames = 0; last = -1; longest = 0 }
        /^FadeStep/ { if (last >= 0 && $2 - last > longest) longest = $2 - last; last = $2; frames++ }
        /^E: MainForm FadeDisplay/ && n >= 2 {
            cpu = 100 * ($4 - t0) / hz / (($5 - us0) / 1e6)
            printf "%s fade %d: %d frames, longest step %d ms, %d ms, CPU %.0f %% of one core\n",
                size, n, frames, longest, last, cpu
        }' "$work/trace"
}

echo "${windows:+Windows under Wine, }program: $gf"
measure 1920x1080
measure 3840x2160
