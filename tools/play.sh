#!/usr/bin/env bash
# Runs the game under Wine: on the desktop's display when there is one,
# otherwise on a virtual display.
set -euo pipefail
source "$(dirname "$0")/bench.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "play: starting Kanoze on display $DISPLAY"
else
    bench_xvfb_start
    echo "play: no desktop display found; Kanoze runs on the virtual display $DISPLAY"
    echo "play: (connect a viewer to it, or run 'make play' from a desktop session to see the window)"
    trap bench_stop EXIT
fi
bench_prefix
bench_wine "$KANOZE_BUILD/win64/kanoze.exe" >"$BENCH_DIR/play.log" 2>&1
