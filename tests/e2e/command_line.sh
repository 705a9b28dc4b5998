# What a user meets at the terminal: -h is --help (status 0, every mode listed); a --pack run at
# a terminal ends by saying what it wrote; the guide's version page names the running version.
# No display needed.
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
        '-root | -window-id ID' '--interval N' '--dissolve NAME'; do
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

version="$("$exe" --version | cut -d' ' -f2)"
grep -q "Glimmerframe version $version" "$(dirname "$exe")/help/version.html" ||
    fail "the guide's version page does not name version $version"
echo "1 passed, 0 failed"
