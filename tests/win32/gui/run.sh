#!/usr/bin/env bash
# Runs a Windows program on the GUI session's display and in its prefix (session.sh): for test
# programs that make windows, which Wine refuses without a display.
# Usage: run.sh SESSION WINE-RUN PROGRAM [ARGUMENT...]
set -euo pipefail
session="$1" wine_run="$2"
shift 2
DISPLAY=":$(head -n1 "$session/display")" exec "$wine_run" --prefix "$session/prefix" "$@"
