#!/usr/bin/env bash
# The preview inside a host's window: the picture appears centred on the white box; destroying
# the host window or closing the hosted box ends the program; "/P 0" ends at once.
source "$(dirname "$0")/lib/common.bash" "$1"
program="$GF"
work="$WORK"
host="$(dirname "$program")/../../tests/preview_host"
start_xvfb 640x480 -br

pixel() { convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:; }

# 152 x 112 host window at the screen's top left: the white box fills it, the 93 x 53 picture
# sits in its middle (30..123, 30..83), the screen around stays black.
# The screenshot once the preview is there: white in the corner, the picture (neither white nor
# black) in the middle.
rgb() { echo "%[fx:int(255*p{$1}.r+0.5)],%[fx:int(255*p{$1}.g+0.5)],%[fx:int(255*p{$1}.b+0.5)]"; }
shown="import -window root $work/shot.png && convert $work/shot.png -format '$(rgb 76,56) $(rgb 5,5)' info: | awk '{ exit !(\$1 != \"0,0,0\" && \$1 != \"255,255,255\" && \$2 == \"255,255,255\") }'"
"$host" 152x112 "until $shown" alive destroy "expect-exit 10000" -- "$program" /P '{id}' ||
    fail "destroying the host window"
for at in "5 5" "146 106" "76 20" "76 95" "20 56"; do
    [ "$(pixel $at)" = "srgb(255,255,255)" ] || fail "not white at $at: $(pixel $at)"
done
for at in "200 200" "160 50"; do
    [ "$(pixel $at)" = "srgb(0,0,0)" ] || fail "not black at $at: $(pixel $at)"
done
for at in "40 35" "76 56" "115 78"; do
    case "$(pixel $at)" in
    "srgb(255,255,255)" | "srgb(0,0,0)") fail "no picture at $at" ;;
    esac
done

"$host" 152x112 "until $shown" alive close "expect-exit 10000" -- "$program" /P '{id}' ||
    fail "closing the hosted box"
"$host" 152x112 "expect-exit 10000" -- "$program" /P 0 || fail "/P 0"
"$host" 152x112 "expect-exit 10000" -- "$program" /P || fail "/P alone"
"$host" 152x112 "expect-exit 10000" -- "$program" /p 2147483000 || fail "a stale window id"
