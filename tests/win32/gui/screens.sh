# Two side-by-side screens of different sizes, as Wine sees them from Xinerama (Xephyr inside the
# test's own Xvfb, a prefix of the test's own told not to use XRandR): with "Every Screen" both
# show pictures, in their own sizes, and a click on the second ends the show; with "Primary Only"
# the second stays black.
# Usage: screens.sh PROGRAM SESSION WINE-RUN
source "$(dirname "$0")/lib.bash" "$@"
command -v Xephyr >/dev/null || fail "Xephyr is not installed (scripts/setup --windows installs it)"
start_xvfb 1280x1024
XEPHYR_PID=""
PREFIX="$WORK/prefix"
export WINEPREFIX="$PREFIX"
trap 'stop_wine; [ -n "$XEPHYR_PID" ] && kill "$XEPHYR_PID" 2>/dev/null; cleanup' EXIT

# Xephyr's two screens side by side: 1920 x 1080 at 0,0 and 1280 x 1024 at 1920,0.
start_x_server Xephyr +xinerama -screen 1920x1080 -screen 1280x1024 -ac || fail "Xephyr did not start"
XEPHYR_PID="$X_SERVER_PID"
export DISPLAY="$X_SERVER_DISPLAY"

"$WINE_RUN" --prefix "$PREFIX" --boot
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 9>&-
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f </dev/null >/dev/null 2>&1 9>&-
stop_wine # the next server reads the screens from Xinerama

mkdir -p "$WORK/pics"
picture "$WORK/pics/a.png" 400x300 "#ff0000"
picture "$WORK/pics/b.png" 400x300 "#0000ff"
# showing X Y: the pixel is a picture's, red or blue.
showing() {
    case "$(pixel "$1" "$2")" in
    255,0,0 | 0,0,255) return 0 ;;
    *) return 1 ;;
    esac
}
both() { showing 960 540 && showing 2560 512; }

win_settings "ImagePath=$(windows_path "$WORK/pics/")" AllImages=1 FullScreen=1 IgnoreMouse=1 \
    ShowOnAllScreens=1 ImageInterval=30
win_show
wait_shot 120 both || fail "not both screens show pictures: $(pixel 960 540) and $(pixel 2560 512)"
# Each in its own size: the 4:3 pictures fill the 1280 x 1024 screen's width, with a band above.
expect_pixel 2560 20 "0,0,0" "above the second screen's picture"
expect_pixel 1930 512 "$(pixel 2560 512)" "the second screen's picture, full width"
until_ended xdotool mousemove 2560 512 click 1

win_settings "ImagePath=$(windows_path "$WORK/pics/")" AllImages=1 FullScreen=1 IgnoreMouse=1 \
    ShowOnAllScreens=0 ImageInterval=30
win_show
wait_shot 120 showing 960 540 || fail "the primary screen shows no picture: $(pixel 960 540)"
expect_pixel 2560 512 "0,0,0" "the second screen, covered"
until_ended xdotool mousemove 2560 512 click 1
echo "every screen showed pictures, or the primary one alone"
