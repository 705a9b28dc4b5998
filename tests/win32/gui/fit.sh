# Every window on a 1920 × 1080 screen at 96, 144 and 192 DPI, in a prefix and display of the
# test's own (the DPI is the prefix's): the settings window in folder mode (at 96 DPI its help
# text whole), the about box, then in template mode the designer and the slide entry editor on a
# show in a long folder, each inside the screen's work area with its OK, Done or Cancel whole;
# the editor shows the long folder elided. GF_FIT_SHOTS=FOLDER keeps a screenshot of each window.
# Usage: fit.sh PROGRAM SESSION WINE-RUN WINDOW-FIT-TOOL CONTROL-POSITION-TOOL
source "$(dirname "$0")/lib.bash" "$@"
FIT="$4"
POSITION="$5"
start_xvfb 1920x1080
PREFIX="$WORK/prefix"
export WINEPREFIX="$PREFIX"
trap 'stop_wine; cleanup' EXIT
"$WINE_RUN" --prefix "$PREFIX" --boot
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-

# A show in a folder whose path is far wider than the editor.
show="$WORK/holiday-pictures-from-the-summer-by-the-sea-with-the-whole-family/and-then-the-autumn-walks-in-the-hills"
mkdir -p "$show"
cp "$(dirname "$GF")/samples/dawn.jpg" "$show/"
printf '%s\r\n' IMAGE=dawn.jpg >"$show/start.txt"

# fits [--whole] CAPTION CONTROL...: the window_fit tool's checks, tried again for a while (a
# window still being laid out on a busy machine); its last report on failure.
fits() {
    local until=$((SECONDS + 30))
    until win_run "$FIT" "$@" >"$WORK/fit.out"; do
        if [ $SECONDS -ge $until ]; then
            fail "at $dpi DPI: $(tr -d '\r' <"$WORK/fit.out")"
        fi
        sleep 0.5
    done
    grep -q "^dpi $dpi " "$WORK/fit.out" || fail "not at $dpi DPI: $(tr -d '\r' <"$WORK/fit.out")"
    if [ -n "${GF_FIT_SHOTS:-}" ]; then
        mkdir -p "$GF_FIT_SHOTS"
        import -window root "$GF_FIT_SHOTS/$dpi-$(echo "$1$2" | tr -cd 'A-Za-z').png"
    fi
}
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 0.2
}

# open_settings: the settings window of a fresh server at $dpi. Here Wine often runs the first
# program after a change of LogPixels at the DPI before it, and the next at the new one; so a
# window at another DPI is opened again, three starts at most, before the test fails.
open_settings() {
    local attempt
    for attempt in 1 2 3; do
        stop_wine
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            </dev/null >/dev/null 2>&1 9>&- || fail "LogPixels could not be set"
        win_settings "ImagePath=$(windows_path "$show/")" ImageListFile=start.txt AllImages=1
        win_show "$GF" /C
        settings="$(wait_window "Glimmerframe Settings" 60 --onlyvisible)"
        local until=$((SECONDS + 30))
        until win_run "$FIT" "Glimmerframe Settings" >"$WORK/fit.out" || [ $SECONDS -ge $until ]; do
            sleep 0.5
        done
        grep -q "^dpi $dpi " "$WORK/fit.out" && return
        echo "attempt $attempt: not at $dpi DPI: $(tr -d '\r' <"$WORK/fit.out")" >&2
    done
    fail "not at $dpi DPI after three starts; LogPixels reads $(wine reg query \
        'HKCU\Control Panel\Desktop' /v LogPixels </dev/null 2>&1 9>&- | tr -d '\r' | grep LogPixels)"
}

for dpi in 96 144 192; do
    echo "== $dpi DPI" >&2
    open_settings
    whole=()
    [ "$dpi" -eq 96 ] && whole=(--whole)
    fits "${whole[@]}" "Glimmerframe Settings" Done Cancel
    focus "$settings"
    xdotool key alt+h a
    wait_window "About Glimmerframe" 60 --onlyvisible >/dev/null
    fits "About Glimmerframe" OK
    stop_wine
    wait "$SHOW_PID" 2>/dev/null || true

    win_settings "ImagePath=$(windows_path "$show/")" ImageListFile=start.txt AllImages=0
    win_show "$GF" /C
    wait_window "Glimmerframe Settings" 60 --onlyvisible >/dev/null
    win_click "Glimmerframe Settings" Edit
    designer="$(wait_window "Template Designer - .*" 60 --onlyvisible)"
    caption="$(xdotool getwindowname "$designer")"
    fits "$caption" Done
    # The blank row at the end, then Insert: the editor on a new row in the show's folder.
    focus "$designer"
    xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab End alt+i
    wait_window "Template Edit" 60 --onlyvisible >/dev/null
    fits "Template Edit" OK Cancel "Image File:*"
    grep -q '"Image File: .*….*"' "$WORK/fit.out" || fail "at $dpi DPI the folder is not elided: $(cat "$WORK/fit.out")"
    stop_wine
    wait "$SHOW_PID" 2>/dev/null || true
done
echo "every window fits 1920 × 1080 at 96, 144 and 192 DPI"
