#!/usr/bin/env bash
# Runs the end-to-end tests: kanoze.exe driven under Wine on a private
# virtual display, in a prefix of its own under build/.
set -euo pipefail
# KANOZE_TARGET=win32 tests the 32-bit program under the Wine of tools/wine32.sh.
TARGET=${KANOZE_TARGET:-win64}
source "$(dirname "$0")/bench.sh"
[ "$TARGET" = win32 ] && source "$(dirname "$0")/wine32.sh"
bench_lock

E2E_EXE=$KANOZE_BUILD/$TARGET/tests/e2e/e2e_tests.exe
GAME_EXE=$KANOZE_BUILD/$TARGET/kanoze.exe
WORK=$BENCH_DIR/e2e-work
OUT=$BENCH_DIR/e2e-output.txt

trap bench_stop EXIT
bench_xvfb_start
bench_prefix
rm -rf "$WORK"
mkdir -p "$WORK"

# The mp3 the music tests play: a tone of our own, encoded by lame.
mkdir -p "$WORK/fixtures"
python3 "$KANOZE_ROOT/tools/gen_tune.py" --tone 1.2 660 "$WORK/fixtures/tone.wav"
lame --quiet "$WORK/fixtures/tone.wav" "$WORK/fixtures/tone.mp3"
# Damaged pictures for the loading tests, made afresh from the good ones.
python3 "$KANOZE_ROOT/tools/mutate_pictures.py" "$WORK/corrupt" "${KANOZE_CORRUPT_COUNT:-24}" >/dev/null
# The release zip of the program under test (make dist) unpacked into an
# empty folder, as a player unpacks it.
zip=$KANOZE_ROOT/dist/$(release_zip_name "$KANOZE_BUILD/$TARGET").zip
if [ -f "$zip" ]; then
    python3 -m zipfile -e "$zip" "$WORK/unpacked"
    export KANOZE_E2E_UNPACKED=$(winpath "$WORK/unpacked")
else
    echo "run-e2e: no $zip (make dist makes it); the release test fails"
fi
# A folder of twenty thousand empty pictures, for the editors' batch adds:
# made here in a moment, where Wine would take a minute to create them.
mkdir -p "$WORK/many"
(cd "$WORK/many" && seq -f 'p%05g.jpg' 0 19999 | xargs touch)
export KANOZE_E2E_MANY=$(winpath "$WORK/many")
# A full disk without privileges: the temporary files of a program folder
# are links to /dev/full, where every write fails with "no space left".
mkdir -p "$WORK/full"
ln -s /dev/full "$WORK/full/kanoze.tx~"
ln -s /dev/full "$WORK/full/sound.tx~"

export KANOZE_EXE=$(winpath "$GAME_EXE")
export KANOZE_E2E_WORK=$(winpath "$WORK")
export KANOZE_SOURCE=$(winpath "$KANOZE_ROOT")
export KANOZE_E2E_CORRUPT=$(winpath "$WORK/corrupt")
export KANOZE_E2E_FULL=$(winpath "$WORK/full")
# The Wine loader as a Unix path, for tests that start the game in another locale.
export KANOZE_WINE=$(bench_wine_path)
export WINEDEBUG=-all

# Wine's helper processes keep the first program's output open, so the
# output goes to a file and is shown afterwards.
status=0
bench_wine "$E2E_EXE" "$@" >"$OUT" 2>&1 || status=$?
# Wine's GStreamer back end reports GLib criticals from its own error path
# when a file offered as sound is none (the music tests offer such files on
# purpose). They stay in $OUT and are left off the console, each with the
# blank line GLib puts before it.
awk '/GStreamer-CRITICAL/ { blank = 0; next }
     /^$/ { if (blank) print ""; blank = 1; next }
     { if (blank) print ""; blank = 0; print }
     END { if (blank) print "" }' "$OUT"
criticals=$(grep -c 'GStreamer-CRITICAL' "$OUT" || true)
[ "$criticals" -eq 0 ] || echo "run-e2e: $criticals critical messages of Wine's GStreamer back end are kept in $OUT"
exit $status
