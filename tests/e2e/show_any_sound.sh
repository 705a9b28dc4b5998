# In sound mode 1 a WAV that the one-shot player cannot decode (32-bit samples) plays on the media
# player with nothing in the trace; a picture given as a sound is said in the trace, and the show
# goes on to the next slide and ends on a key.
source "$(dirname "$0")/lib/common.bash" "$1"
start_xvfb 640x480
picture "$WORK/red.png" 100x100 "#ff0000"
picture "$WORK/green.png" 100x100 "#00ff00"
sox -n -r 22050 "$WORK/wide.wav" synth 1 sine 440
sox -n -r 8000 -e u-law "$WORK/ulaw.wav" synth 1 sine 440
cp "$WORK/red.png" "$WORK/picture.wav"
export GLIMMERFRAME_TRACE=1
printf 'SOUNDSYNC=1\r\n\r\nIMAGE=red.png\r\nSOUND=wide.wav\r\n\r\nIMAGE=red.png\r\nSOUND=ulaw.wav\r\n\r\nIMAGE=red.png\r\nSOUND=picture.wav\r\n\r\nIMAGE=green.png\r\n' \
    >"$WORK/show.txt"
settings "ImagePath=$WORK/" "ImageListFile=show.txt" "AllImages=0" "ImageInterval=2"
start_show
wait_pixel 320 240 "0,255,0" 60
trace_line "X: Sound not played: $WORK/picture.wav"
end_with_key
grep -E "Sound not played: .*(wide|ulaw)\.wav" "$WORK/show.err" &&
    fail "a WAV that the media player plays was not played"
echo "ok"
