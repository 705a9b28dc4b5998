#!/usr/bin/env bash
# The real XScreenSaver (Debian's package) under Xvfb runs Glimmerframe as its only display
# program: after -activate a screenshot shows a slide; -deactivate stops the program.
# XScreenSaver refuses to run display programs as root, so as root this runs them as an
# unprivileged user of its own (created once). Run on demand:
#   bash tests/xscreensaver_check.sh build/dev/src/app/glimmerframe [SCREENSHOT.png]
set -euo pipefail
program=$(realpath "$1")
keep="${2:-}"
samples="$(cd "$(dirname "$0")/../samples" && pwd)"
work=$(mktemp -d /tmp/glimmerframe-xss.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/xss.log" ] && tail -20 "$work/xss.log"; exit 1; }

as_user=()
if [ "$(id -u)" -eq 0 ]; then
    user=glimmerframe-test
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    as_user=(runuser -u "$user" --)
fi
home="$work/home"
mkdir -p "$home"
cat >"$home/.xscreensaver" <<CONF
mode:		one
selected:	0
timeout:	0:30:00
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
programs:	"Glimmerframe" $program --root --folder $samples --dissolve Normal --interval 1 \n
CONF
[ "${#as_user[@]}" -gt 0 ] && chown -R "$user" "$home"

Xvfb -displayfd 3 -screen 0 800x600x24 -br -ac -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
run() { "${as_user[@]}" env HOME="$home" DISPLAY="$DISPLAY" XDG_CONFIG_HOME="$home/.config" "$@"; }

run xscreensaver -no-splash >"$work/xss.log" 2>&1 &
pids+=($!)
ready=""
for _ in $(seq 150); do
    run xscreensaver-command -time >/dev/null 2>&1 && { ready=1; break; }
    sleep 0.2
done
[ -n "$ready" ] || fail "XScreenSaver did not start"
run xscreensaver-command -activate >/dev/null || fail "xscreensaver-command -activate"
shown=""
for _ in $(seq 40); do
    sleep 0.25
    pgrep -f "^$program --root" >/dev/null || continue
    import -window root "$work/shot.png"
    lit=$(convert "$work/shot.png" -fill white +opaque black -colorspace gray -format '%[fx:mean]' info:)
    if awk -v l="$lit" 'BEGIN { exit !(l > 0.2) }'; then shown=1; break; fi
done
[ -n "$shown" ] || fail "no slide on the screen"
[ -z "$keep" ] || cp "$work/shot.png" "$keep"
run xscreensaver-command -deactivate >/dev/null || fail "xscreensaver-command -deactivate"
for _ in $(seq 40); do
    pgrep -f "^$program --root" >/dev/null || { echo "XScreenSaver ran and stopped Glimmerframe"; exit 0; }
    sleep 0.1
done
fail "Glimmerframe still runs after -deactivate"
