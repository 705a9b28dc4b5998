# What a user meets at the terminal: -h is --help (status 0, every mode listed); a --pack run at
# a terminal ends by saying what it wrote; the guide's version page names the running version;
# without a display the windows say so. No display needed.
set -euo pipefail
exe="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

for help in -h --help; do
    "$exe" "$help" >"$work/out" 2>"$work/err" || fail "$help ended with status $?"
    [ ! -s "$work/err" ] || fail "$help wrote to stderr: $(cat "$work/err")"
    for mode in '/S' '/C' '/P <window>' '/A <window>' '--list SOURCE' '--pack TEMPLATE -o OUTPUT' \
        '[--root | -window-id ID]' '  --interval N ' '  --dissolve NAME' '  --source PATH ' \
        GLIMMERFRAME_TRACE; do
        grep -qF -- "$mode" "$work/out" || fail "$help does not list $mode"
    done
done

# At a terminal (script gives the program one), --pack says where it wrote and how much.
samples="$root/samples"
cd "$work"
script -qec "'$exe' --pack '$samples/sample-show.txt' -o show.scr" /dev/null >"$work/said" ||
    fail "pack at a terminal: $(cat "$work/said")"
size=$(stat -c %s "$work/show.scr" | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta')
grep -qF "Wrote $work/show.scr: 7 slides, $size bytes." "$work/said" ||
    fail "no summary: $(cat -A "$work/said")"
# Not at a terminal: nothing but errors on stderr.
"$exe" --pack "$samples/sample-show.txt" -o quiet.scr 2>"$work/err" || fail "pack"
[ ! -s "$work/err" ] || fail "pack wrote to a file's stderr: $(cat "$work/err")"

# Without a display the show, the settings and the XScreenSaver mode say so and end with status 1,
# as they do when the named X server does not answer; a platform of Qt's own is Qt's to judge.
for args in /S /C -root; do
    for display in "" ":9876"; do
        status=0
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 60 "$exe" $args \
            >"$work/out" 2>"$work/err" || status=$?
        [ "$status" -eq 1 ] ||
            fail "$args with DISPLAY=\"$display\" ended with status $status: $(cat "$work/err")"
        grep -q "^glimmerframe: no display could be opened: " "$work/err" ||
            fail "$args with DISPLAY=\"$display\" said: $(cat "$work/err")"
    done
done
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nosuchplatform "$exe" /C >/dev/null \
    2>"$work/err" || status=$?
grep -q "no display could be opened" "$work/err" && fail "a platform of Qt's own was judged"
grep -q "nosuchplatform" "$work/err" || fail "Qt did not try its platform: $(cat "$work/err")"

version="$("$exe" --version | cut -d' ' -f2)"
grep -q "Glimmerframe version $version" "$(dirname "$exe")/help/version.html" ||
    fail "the guide's version page does not name version $version"
echo "1 passed, 0 failed"
