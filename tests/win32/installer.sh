#!/usr/bin/env bash
# What Windows users download, checked under Wine in a private prefix of its own (installing
# changes the machine, so no other test shares it):
# - the zip holds both programs, the help file, the HTML guide, the sample show and a CR LF
#   READ-ME;
# - the installer, run silently, puts the 64-bit program into the real System32 (not SysWOW64),
#   the guide and the sample show under Program Files, the Start-menu entry for the settings,
#   the machine-wide settings that lead to the sample show, the help file's registration and
#   the uninstall entry, all in the 64-bit registry that the 64-bit program reads;
# - installed again into another folder, it leaves nothing in the old one;
# - the uninstaller, run silently as Windows runs it, takes all of that away again, with the
#   installing user's settings.
# GF_WINEARCH=win32 checks 32-bit Windows instead: the 32-bit program in its only System32.
# Usage: installer.sh SETUP.EXE ZIP PROGRAM-X64 PROGRAM-X86 SOURCE-ROOT
set -euo pipefail
setup="$(realpath "$1")" zipfile="$(realpath "$2")" scr64="$(realpath "$3")" scr32="$(realpath "$4")"
source_root="$(realpath "$5")"
wine_run="$source_root/scripts/wine-run"
arch="${GF_WINEARCH:-win64}"
work="$(mktemp -d "${TMPDIR:-/tmp}/gf-installer.XXXXXX")"
prefix="$work/prefix"
trap '"$wine_run" --prefix "$prefix" --shutdown; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# --- The zip
version="$(basename "$zipfile" -windows.zip)"
version="${version#glimmerframe-}"
top="glimmerframe-$version"
{
    printf '%s\n' READ-ME.txt glimmerframe-x64.scr glimmerframe-x86.scr Glimmerframe.chm \
        help/version.html
    # The guide's page about Linux is the Linux program's.
    (cd "$source_root/docs/help" && printf 'help/%s\n' * | grep -vx 'help/linux\.html')
    (cd "$source_root/samples" && printf 'samples/%s\n' *)
} | sed "s|^|$top/|" | sort >"$work/expected"
unzip -Z1 "$zipfile" | grep -v '/$' | sort >"$work/listed"
diff "$work/expected" "$work/listed" >"$work/diff" || fail "the zip holds other files: $(cat "$work/diff")"
unzip -q "$zipfile" -d "$work/zip"
cmp -s "$work/zip/$top/glimmerframe-x64.scr" "$scr64" || fail "the zip's glimmerframe-x64.scr is not the 64-bit program"
cmp -s "$work/zip/$top/glimmerframe-x86.scr" "$scr32" || fail "the zip's glimmerframe-x86.scr is not the 32-bit program"
readme="$work/zip/$top/READ-ME.txt"
[ "$(grep -c $'\r$' "$readme")" -eq "$(wc -l <"$readme")" ] || fail "READ-ME.txt has lines without CR LF"
grep -q 'Right-click' "$readme" && grep -q 'System32' "$readme" || fail "READ-ME.txt does not say how to install"
title="$(sed -n '1s/\r$//p' "$readme")" rule="$(sed -n '2s/\r$//p' "$readme")"
[ "${#rule}" -eq "${#title}" ] || fail "READ-ME.txt underlines its ${#title}-character title with ${#rule}"
# The installer wears the program's icon, up to 256 pixels.
wrestool -x --type=14 "$setup" -o "$work/setup.ico" 2>/dev/null
icotool -l "$work/setup.ico" 2>/dev/null | grep -q -- '--width=256' || fail "the installer has not the program's icon"

# --- The installer
# NSIS makes 32-bit installers, which a kernel without IA-32 emulation cannot run.
if ! "$wine_run" --can-run-32-bit; then
    echo "The zip holds what it should. NOT RUN: the installer, a 32-bit program, which this" \
        "machine cannot run (its kernel has IA-32 emulation off)."
    exit 0
fi
WINEARCH="$arch" "$wine_run" --prefix "$prefix" --boot
wine() { "$wine_run" --prefix "$prefix" "$@"; }
# Debian's wine starts its own tools as 32-bit programs, which see the 32-bit registry.
reg_query() { wine reg query "$1" /v "$2" /reg:"${arch#win}" 2>/dev/null | tr -d '\r'; }
reg_value() { reg_query "$1" "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

c="$prefix/drive_c"
pf="$c/Program Files/Glimmerframe"
link="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glimmerframe Settings.lnk"
settings='HKLM\Software\Brindlewick\Glimmerframe'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerframe'
help='HKLM\Software\Microsoft\Windows\HTML Help'
if [ "$arch" = win64 ]; then scr="$scr64"; else scr="$scr32"; fi

start=$(date +%s%N)
wine "$setup" /S || fail "the installer ended with status $?"
installed=$(date +%s%N)
cmp -s "$c/windows/system32/glimmerframe.scr" "$scr" || fail "System32 has not the $arch program"
[ ! -e "$c/windows/syswow64/glimmerframe.scr" ] || fail "a program went into SysWOW64"
[ ! -e "$c/Program Files (x86)/Glimmerframe" ] || fail "the files went under Program Files (x86)"
for f in Glimmerframe.chm help/index.html help/version.html samples/sample-show.txt Uninstall.exe; do
    [ -s "$pf/$f" ] || fail "no $f under Program Files\\Glimmerframe"
done
diff -r "$source_root/samples" "$pf/samples" >/dev/null || fail "the installed sample show differs from samples/"
[ -s "$link" ] || fail "no Start-menu entry \"Glimmerframe Settings\""
strings -e l -n 2 "$link" >"$work/link"
grep -qi 'glimmerframe\.scr' "$work/link" && grep -qx /C "$work/link" ||
    fail "the Start-menu entry does not start glimmerframe.scr /C"
# Its icon is the program's own. A link's texts come in a fixed order, the icon's file right after
# the arguments; the target itself may be stored as a list of names instead of a path.
grep -A1 -x /C "$work/link" | tail -n 1 | grep -qi 'system32\\glimmerframe\.scr$' ||
    fail "the Start-menu entry does not take its icon from glimmerframe.scr: $(cat "$work/link")"

[ "$(reg_value "$settings" ImagePath)" = 'C:\Program Files\Glimmerframe\samples\' ] &&
    [ "$(reg_value "$settings" ImageListFile)" = sample-show.txt ] &&
    [ "$(reg_value "$settings" AllImages)" = 0 ] ||
    fail "the machine-wide settings do not lead to the sample show: $(reg_query "$settings" ImagePath)"
[ "$(reg_value "$help" Glimmerframe.chm)" = 'C:\Program Files\Glimmerframe\' ] ||
    fail "Glimmerframe.chm is not registered with HTML Help"
[ "$(reg_value "$uninstall" UninstallString)" = '"C:\Program Files\Glimmerframe\Uninstall.exe"' ] &&
    [ "$(reg_value "$uninstall" DisplayVersion)" = "$version" ] &&
    [ "$(reg_value "$uninstall" DisplayIcon)" = 'C:\windows\system32\glimmerframe.scr,0' ] ||
    fail "no uninstall entry: $(reg_query "$uninstall" UninstallString)"
if [ "$arch" = win64 ]; then
    reg_query 'HKLM\Software\Wow6432Node\Brindlewick\Glimmerframe' ImagePath | grep -q ImagePath &&
        fail "the machine-wide settings went into the 32-bit registry"
fi

# --- Installed again into another folder: the old one is emptied, the settings follow.
moved="$c/Moved"
wine "$setup" /S '/D=C:\Moved' || fail "the installer ended with status $? on an update"
[ -s "$moved/samples/sample-show.txt" ] || fail "an update into C:\\Moved put no sample show there"
[ ! -e "$pf" ] || fail "an update into C:\\Moved left Program Files\\Glimmerframe: $(cd "$pf" && find . | head)"
[ "$(reg_value "$settings" ImagePath)" = 'C:\Moved\samples\' ] ||
    fail "after the update the machine-wide settings lead to $(reg_value "$settings" ImagePath)"
updated=$(date +%s%N)

# --- The uninstaller, as Add/Remove Programs starts it: it copies itself away and returns at
# once, so its work is waited for.
wine reg add 'HKCU\Software\Brindlewick\Glimmerframe' /v ImageInterval /d 5 /f >/dev/null
wine 'C:\Moved\Uninstall.exe' /S || fail "the uninstaller ended with status $?"
for _ in $(seq 300); do
    [ -e "$moved" ] || [ -n "$(reg_value "$uninstall" UninstallString)" ] || break
    sleep 0.1
done
uninstalled=$(date +%s%N)
[ ! -e "$moved" ] || fail "C:\\Moved is left: $(cd "$moved" && find . | head)"
[ ! -e "$c/windows/system32/glimmerframe.scr" ] || fail "glimmerframe.scr is left in System32"
[ ! -e "$link" ] || fail "the Start-menu entry is left"
for check in "$uninstall UninstallString" "$settings ImagePath" "$help Glimmerframe.chm" \
    'HKCU\Software\Brindlewick\Glimmerframe ImageInterval'; do
    key="${check% *}" value="${check##* }"
    [ -z "$(reg_value "$key" "$value")" ] || fail "$key $value is left"
done
echo "The zip holds what it should; installed in $(((installed - start) / 1000000)) ms, moved in" \
    "$(((updated - installed) / 1000000)) ms, uninstalled in $(((uninstalled - updated) / 1000000)) ms ($arch)"
