#!/usr/bin/env bash
# Runs every test layer in turn and ends with one summary line for all of them.
# The counts come from the runners' own reports: CTest's JUnit file for the
# unit and fuzz tests, GoogleTest's JSON report for the end-to-end tests, and
# the exit code of the reproducibility check.
set -uo pipefail
cd "$(dirname "$0")/.."
source tools/common.sh
LOG_DIR=$PWD/build/test-logs
mkdir -p "$LOG_DIR"

passed=0
failed=0
status=0

# "<passed> <failed>" from a JUnit (.xml) or GoogleTest JSON (.json) report;
# nothing when the report is missing, as when the run did not finish.
report_counts() {
    [ -s "$1" ] || return 0
    python3 - "$1" <<'EOF'
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
EOF
}

# Adds a layer's counts; a layer that failed without a report counts as one failure.
count() {
    local p f
    read -r p f < <(report_counts "$1")
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    [ -n "${p:-}" ] || [ "$2" -eq 0 ] || failed=$((failed + 1))
}

# One line per program the end-to-end tests ran against.
e2e_line() {
    local p f
    read -r p f < <(report_counts "$LOG_DIR/$1.json")
    if [ -n "${p:-}" ]; then echo "$2: $p passed, $f failed"; else echo "$2: did not finish"; fi
}

# Runs one layer, its output shown and kept in the log folder; returns its exit code.
run() {
    local name=$1; shift
    echo "== $name"
    "$@" 2>&1 | tee "$LOG_DIR/$name.log"
    local rc=${PIPESTATUS[0]}
    [ "$rc" -eq 0 ] || { echo "== $name failed (exit $rc)"; status=1; }
    return "$rc"
}

rm -f "$LOG_DIR"/*.xml "$LOG_DIR"/*.json
run unit make --no-print-directory unit CTEST_FLAGS="--output-junit $LOG_DIR/unit.xml"
count "$LOG_DIR/unit.xml" $?
run fuzz make --no-print-directory fuzz-check CTEST_FLAGS="--output-junit $LOG_DIR/fuzz.xml"
count "$LOG_DIR/fuzz.xml" $?
GTEST_OUTPUT=json:$(winpath "$LOG_DIR/e2e.json") run e2e make --no-print-directory e2e
count "$LOG_DIR/e2e.json" $?
GTEST_OUTPUT=json:$(winpath "$LOG_DIR/e2e32.json") run e2e32 make --no-print-directory e2e32
count "$LOG_DIR/e2e32.json" $?
# The same commit built in two folders gives the same kanoze.exe and zip.
if run reproducible tools/check-reproducible.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

e2e_line e2e "end-to-end, x86_64 kanoze.exe"
e2e_line e2e32 "end-to-end, i686 kanoze.exe"
echo "tests: $passed passed, $failed failed"
exit $status
