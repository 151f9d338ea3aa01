#!/usr/bin/env bash
# Runs the end-to-end tests: kanoze.exe driven under Wine on private virtual
# displays. The suite is split into shards (GoogleTest's own split) that run
# at once, each in a Wine prefix, a display and a work folder of its own: the
# tests mostly wait on the game's timers, so side by side they take a
# fraction of the time. One shard per run with KANOZE_E2E_WORKERS=1.
set -euo pipefail
# KANOZE_TARGET=win32 tests the 32-bit program under the Wine of tools/wine32.sh;
# --prepare makes the suite's Wine prefix and runs nothing.
TARGET=${KANOZE_TARGET:-win64}
source "$(dirname "$0")/bench.sh"
[ "$TARGET" = win32 ] && source "$(dirname "$0")/wine32.sh"
bench_lock

# The 32-bit processes run in an emulator and use the cores fully: fewer shards.
# A run of chosen tests (--gtest_filter) takes one shard unless told otherwise.
if [ "$TARGET" = win32 ]; then WORKERS=3; else WORKERS=4; fi
for arg in "$@"; do case "$arg" in --gtest_filter=*) WORKERS=1 ;; esac; done
WORKERS=${KANOZE_E2E_WORKERS:-$WORKERS}
E2E_EXE=$KANOZE_BUILD/$TARGET/tests/e2e/e2e_tests.exe
GAME_EXE=$KANOZE_BUILD/$TARGET/kanoze.exe
BASE_DIR=$BENCH_DIR
INPUTS=$BASE_DIR/e2e-inputs
SHARDS=$BASE_DIR/shards

# The caller's report file (GTEST_OUTPUT=json:<Windows path>) is written from
# the shards' reports once they are all done.
REPORT=
case "${GTEST_OUTPUT:-}" in json:*) REPORT=${GTEST_OUTPUT#json:} ;; esac
unset GTEST_OUTPUT

# The tests of this run shared out by the time each took last time (the
# build tree's record of the last run, else the one kept beside this
# script): longest first, to the shard with the least so far. GoogleTest's
# own split, by position, is the fallback. The prefix every shard copies
# is made here once; a copy takes seconds.
trap bench_stop EXIT
bench_xvfb_start
bench_prefix
# --prepare: only the prefix, made ahead while something else runs.
if [ "${1:-}" = --prepare ]; then
    wineserver -w
    exit 0
fi
filters=()
if bench_wine "$E2E_EXE" --gtest_list_tests "$@" >"$BASE_DIR/e2e-list.txt" 2>/dev/null; then
    mapfile -t filters < <(python3 "$KANOZE_ROOT/tools/test_reports.py" split "$WORKERS" \
        "$KANOZE_ROOT/tools/e2e-durations.txt" "$BASE_DIR/e2e-durations.txt" <"$BASE_DIR/e2e-list.txt")
fi
wineserver -w
bench_stop
trap - EXIT

# What every shard reads and none writes, made once per run.
rm -rf "$INPUTS" "$SHARDS"
mkdir -p "$INPUTS/fixtures" "$SHARDS"
# The mp3 the music tests play: a tone of our own, encoded by lame.
python3 "$KANOZE_ROOT/tools/gen_tune.py" --tone 1.2 660 "$INPUTS/fixtures/tone.wav"
lame --quiet "$INPUTS/fixtures/tone.wav" "$INPUTS/fixtures/tone.mp3"
# Damaged pictures for the loading tests, made afresh from the good ones.
python3 "$KANOZE_ROOT/tools/mutate_pictures.py" "$INPUTS/corrupt" "${KANOZE_CORRUPT_COUNT:-24}" >/dev/null
# A folder of twenty thousand empty pictures, for the editors' batch adds:
# made here in a moment, where Wine would take a minute to create them.
mkdir -p "$INPUTS/many"
(cd "$INPUTS/many" && seq -f 'p%05g.jpg' 0 19999 | xargs touch)
# The release zip of the program under test (make dist), unpacked by each
# shard into an empty folder, as a player unpacks it.
zip=${KANOZE_DIST:-$KANOZE_ROOT/dist}/$(release_zip_name "$KANOZE_BUILD/$TARGET").zip
[ -f "$zip" ] || echo "run-e2e: no $zip (make dist makes it); the release test fails"

export KANOZE_EXE=$(winpath "$GAME_EXE")
export KANOZE_SOURCE=$(winpath "$KANOZE_ROOT")
export KANOZE_E2E_CORRUPT=$(winpath "$INPUTS/corrupt")
export KANOZE_E2E_MANY=$(winpath "$INPUTS/many")
# The Wine loader as a Unix path, for tests that start the game in another locale.
export KANOZE_WINE=$(bench_wine_path)
export WINEDEBUG=-all

# Runs shard $1 in its own prefix, display and work folder; exits with the suite's code.
run_shard() {
    local index=$1 dir=$SHARDS/$1
    BENCH_DIR=$dir
    export WINEPREFIX=$dir/wineprefix ALSA_CONFIG_PATH=$dir/alsa.conf
    mkdir -p "$dir/work/full"
    cp -a "$BASE_DIR/wineprefix" "$WINEPREFIX"
    cp "$BASE_DIR/alsa.conf" "$ALSA_CONFIG_PATH"
    ln -s "$INPUTS/fixtures" "$dir/work/fixtures"
    if [ -f "$zip" ]; then
        python3 -m zipfile -e "$zip" "$dir/unpacked"
        export KANOZE_E2E_UNPACKED=$(winpath "$dir/unpacked")
    fi
    # A full disk without privileges: the temporary files of a program folder
    # are links to /dev/full, where every write fails with "no space left".
    ln -s /dev/full "$dir/work/full/kanoze.tx~"
    ln -s /dev/full "$dir/work/full/sound.tx~"
    export KANOZE_E2E_WORK=$(winpath "$dir/work") KANOZE_E2E_FULL=$(winpath "$dir/work/full")
    local filter=()
    if [ ${#filters[@]} -eq "$WORKERS" ]; then
        filter=("--gtest_filter=${filters[$index]}")
    else
        export GTEST_TOTAL_SHARDS=$WORKERS GTEST_SHARD_INDEX=$index
    fi
    export GTEST_OUTPUT=json:$(winpath "$dir/report.json")
    trap bench_stop EXIT
    bench_xvfb_start
    local status=0
    # Wine's helper processes keep the first program's output open, so the
    # output goes to a file and is shown afterwards.
    bench_wine "$E2E_EXE" "$@" "${filter[@]}" >"$dir/output.txt" 2>&1 || status=$?
    exit $status
}

pids=()
for index in $(seq 0 $((WORKERS - 1))); do
    (run_shard "$index" "$@") &
    pids+=($!)
done
status=0
failed_shards=()
for index in "${!pids[@]}"; do
    wait "${pids[$index]}" || { status=1; failed_shards+=("$index"); }
done

# Each shard's output in turn. Wine's GStreamer back end reports GLib
# criticals from its own error path when a file offered as sound is none
# (the music tests offer such files on purpose): they stay in the shard's
# output file and are left off the console, each with the blank line GLib
# puts before it.
criticals=0
for index in "${!pids[@]}"; do
    out=$SHARDS/$index/output.txt
    echo "-- shard $((index + 1)) of $WORKERS ($out)"
    awk '/GStreamer-CRITICAL/ { blank = 0; next }
         /^$/ { if (blank) print ""; blank = 1; next }
         { if (blank) print ""; blank = 0; print }
         END { if (blank) print "" }' "$out"
    criticals=$((criticals + $(grep -c 'GStreamer-CRITICAL' "$out" || true)))
done
[ "$criticals" -eq 0 ] || echo "run-e2e: $criticals critical messages of Wine's GStreamer back end are kept in the shards' output files"

# One report from the shards' reports, and the failures named by shard.
python3 "$KANOZE_ROOT/tools/test_reports.py" merge "$SHARDS/merged.json" "$SHARDS"/*/report.json || status=1
[ -z "$REPORT" ] || cp "$SHARDS/merged.json" "$(printf '%s' "$REPORT" | sed 's/^[A-Za-z]://; s/\\/\//g')"
# What each test took, for the next run's split (a run of chosen tests
# adds to the record, it does not replace it).
python3 "$KANOZE_ROOT/tools/test_reports.py" durations "$SHARDS/merged.json" "$BASE_DIR/e2e-durations.txt" || true
for index in "${failed_shards[@]}"; do
    echo "run-e2e: shard $((index + 1)) of $WORKERS failed; its prefix, work folder and output are in $SHARDS/$index"
done
# The shards' prefixes are copies: only failing ones are kept for a look.
for index in "${!pids[@]}"; do
    [[ " ${failed_shards[*]} " == *" $index "* ]] || rm -rf "$SHARDS/$index/wineprefix" "$SHARDS/$index/unpacked"
done
exit $status
