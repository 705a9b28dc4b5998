# Metafiles built to hold the show: 300 bitmaps of two bytes each claiming 32 megapixels (every
# other one mirrored), and bitmaps encoded as they should be that hold 32 megapixels each. A key
# 1 s after the slide starts ends the show, the process is gone within 2 s, and its peak memory
# stays under 600 MB.
source "$(dirname "$0")/lib/common.bash" "$1"
export GLIMMERFRAME_TRACE=1
start_xvfb 1280x720

u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
u32() {
    u16 $(($1 & 65535))
    u16 $(($1 >> 16 & 65535))
}

# bitmap_record WIDTH DATA-FILE: a StretchDIB record putting a 8192 x 4096 run-length bitmap
# (its compressed pixels in DATA-FILE) over the whole frame of 1440 x 960, mirrored when WIDTH
# is negative.
bitmap_record() {
    local size
    size=$(stat -c %s "$2")
    u32 $(((6 + 22 + 48 + size + 1) / 2))
    u16 $((0x0F43))
    u32 $((0x00CC0020)) # copy
    u16 0               # colours
    for v in 4096 8192 0 0 960 "$1" 0 $(($1 < 0 ? 1440 : 0)); do
        u16 $(($v & 65535))
    done
    u32 40
    u32 8192
    u32 4096
    u16 1
    u16 8
    u32 1 # run-length, 8 bits
    u32 "$size"
    u32 0
    u32 0
    u32 2 # two colours
    u32 0
    printf '\x00\x00\x00\x00\xff\xff\xff\x00'
    cat "$2"
    [ $((size % 2)) -eq 0 ] || printf '\x00'
}

# bitmap_metafile FILE COUNT DATA-FILE: COUNT such records, every other one mirrored.
bitmap_metafile() {
    bitmap_record 1440 "$3" >"$WORK/upright"
    bitmap_record -1440 "$3" >"$WORK/mirrored"
    {
        printf '\xd7\xcd\xc6\x9a\x00\x00\x00\x00\x00\x00\xa0\x05\xc0\x03\xa0\x05\x00\x00\x00\x00\x00\x00'
        printf '\x01\x00\x09\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
        for i in $(seq "$2"); do
            cat "$WORK/$([ $((i % 2)) -eq 1 ] && echo upright || echo mirrored)"
        done
        printf '\x03\x00\x00\x00\x00\x00'
    } >"$1"
}

mkdir "$WORK/tiny" "$WORK/full"
printf '\x00\x01' >"$WORK/two-bytes"
# Runs of 255 pixels: as many as 32 megapixels need.
printf '\xff\x01' >"$WORK/runs"
for _ in $(seq 17); do cat "$WORK/runs" "$WORK/runs" >"$WORK/runs2" && mv "$WORK/runs2" "$WORK/runs"; done
bitmap_metafile "$WORK/tiny/bomb.wmf" 300 "$WORK/two-bytes"
bitmap_metafile "$WORK/full/bomb.wmf" 3 "$WORK/runs"

for folder in tiny full; do
    settings "ImagePath=$WORK/$folder" "AllImages=1" "FullScreen=1"
    start_show
    key_one_second_in "the $folder bitmaps"
done
echo "ok"
