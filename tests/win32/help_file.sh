#!/usr/bin/env bash
# Glimmerframe.chm holds the user guide as it is in the source tree (less the page about Linux),
# and every link inside it (the pages' links and pictures, the contents and the index) leads to
# a page of the help file and to an anchor that page has: HTML Help shows nothing outside the
# file, and a dead anchor opens the page at its top.
# Usage: help_file.sh GLIMMERFRAME.CHM GUIDE-FOLDER
set -euo pipefail
chm="$1" guide="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -s "$chm" ] || fail "no help file $chm"
chmls extractall "$chm" "$work/chm" >"$work/chmls.out" 2>&1 || fail "chmls cannot read $chm: $(cat "$work/chmls.out")"
# The guide as Windows users get it: every page but the one about Linux.
for f in "$guide"/*; do
    [ "$(basename "$f")" != linux.html ] || continue
    cmp -s "$f" "$work/chm/$(basename "$f")" || fail "the help file's $(basename "$f") is not the guide's"
done
[ ! -e "$work/chm/linux.html" ] || fail "the help file holds the page about Linux"
for f in version.html Glimmerframe.hhc Glimmerframe.hhk; do
    [ -s "$work/chm/$f" ] || fail "the help file has no $f"
done

# check_link FILE TARGET: TARGET, as written in FILE, names a file of the help file and an id in it.
check_link() {
    local from="$1" target="$2" page fragment
    case "$target" in
    *:* | /*) fail "$from links outside the help file: $target" ;;
    esac
    page="${target%%#*}"
    [ -n "$page" ] || page="$from"
    [ -f "$work/chm/$page" ] || fail "$from links to $target: no $page in the help file"
    if [[ "$target" == *#* ]]; then
        fragment="${target#*#}"
        grep -q "id=\"$fragment\"" "$work/chm/$page" || fail "$from links to $target: $page has no such anchor"
    fi
}

links=0
cd "$work/chm"
for f in *.html; do
    while IFS= read -r target; do
        check_link "$f" "$target"
        links=$((links + 1))
    done < <(grep -oE '(href|src)="[^"]*"' "$f" | sed -E 's/^[a-z]+="(.*)"$/\1/')
done
for f in Glimmerframe.hhc Glimmerframe.hhk; do
    entries=0
    while IFS= read -r target; do
        check_link "$f" "$target"
        entries=$((entries + 1))
    done < <(grep -oE 'name="Local" value="[^"]*"' "$f" | sed -E 's/.*value="(.*)"$/\1/')
    [ "$entries" -gt 10 ] || fail "$f has only $entries entries"
    links=$((links + entries))
done
echo "Glimmerframe.chm holds the guide; all $links links and entries lead to a page and anchor in it"
