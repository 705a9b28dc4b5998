#!/usr/bin/env bash
# The Debian package as a user gets it, unpacked into a scratch root: its program answers
# --version, lists the sample show it carries and packs it for Windows; the XScreenSaver
# description and the link where XScreenSaver looks for display programs, the menu entry, the
# icon, the manual page, the guide and the copyright are where Debian and XScreenSaver look for
# them; the program carries no debug information, and the libraries it needs are among the
# package's dependencies.
# Usage: debian_package.sh PACKAGE.deb
set -euo pipefail
deb="$(realpath "$1")"
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-deb.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
program="$usr/bin/glimmerframe"
version="$(dpkg-deb -f "$deb" Version)"

[ "$("$program" --version)" = "glimmerframe $version" ] ||
    fail "the installed program says \"$("$program" --version 2>&1)\", not glimmerframe $version"
samples="$usr/share/glimmerframe/samples"
"$program" --list "$samples/sample-show.txt" >"$work/list.json" 2>"$work/list.err" ||
    fail "--list of the installed sample show failed: $(cat "$work/list.err")"
slides="$(jq '.slides | length' "$work/list.json")"
[ "$slides" -eq 7 ] && [ "$(jq '.error' "$work/list.json")" = null ] ||
    fail "the installed sample show lists $slides slides: $(head -c 400 "$work/list.json")"
while read -r image; do
    [ -s "$image" ] && [[ "$image" == "$samples/"* ]] || fail "the sample show's picture $image is not installed"
done < <(jq -r '.slides[].image' "$work/list.json")

# Shows packed for Windows from the Windows programs the package carries, found from the
# installed program.
for arch in x64 x86; do
    "$program" --pack "$samples/sample-show.txt" -o "$work/show-$arch.scr" --for "windows-$arch" \
        2>"$work/pack.err" || fail "--pack --for windows-$arch: $(cat "$work/pack.err")"
    made="$("$program" --list "$work/show-$arch.scr" | jq -r .program)"
    [ "$made" = "windows-$arch" ] || fail "a package for windows-$arch is one for $made"
done

[ "$(readlink -f "$usr/libexec/xscreensaver/glimmerframe")" = "$(readlink -f "$program")" ] ||
    fail "no link from XScreenSaver's folder of display programs to the program"
for f in share/xscreensaver/config/glimmerframe.xml share/applications/glimmerframe.desktop \
    share/icons/hicolor/scalable/apps/glimmerframe.svg share/man/man1/glimmerframe.1.gz \
    share/glimmerframe/help/index.html share/doc/glimmerframe/copyright; do
    [ -s "$usr/$f" ] || fail "the package has no /usr/$f"
done
zcat "$usr/share/man/man1/glimmerframe.1.gz" | grep -q -- '\\-\\-list' ||
    fail "the manual page does not describe --list"

sections="$(readelf -S "$program")"
! grep -q '\.debug_info' <<<"$sections" && grep -q '\.gnu_debuglink' <<<"$sections" ||
    fail "the installed program carries debug information or names none"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "the dependencies name no Qt library: $(dpkg-deb -f "$deb" Depends)"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, program $(stat -c %s "$program") bytes"
