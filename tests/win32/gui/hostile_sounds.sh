# Sounds that are really a picture or a video never take the show over: in sound modes 2 and 3,
# and in a package whose sound region holds a picture, no window of the media player's ever
# appears, and a key ends the show at once. The time from the key to the end is printed.
# Usage: hostile_sounds.sh PROGRAM SESSION WINE-RUN
source "$(dirname "$0")/lib.bash" "$@"
picture "$WORK/red.bmp" 200x100 "#ff0000"
picture "$WORK/blue.bmp" 200x100 "#0000ff"
picture "$WORK/photo.png" 64x64 "#00ff00"
cp "$WORK/photo.png" "$WORK/picture.mp3"
cp "$WORK/photo.png" "$WORK/picture.snd"
# A real AVI (two uncompressed 8 x 8 frames) that Wine's video device would play in a window.
python3 - "$WORK/film.avi" <<'PY'
import struct, sys
def chunk(fourcc, data):
    return fourcc + struct.pack('<I', len(data)) + data + (b'\0' if len(data) % 2 else b'')
def lst(kind, data):
    return chunk(b'LIST', kind + data)
w = h = 8
frame = bytes([0, 0, 255]) * w * h
avih = struct.pack('<14I', 100000, 0, 0, 0x10, 2, 0, 1, len(frame), w, h, 0, 0, 0, 0)
strh = b'vids' + b'DIB ' + struct.pack('<IHHIIIIIIiI4h', 0, 0, 0, 0, 1, 10, 0, 2, len(frame),
                                       -1, 0, 0, 0, w, h)
strf = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(frame), 0, 0, 0, 0)
movi = chunk(b'00db', frame) * 2
idx = b''.join(b'00db' + struct.pack('<III', 0x10, 4 + i * (8 + len(frame)), len(frame))
               for i in range(2))
body = b'AVI ' + lst(b'hdrl', chunk(b'avih', avih) + lst(b'strl', chunk(b'strh', strh) +
                                                      chunk(b'strf', strf)))
body += lst(b'movi', movi) + chunk(b'idx1', idx)
open(sys.argv[1], 'wb').write(chunk(b'RIFF', body)[:4] + struct.pack('<I', len(body)) + body)
PY
folder="$(windows_path "$WORK/")"

# No window but the show's own: none titled with MCI or with one of the files.
no_player_window() {
    local found
    found="$(xdotool search --name 'MCI|picture|film|\.mp3|\.avi|\.snd' getwindowname %@ 2>/dev/null)" || true
    [ -z "$found" ] || fail "$1: a window of the media player appeared: $found"
}

# key_ends LABEL: after a few slides with their sounds, a key ends the show; prints how long it
# took to close the window and to end the process.
key_ends() {
    local started=$SECONDS
    while [ $((SECONDS - started)) -lt 5 ]; do
        no_player_window "$1"
        sleep 0.2
    done
    kill -0 "$SHOW_PID" 2>/dev/null || fail "$1: the show ended by itself: $(cat "$WORK/show.err")"
    local key gone="" window
    window="$(xdotool search --name '^Screen Saver Main Form$' | head -n1)"
    key="$(now_ms)"
    xdotool key space
    while kill -0 "$SHOW_PID" 2>/dev/null; do
        [ -z "$gone" ] && ! xdotool getwindowname "$window" >/dev/null 2>&1 && gone="$(now_ms)"
        [ $(($(now_ms) - key)) -le $((END_SECONDS * 1000)) ] ||
            fail "$1: the show did not end within $END_SECONDS s of a key"
        sleep 0.05
    done
    local ended
    ended="$(now_ms)"
    wait_exit "$END_SECONDS"
    echo "$1: window gone ${gone:+$((gone - key)) ms }after the key, process ended $((ended - key)) ms"
    no_scratch_folders
}

for mode in SOUNDSYNC=2 SOUNDASYNC; do
    if [ "$mode" = SOUNDASYNC ]; then
        printf 'SOUNDASYNC\r\nSOUND=picture.mp3\r\nSOUND=film.avi\r\n\r\nIMAGE=red.bmp\r\n\r\nIMAGE=blue.bmp\r\n'
    else
        printf 'SOUNDSYNC=2\r\n\r\nIMAGE=red.bmp\r\nSOUND=picture.mp3\r\n\r\nIMAGE=blue.bmp\r\nSOUND=film.avi\r\n'
    fi >"$WORK/show.txt"
    win_settings "ImagePath=$folder" "ImageListFile=show.txt" "AllImages=0" "ImageInterval=1"
    win_show
    wait_window "Screen Saver Main Form" >/dev/null
    key_ends "$mode"
done

# A package whose sound region holds a picture with the extension snd.
printf 'SOUNDSYNC=2\r\n\r\nIMAGE=red.bmp\r\nSOUND=picture.snd\r\n\r\nIMAGE=blue.bmp\r\nSOUND=picture.snd\r\n' \
    >"$WORK/show.txt"
win_settings "ImageInterval=1"
"$WINE_RUN" --prefix "$PREFIX" "$GF" --pack "$(windows_path "$WORK/show.txt")" \
    -o "$(windows_path "$WORK/Sounds.scr")" >"$WORK/pack.out" 2>&1 ||
    fail "--pack: $(cat "$WORK/pack.out")"
win_show "$(windows_path "$WORK/Sounds.scr")" /S
wait_window "Screen Saver Main Form" >/dev/null
key_ends "package"
echo "ok"
