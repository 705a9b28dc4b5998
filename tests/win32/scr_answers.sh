#!/usr/bin/env bash
# glimmerframe.scr answers --version and --help on its standard output, into a pipe and a file,
# with CR LF line ends, and ends with status 0.
# Usage: scr_answers.sh PROGRAM VERSION EMULATOR...
set -euo pipefail
scr="$1" version="$2"
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

status=0
"$@" "$scr" --version | cat >"$work/version" || status=$?
[ "$status" -eq 0 ] || fail "--version into a pipe ended with status $status"
printf 'glimmerframe.scr %s\r\n' "$version" >"$work/expected"
cmp -s "$work/expected" "$work/version" || fail "--version printed: $(od -c "$work/version")"

"$@" "$scr" --help >"$work/help.txt" || fail "--help into a file ended with status $?"
head -n1 "$work/help.txt" | grep -q '^usage: glimmerframe.scr \[/S' ||
    fail "--help printed: $(cat "$work/help.txt")"
grep -q -- '--version' "$work/help.txt" || fail "--help does not mention --version"
[ "$(grep -c $'\r$' "$work/help.txt")" -eq "$(wc -l <"$work/help.txt")" ] ||
    fail "--help has lines without CR LF"
echo "glimmerframe.scr answers --version and --help"
