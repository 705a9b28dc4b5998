#!/usr/bin/env bash
# What the designer saves plays the same from the template and from a package made of it: rows of
# every kind saved by the designer's writer, listed, packed with --pack and listed again, give the
# same pictures, dissolves, colours and comments. No display needed.
set -euo pipefail
exe="$1"
tool="$(dirname "$exe")/../../tests/make_test_template"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

for mode in 1 2 3; do
    "$tool" "$work/files" "$mode" "$work/show.txt" || fail "the template was not written"
    "$exe" --list "$work/show.txt" >"$work/template.json" || fail "list of the template"
    "$exe" --pack "$work/show.txt" -o "$work/show.scr" 2>"$work/err" ||
        fail "pack: $(cat "$work/err")"
    "$exe" --list "$work/show.scr" >"$work/package.json" || fail "list of the package"

    # One line a slide: dissolve, colours and the comment's lines (the template ends each line
    # with CR LF, the package joins them with "^"). Slides of a package without a picture carry
    # a sound alone.
    jq -c '.slides[] | [.dissolve, .background, .foreground,
                        (.comment | rtrimstr("\r\n") | split("\r\n"))]' \
        "$work/template.json" >"$work/template.slides"
    jq -c '.slides[] | select(.pictureStart > 0) | [.dissolve, .background, .foreground,
                        (.comment | split("^"))]' \
        "$work/package.json" >"$work/package.slides"
    [ "$(wc -l <"$work/template.slides")" -eq 4 ] || fail "mode $mode: the template lists no 4 slides"
    diff "$work/template.slides" "$work/package.slides" >"$work/diff" ||
        fail "mode $mode: the package shows other slides than the template:
$(cat "$work/diff")"
    grep -qF '"Good morning, all","He said \"hi\" twice","  indented  ","# not a remark"' \
        "$work/package.slides" || fail "mode $mode: the first comment lost its commas or quotes"
    grep -qF '"\"A meadow, in May\"","trailing quote\""' "$work/package.slides" ||
        fail "mode $mode: a comment line with a comma and quotes was lost"
    [ "$(jq .soundMode "$work/template.json")" = "$mode" ] || fail "mode $mode: template mode"
    [ "$(jq .soundMode "$work/package.json")" = "$mode" ] || fail "mode $mode: package mode"

    # The same picture files, byte for byte, in the same order.
    mapfile -t images < <(jq -r '.slides[].image' "$work/template.json")
    mapfile -t starts < <(jq -r '.slides[] | select(.pictureStart > 0) | .pictureStart' \
        "$work/package.json")
    [ "${#starts[@]}" -eq "${#images[@]}" ] || fail "mode $mode: picture count"
    for i in "${!images[@]}"; do
        size=$(stat -c %s "${images[$i]}")
        cmp -s -i "$((starts[i] - 1)):0" -n "$size" "$work/show.scr" "${images[$i]}" ||
            fail "mode $mode: picture $((i + 1)) of the package is not ${images[$i]}"
    done
done
echo "1 passed, 0 failed"
