#!/usr/bin/env bash
# Runs every test layer and ends with one summary line for all of them.
#
# The 32-bit Wine is unpacked while both programs and their tests build;
# then three lanes run side by side, since the end-to-end suites spend their
# time waiting on the game's timers, not computing:
#   x86_64  the 64-bit program's end-to-end suite (in shards of its own)
#   i686    the 32-bit program's end-to-end suite (in shards of its own)
#   native  unit tests, the short fuzz run, the reproducibility check
# Each lane's output goes to its own log and is shown when the lane ends.
# The counts come from the runners' own reports: CTest's JUnit file for the
# unit and fuzz tests, GoogleTest's JSON report (merged from the shards) for
# the end-to-end tests, and the exit code of the reproducibility check.
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh
LOG_DIR=$PWD/build/test-logs
mkdir -p "$LOG_DIR"
rm -f "$LOG_DIR"/*.xml "$LOG_DIR"/*.json "$LOG_DIR"/*.log "$LOG_DIR"/*.time

started=$(date +%s)

# Runs one stage, its output kept in the log folder with its start and end
# times; returns its exit code.
stage() {
    local name=$1; shift
    local begin rc
    begin=$(date +%s)
    "$@" >"$LOG_DIR/$name.log" 2>&1
    rc=$?
    echo "$name $begin $(date +%s) $rc" >"$LOG_DIR/$name.time"
    return "$rc"
}

# The lanes, each stage only when the one before it passed.
lane_x86_64() {
    GTEST_OUTPUT=json:$(winpath "$LOG_DIR/e2e.json") stage e2e tools/run-e2e.sh
}
lane_i686() {
    [ "$(cut -d' ' -f4 "$LOG_DIR/wine32.time" 2>/dev/null)" = 0 ] &&
        KANOZE_TARGET=win32 GTEST_OUTPUT=json:$(winpath "$LOG_DIR/e2e32.json") stage e2e32 tools/run-e2e.sh
}
# The native tests yield the processor to the emulated 32-bit suite, which
# is the longest lane and the one that computes.
lane_native() {
    stage unit nice -n 10 make --no-print-directory unit CTEST_FLAGS="--output-junit $LOG_DIR/unit.xml"
    stage fuzz nice -n 10 make --no-print-directory fuzz-check CTEST_FLAGS="--output-junit $LOG_DIR/fuzz.xml"
    stage reproducible nice -n 10 tools/check-reproducible.sh
}

# The 32-bit Wine is fetched and unpacked (disk and network) and its prefix
# made while the programs build.
stage wine32 sh -c 'tools/wine32.sh && KANOZE_TARGET=win32 tools/run-e2e.sh --prepare' &
wine32=$!
echo "== build: both programs, their end-to-end tests and the release zips (the 32-bit Wine unpacked meanwhile)"
if ! stage build make --no-print-directory build build32-tests dist setup-wine; then
    cat "$LOG_DIR/build.log"
fi
lane_x86_64 & x86_64=$!
lane_native & native=$!
wait "$wine32"
lane_i686 & i686=$!
echo "== the three lanes run side by side: x86_64 end-to-end, i686 end-to-end, native tests"
for pid in $x86_64 $i686 $native; do wait "$pid"; done

passed=0
failed=0
status=0

# "<passed> <failed>" from a JUnit (.xml) or GoogleTest JSON (.json) report;
# nothing when the report is missing, as when the run did not finish.
report_counts() {
    [ -s "$1" ] || return 0
    python3 - "$1" <<'PY'
import json, sys, xml.etree.ElementTree as tree
path = sys.argv[1]
if path.endswith('.json'):
    report = json.load(open(path))
    total, failed = report['tests'] - report.get('disabled', 0), report['failures'] + report.get('errors', 0)
    skipped = sum(1 for suite in report['testsuites'] for case in suite['testsuite']
                  if case.get('result') == 'SKIPPED')
else:
    suite = tree.parse(path).getroot()
    total, failed = int(suite.get('tests', 0)), int(suite.get('failures', 0)) + int(suite.get('errors', 0))
    skipped = int(suite.get('skipped', 0)) + int(suite.get('disabled', 0))
print(total - failed - skipped, failed)
PY
}

# Shows a stage's log and adds its counts (from its report, or one test for
# a stage without one); a stage that failed without a report counts as one
# failure, one that never ran is named.
count() {
    local name=$1 report=${2:-} p f rc
    if [ ! -f "$LOG_DIR/$name.time" ]; then
        echo "== $name did not run (a stage before it failed)"
        failed=$((failed + 1)); status=1
        return
    fi
    rc=$(cut -d' ' -f4 "$LOG_DIR/$name.time")
    echo "== $name"
    cat "$LOG_DIR/$name.log"
    [ "$rc" -eq 0 ] || { echo "== $name failed (exit $rc)"; status=1; }
    if [ -z "$report" ]; then
        if [ "$rc" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
        return
    fi
    read -r p f < <(report_counts "$report")
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    [ -n "${p:-}" ] || [ "$rc" -eq 0 ] || failed=$((failed + 1))
}

# One line per program the end-to-end tests ran against.
e2e_line() {
    local p f
    read -r p f < <(report_counts "$LOG_DIR/$1.json")
    if [ -n "${p:-}" ]; then echo "$2: $p passed, $f failed"; else echo "$2: did not finish"; fi
}

rc=$(cut -d' ' -f4 "$LOG_DIR/build.time")
[ "$rc" -eq 0 ] || { echo "== build failed (exit $rc)"; status=1; }
count unit "$LOG_DIR/unit.xml"
count fuzz "$LOG_DIR/fuzz.xml"
count e2e "$LOG_DIR/e2e.json"
count wine32
count e2e32 "$LOG_DIR/e2e32.json"
count reproducible
# wine32 is a set-up step, not a test: take back the one it counted.
[ "$(cut -d' ' -f4 "$LOG_DIR/wine32.time" 2>/dev/null)" = 0 ] && passed=$((passed - 1))

echo "== the ten slowest tests"
python3 tools/test_reports.py slowest 10 "$LOG_DIR"/e2e.json "$LOG_DIR"/e2e32.json "$LOG_DIR"/unit.xml "$LOG_DIR"/fuzz.xml
echo "== wall time of each stage (from the start of the run)"
for name in wine32 build e2e e2e32 unit fuzz reproducible; do
    [ -f "$LOG_DIR/$name.time" ] || continue
    read -r _ begin end _ <"$LOG_DIR/$name.time"
    printf '%-13s %4d s   (%d s to %d s)\n' "$name" $((end - begin)) $((begin - started)) $((end - started))
done
printf '%-13s %4d s\n' "all" $(($(date +%s) - started))

e2e_line e2e "end-to-end, x86_64 kanoze.exe"
e2e_line e2e32 "end-to-end, i686 kanoze.exe"
echo "tests: $passed passed, $failed failed"
exit $status
