#!/usr/bin/env bash
# Runs the game under Wine: on the desktop's display when there is one,
# otherwise on a virtual display.
set -euo pipefail
source "$(dirname "$0")/bench.sh"
bench_lock

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "play: starting Kanoze on display $DISPLAY"
else
    bench_xvfb_start
    echo "play: no desktop display found; Kanoze runs on the virtual display $DISPLAY"
    echo "play: (connect a viewer to it, or run 'make play' from a desktop session to see the window)"
    trap bench_stop EXIT
fi
bench_prefix

# The demo folder beside the program, as in the release zip: while there is
# no kanoze.txt the game starts with its pictures and tunes and writes them
# into kanoze.txt and sound.txt at exit. A kanoze.txt that is already there
# is the player's own and decides alone.
PROGRAM_DIR=$KANOZE_BUILD/win64
mkdir -p "$PROGRAM_DIR/demo"
for file in "$KANOZE_ROOT"/demo/*; do
    [ -e "$PROGRAM_DIR/demo/${file##*/}" ] || cp "$file" "$PROGRAM_DIR/demo/"
done
[ -e "$PROGRAM_DIR/kanoze.txt" ] || echo "play: no kanoze.txt yet: Kanoze starts with the demo pictures in $PROGRAM_DIR/demo"

bench_wine "$PROGRAM_DIR/kanoze.exe" >"$BENCH_DIR/play.log" 2>&1
