# The settings window under Wine: no switch and "/C" open "Glimmerframe Settings"; a first run's
# untouched Done stores the sample show beside the program; Enter is Done and stores all fifteen
# values under the user's key, folder mode and a typed folder among them; Escape and the close
# box store nothing; a key the user may not write keeps the window open with the message;
# Help > Contents (F1) opens the compiled guide in HTML Help, or without one the HTML guide in
# the browser.
# Usage: settings.sh PROGRAM SESSION WINE-RUN CLOSE-WINDOW-TOOL LOCK-KEY-TOOL
source "$(dirname "$0")/lib.bash" "$@"
CLOSE_WINDOW="$4"
LOCK_KEY="$5"
KEY='HKCU\Software\Brindlewick\Glimmerframe'
CAPTION="Glimmerframe Settings"

# The program with its sample show and its HTML guide, as the zip lays them out.
prog="$WORK/prog"
mkdir -p "$prog/help"
cp "$GF" "$prog/glimmerframe.scr"
cp -r "$(dirname "$GF")/samples" "$prog/"
cp "$(dirname "$0")/../../../docs/help/"* "$prog/help/"

reg() {
    wine reg "$@" </dev/null 2>/dev/null 9>&- | tr -d '\r'
}
# stored NAME: the value under the user's key ("" when missing).
stored() {
    reg query "$KEY" /v "$1" | sed -n "s/^ *$1 *REG_SZ *//p"
}
# A shown window: under load Wine may take seconds to show a first one.
shown() {
    wait_window "$CAPTION" "$1" --onlyvisible
}
open_settings() {
    "$WINE_RUN" --prefix "$PREFIX" "$prog/glimmerframe.scr" "$@" 2>"$WORK/show.err" &
    SHOW_PID=$!
    shown 60 >/dev/null
}
# Keys typed into the settings window, as a person would: it has the keyboard focus first.
press() {
    xdotool windowfocus --sync "$(shown 60)" 2>/dev/null || true
    sleep 0.2
    xdotool key "$@"
}
# close_with KEY: the key that closes the window, typed again when Wine lost it (the window
# still there and no message over it), then the program ends with status 0.
close_with() {
    local _try _wait
    for _try in 1 2 3; do
        press "$1"
        for _wait in $(seq 100); do
            kill -0 "$SHOW_PID" 2>/dev/null || break 2
            sleep 0.1
        done
        [ "$(windows_named "$CAPTION")" -le 1 ] || break
    done
    wait_exit "$END_SECONDS"
}
windows_named() {
    xdotool search --name "^$1\$" 2>/dev/null | wc -l
}

echo "== first run" >&2
# First run, no switch: nothing stored, so Done stores the sample show. (A run that failed may
# have left the key locked.)
"$WINE_RUN" --prefix "$PREFIX" "$LOCK_KEY" unlock 'Software\Brindlewick\Glimmerframe' || true
reg delete "$KEY" /f >/dev/null || true
open_settings
close_with Return
[ "$(stored ImagePath)" = "$(windows_path "$prog/samples/")" ] ||
    fail "a first run stored ImagePath \"$(stored ImagePath)\", not the sample show's folder"
[ "$(stored ImageListFile)" = "sample-show.txt" ] || fail "ImageListFile: $(stored ImageListFile)"
count="$(reg query "$KEY" | grep -c REG_SZ)"
[ "$count" -eq 16 ] || fail "$count values stored, not 16"

echo "== dissolve" >&2
# "/C": the dissolve list (Alt+T) one down from Normal, and Enter is Done.
open_settings /C
press alt+t Down
sleep 0.3
close_with Return
[ "$(stored DissolveType)" = "Random Blocks" ] || fail "DissolveType: $(stored DissolveType)"

echo "== folder mode" >&2
# Folder mode (its box has the focus first), a folder typed into the path box: Done stores the
# folder with its trailing "\" and no template.
open_settings /C
press space Tab Tab
xdotool type --delay 20 "$(windows_path "$prog/samples")"
close_with Return
[ "$(stored AllImages)" = 1 ] || fail "AllImages: $(stored AllImages)"
[ "$(stored ImagePath)" = "$(windows_path "$prog/samples/")" ] || fail "ImagePath: $(stored ImagePath)"
[ -z "$(stored ImageListFile)" ] || fail "ImageListFile in folder mode: $(stored ImageListFile)"

echo "== cancel" >&2
# Escape, and the system's close request, store nothing.
open_settings /c:1234
press alt+t Down
close_with Escape
open_settings /C
press alt+t Down
"$WINE_RUN" --prefix "$PREFIX" "$CLOSE_WINDOW" "$CAPTION" || fail "no window to close"
wait_exit "$END_SECONDS"
[ "$(stored DissolveType)" = "Random Blocks" ] || fail "Escape or closing stored $(stored DissolveType)"

echo "== read-only key" >&2
# A key the user may not write: the message, the window stays, nothing changes. lock_key keeps
# the key locked until told to let go; as a running program it also keeps the prefix's server,
# which forgets a key's permissions when it restarts, alive for the whole check.
rm -f "$WORK/unlock"
"$WINE_RUN" --prefix "$PREFIX" "$LOCK_KEY" hold 'Software\Brindlewick\Glimmerframe' \
    "$(windows_path "$WORK/unlock")" </dev/null >"$WORK/lock.out" 2>&1 9>&- &
lock_pid=$!
until grep -q locked "$WORK/lock.out"; do
    kill -0 "$lock_pid" 2>/dev/null || fail "the key could not be locked: $(cat "$WORK/lock.out")"
    sleep 0.1
done
open_settings /C
settings_window="$(shown 60)"
press alt+t Down
# Done, typed again while neither a message nor the window's end followed.
for _ in 1 2 3 4 5; do
    press Return
    for _ in $(seq 100); do
        [ "$(windows_named "$CAPTION")" -ge 2 ] && break 2
        kill -0 "$SHOW_PID" 2>/dev/null || fail "the window closed although nothing was stored"
        sleep 0.1
    done
done
[ "$(windows_named "$CAPTION")" -ge 2 ] || fail "no message when the settings cannot be stored"
# Its OK, typed into the message until it is gone; the window stays.
for _ in 1 2 3 4 5; do
    message="$(xdotool search --name "^$CAPTION\$" 2>/dev/null | grep -vx "$settings_window" | head -n1)" ||
        true
    [ -n "$message" ] || break
    xdotool windowfocus --sync "$message" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 100); do
        [ "$(windows_named "$CAPTION")" -le 1 ] && break 2
        sleep 0.1
    done
done
[ "$(windows_named "$CAPTION")" -le 1 ] || fail "the message did not go away"
kill -0 "$SHOW_PID" 2>/dev/null || fail "the window closed although nothing was stored"
close_with Escape
touch "$WORK/unlock"
wait "$lock_pid" || fail "the key could not be unlocked: $(cat "$WORK/lock.out")"
[ "$(stored DissolveType)" = "Random Blocks" ] || fail "a failed store changed DissolveType"

echo "== help in the browser" >&2
# Help > Contents without a compiled guide: the HTML guide goes to the browser, which Wine's
# winebrowser starts from its list (here a script that writes down what it was given).
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$WORK/browser.log" >"$WORK/browser"
chmod +x "$WORK/browser"
reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null
reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$WORK/browser" /f >/dev/null
open_settings /C
press F1
for _ in $(seq 300); do
    [ -s "$WORK/browser.log" ] && break
    sleep 0.1
done
grep -q "$prog/help/index.html" "$WORK/browser.log" 2>/dev/null ||
    fail "the browser was not asked for the guide: $(cat "$WORK/browser.log" 2>/dev/null)"
close_with Escape
reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null || true

echo "== help in HTML Help" >&2
# With the compiled guide beside the program, HTML Help shows it.
if command -v chmcmd >/dev/null; then
    mkdir -p "$WORK/chm"
    cp "$prog/help/"* "$WORK/chm/"
    printf '[OPTIONS]\r\nCompiled file=Glimmerframe.chm\r\nDefault topic=index.html\r\nTitle=Glimmerframe Guide Test\r\n\r\n[FILES]\r\nindex.html\r\n' \
        >"$WORK/chm/guide.hhp"
    (cd "$WORK/chm" && chmcmd --verbosity 0 guide.hhp >/dev/null 2>&1)
    cp "$WORK/chm/Glimmerframe.chm" "$prog/"
    open_settings /C
    press F1
    wait_window "Glimmerframe Guide Test" 60 >/dev/null
    # The help window has the focus now; the program ends with it open.
    "$WINE_RUN" --prefix "$PREFIX" "$CLOSE_WINDOW" "$CAPTION" || fail "no window to close"
    wait_exit "$END_SECONDS"
fi
