#!/usr/bin/env bash
# --pack and --list through the real program: the sample show packed, listed back, and every
# refusal leaving the old file as it was. No display needed.
set -euo pipefail
exe="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

cp "$root"/samples/* "$work/"
# What a --pack killed mid-write left beside its output goes with the next one.
echo partial >"$work/.show.scr.~999999999-0"
"$exe" --pack "$work/sample-show.txt" -o "$work/show.scr" 2>"$work/err" || fail "pack: $(cat "$work/err")"
[ ! -e "$work/.show.scr.~999999999-0" ] || fail "a killed writer's partial file is still there"
[ -x "$work/show.scr" ] || fail "the package is not executable"
slides=$(grep -c '^IMAGE=' "$work/sample-show.txt")
"$exe" --list "$work/show.scr" >"$work/list.json" || fail "list of the package"
grep -q '"kind": "package"' "$work/list.json" || fail "not listed as a package"
grep -q "\"count\": $slides," "$work/list.json" || fail "count is not $slides"
[ "$(grep -c '"image": "Imbedded Image"' "$work/list.json")" = "$slides" ] || fail "slides"
"$exe" --list "$work/sample-show.txt" | grep -q '"kind": "template"' || fail "template listing"

# Refusals: the old package stays byte for byte, nothing is left beside it.
cp "$work/show.scr" "$work/before.scr"
rm "$work/dawn.jpg"
if "$exe" --pack "$work/sample-show.txt" -o "$work/show.scr" 2>"$work/err"; then
    fail "a missing picture was packed"
fi
grep -q "Unable to locate image: $work/dawn.jpg" "$work/err" || fail "message: $(cat "$work/err")"
cmp -s "$work/show.scr" "$work/before.scr" || fail "the old package changed"
if "$exe" --pack "$work/none.txt" -o "$work/show.scr" 2>/dev/null; then fail "missing template"; fi
if "$exe" --list "$work/none.txt" >/dev/null 2>&1; then fail "listing a missing template"; fi
cmp -s "$work/show.scr" "$work/before.scr" || fail "the old package changed"
[ -z "$(find "$work" -name '.show.scr.*')" ] || fail "a temporary file was left behind"
echo "1 passed, 0 failed"
