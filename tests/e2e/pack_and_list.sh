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

# Nothing the package is made from is written over, whatever spelling names it.
cp "$root/samples/dawn.jpg" "$work/"
mkdir "$work/sub"
ln -s sample-show.txt "$work/show-link.txt"
ln -s dawn.jpg "$work/dawn-link.jpg"
cp -p "$work/sample-show.txt" "$work/dawn.jpg" "$work/sub/"
for out in sample-show.txt sub/../sample-show.txt show-link.txt ./dawn.jpg dawn-link.jpg \
    chime.wav; do
    if (cd "$work" && "$exe" --pack sample-show.txt -o "$out" 2>"$work/err"); then
        fail "--pack wrote over its own $out"
    fi
    grep -q "cannot be written over $work/" "$work/err" || fail "$out: $(cat "$work/err")"
done
cmp -s "$work/sample-show.txt" "$work/sub/sample-show.txt" || fail "the template changed"
cmp -s "$work/dawn.jpg" "$work/sub/dawn.jpg" || fail "a picture changed"
[ -L "$work/show-link.txt" ] && [ -L "$work/dawn-link.jpg" ] || fail "a link was replaced"

# Through a link, the file it leads to is replaced and the link stays; a package runs whatever
# the permissions of the file it replaced.
ln -s sub/old.scr "$work/show-link.scr"
echo old >"$work/sub/old.scr"
chmod 0644 "$work/sub/old.scr"
"$exe" --pack "$work/sample-show.txt" -o "$work/show-link.scr" 2>"$work/err" ||
    fail "pack through a link: $(cat "$work/err")"
[ -L "$work/show-link.scr" ] || fail "the link became a file"
cmp -s "$work/sub/old.scr" "$work/show.scr" || fail "the link's file is not the package"
[ "$(stat -c %a "$work/sub/old.scr")" = 755 ] || fail "mode $(stat -c %a "$work/sub/old.scr")"
[ -z "$(find "$work" -name '.*.scr.~*')" ] || fail "a temporary file was left behind"

# A name that is not UTF-8 or holds a control character: the JSON stays valid and gives the
# name's bytes back (each stray byte as \udcXX, read as Python's surrogateescape reads it).
mkdir "$work/odd"
cp "$work/dawn.jpg" "$work/odd/$(printf 'bad\xff\xfe.jpg')"
cp "$work/dawn.jpg" "$work/odd/$(printf 'tab\there\x01.jpg')"
cp "$work/dawn.jpg" "$work/odd/$(printf 'caf\xc3\xa9.jpg')"
"$exe" --list "$work/odd" >"$work/odd.json" || fail "list of odd names"
grep -q 'bad\\udcff\\udcfe.jpg' "$work/odd.json" || fail "escapes: $(cat "$work/odd.json")"
# Each listed name, its escapes undone as a JSON reader with surrogateescape does, is a file.
sed -n 's/^ *"image": "\(.*\)",$/\1/p' "$work/odd.json" >"$work/names"
[ "$(wc -l <"$work/names")" = 3 ] || fail "not three slides: $(cat "$work/odd.json")"
while read -r name; do
    name=$(sed 's/\\u\(dc\|00\)\([0-9a-f][0-9a-f]\)/\\x\2/g' <<<"$name")
    [ -f "$(printf '%b' "$name")" ] || fail "no file for the listed name $name"
done <"$work/names"
echo "1 passed, 0 failed"
