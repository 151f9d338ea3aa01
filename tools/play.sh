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

# First run only: a demo play-list beside the program. A kanoze.txt that is
# already there is the player's own and stays as it is.
PROGRAM_DIR=$KANOZE_BUILD/win64
if [ ! -e "$PROGRAM_DIR/kanoze.txt" ]; then
    mkdir -p "$PROGRAM_DIR/demo"
    cp "$KANOZE_ROOT"/demo/sunset.bmp "$KANOZE_ROOT"/demo/mountains.jpg "$KANOZE_ROOT"/demo/flowers.gif "$PROGRAM_DIR/demo/"
    {
        printf '#FILE\r\n'
        for picture in sunset.bmp mountains.jpg flowers.gif; do
            # Drive Z: is the Linux root; the list holds code page 932 paths.
            printf 'Z:%s\r\n' "$(printf '%s' "$PROGRAM_DIR/demo/$picture" | tr / '\\')" | iconv -f UTF-8 -t CP932
        done
        printf '#FILE_END\r\n'
    } > "$PROGRAM_DIR/kanoze.txt"
    echo "play: placed a demo play-list of three pictures in $PROGRAM_DIR"
fi

# First run only, too: a demo sound play-list of two tunes, one wav and one
# mp3, made by tools/gen_tune.py. Music starts from the Sound menu.
if [ ! -e "$PROGRAM_DIR/sound.txt" ]; then
    mkdir -p "$PROGRAM_DIR/demo"
    cp "$KANOZE_ROOT/demo/tune.wav" "$PROGRAM_DIR/demo/"
    tunes=(tune.wav)
    if command -v lame >/dev/null 2>&1 &&
        python3 "$KANOZE_ROOT/tools/gen_tune.py" --melody evening "$PROGRAM_DIR/demo/evening.wav" &&
        lame --quiet "$PROGRAM_DIR/demo/evening.wav" "$PROGRAM_DIR/demo/evening.mp3"; then
        tunes+=(evening.mp3)
    fi
    rm -f "$PROGRAM_DIR/demo/evening.wav"
    {
        printf '#FILE\r\n'
        for tune in "${tunes[@]}"; do
            printf 'Z:%s\r\n' "$(printf '%s' "$PROGRAM_DIR/demo/$tune" | tr / '\\')" | iconv -f UTF-8 -t CP932
        done
        printf '#FILE_END\r\n'
    } > "$PROGRAM_DIR/sound.txt"
    echo "play: placed a demo sound play-list in $PROGRAM_DIR (サウンド → スタート plays it)"
fi

bench_wine "$PROGRAM_DIR/kanoze.exe" >"$BENCH_DIR/play.log" 2>&1
