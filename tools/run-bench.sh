#!/usr/bin/env bash
# Runs the bench under Wine on a private virtual display and prints its table.
set -euo pipefail
source "$(dirname "$0")/bench.sh"
# With the 32-bit programs and tools/wine32.sh's Wine set up, the whole bench
# runs in that Wine (its 64-bit half is Debian's wine64 of the same version) and
# measures start-up and memory of the 32-bit programs too.
GAME32_EXE=$KANOZE_BUILD/win32/kanoze.exe
FLOOR32_EXE=$KANOZE_BUILD/win32/tests/bench/floor_window.exe
BENCH32_EXE=$KANOZE_BUILD/win32/tests/bench/kanoze_bench.exe
with32=0
if [ -f "$GAME32_EXE" ] && [ -f "$FLOOR32_EXE" ] && [ -f "$BENCH32_EXE" ] && [ -f "$KANOZE_BUILD/wine32/ready" ]; then
    source "$(dirname "$0")/wine32.sh"
    with32=1
fi
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
mkdir -p "$WORK/many"
# The game and its floor programs are measured as the release zips ship
# them, without debug information: Wine reads a section whose place in the
# file does not line up with a page into memory whole when it loads the
# program, so megabytes of debug information could count in the game's
# working set, or not, by where the linker happened to put them.
strip_program() {  # <strip tool> <program> <copy>
    mkdir -p "$(dirname "$3")"
    "$1" -o "$3" "$2"
}
strip_program x86_64-w64-mingw32-strip "$GAME_EXE" "$WORK/programs/win64/kanoze.exe"
strip_program x86_64-w64-mingw32-strip "$FLOOR_EXE" "$WORK/programs/win64/floor_window.exe"
GAME_EXE=$WORK/programs/win64/kanoze.exe
FLOOR_EXE=$WORK/programs/win64/floor_window.exe
if [ $with32 -eq 1 ]; then
    strip_program i686-w64-mingw32-strip "$GAME32_EXE" "$WORK/programs/win32/kanoze.exe"
    strip_program i686-w64-mingw32-strip "$FLOOR32_EXE" "$WORK/programs/win32/floor_window.exe"
    GAME32_EXE=$WORK/programs/win32/kanoze.exe
    FLOOR32_EXE=$WORK/programs/win32/floor_window.exe
fi
# The folder the editor's Add Folder row drops: twenty thousand empty pictures.
(cd "$WORK/many" && seq -f 'p%05g.jpg' 0 19999 | xargs touch)

# Wine's helper processes keep the first program's output open, so the
# output goes to files and is shown afterwards.
echo "bench: measuring (about two minutes, far longer with the 32-bit programs); progress in $LOG"
status=0
programs=("$(winpath "$GAME_EXE")" "$(winpath "$FLOOR_EXE")")
[ $with32 -eq 1 ] && programs+=("$(winpath "$GAME32_EXE")" "$(winpath "$FLOOR32_EXE")" "$(winpath "$BENCH32_EXE")")
bench_wine "$BENCH_EXE" "$(winpath "$WORK")" "${programs[@]}" >"$OUT" 2>"$LOG" || status=$?
[ $status -eq 0 ] || cat "$LOG"
cat "$OUT"
exit $status
