#!/usr/bin/env bash
# Runs the bench under Wine on a private virtual display and prints its table.
set -euo pipefail
source "$(dirname "$0")/bench.sh"
bench_lock

BENCH_EXE=$KANOZE_BUILD/win64/tests/bench/kanoze_bench.exe
FLOOR_EXE=$KANOZE_BUILD/win64/tests/bench/floor_window.exe
GAME_EXE=$KANOZE_BUILD/win64/kanoze.exe
WORK=$BENCH_DIR/bench-work
OUT=$BENCH_DIR/bench-output.txt
LOG=$BENCH_DIR/bench-log.txt

trap bench_stop EXIT
bench_xvfb_start
bench_prefix
rm -rf "$WORK"
mkdir -p "$WORK"

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

# Wine's helper processes keep the first program's output open, so the
# output goes to files and is shown afterwards.
echo "bench: measuring (about two minutes); progress in $LOG"
status=0
bench_wine "$BENCH_EXE" "$(winpath "$WORK")" "$(winpath "$GAME_EXE")" "$(winpath "$FLOOR_EXE")" \
    >"$OUT" 2>"$LOG" || status=$?
[ $status -eq 0 ] || cat "$LOG"
cat "$OUT"
exit $status
