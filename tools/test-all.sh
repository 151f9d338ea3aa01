#!/usr/bin/env bash
# Runs every test layer in turn and ends with one summary line for all of them.
set -uo pipefail
cd "$(dirname "$0")/.."
LOG_DIR=build/test-logs
mkdir -p "$LOG_DIR"

passed=0
failed=0
status=0

# ctest: "N% tests passed, F tests failed out of T"
count_ctest() {
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -n 1)
    local f t
    f=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' <<<"$line")
    t=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' <<<"$line")
    passed=$((passed + ${t:-0} - ${f:-0}))
    failed=$((failed + ${f:-0}))
}

# GoogleTest: "[  PASSED  ] N tests." and "[  FAILED  ] N tests, listed below:"
gtest_counts() {
    local p f
    p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$1" | tail -n 1)
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$1" | tail -n 1)
    echo "${p:-0} ${f:-0}"
}
count_gtest() {
    local p f
    read -r p f < <(gtest_counts "$1")
    passed=$((passed + p))
    failed=$((failed + f))
}

# One line per program the end-to-end tests ran against.
e2e_line() {
    local p f
    read -r p f < <(gtest_counts "$LOG_DIR/$1.log")
    if grep -q '^\[==========\] .* ran\.' "$LOG_DIR/$1.log"; then
        echo "$2: $p passed, $f failed"
    else
        echo "$2: did not finish"
    fi
}

run() {
    local name=$1; shift
    echo "== $name"
    "$@" 2>&1 | tee "$LOG_DIR/$name.log"
    local rc=${PIPESTATUS[0]}
    [ "$rc" -eq 0 ] || { echo "== $name failed (exit $rc)"; status=1; }
    return 0
}

run unit make --no-print-directory unit
count_ctest "$LOG_DIR/unit.log"
run fuzz make --no-print-directory fuzz-check
count_ctest "$LOG_DIR/fuzz.log"
run e2e make --no-print-directory e2e
count_gtest "$LOG_DIR/e2e.log"
run e2e32 make --no-print-directory e2e32
count_gtest "$LOG_DIR/e2e32.log"
# The same commit built in two folders gives the same kanoze.exe and zip.
run reproducible tools/check-reproducible.sh
repro_ok=$(grep -c ' identical ' "$LOG_DIR/reproducible.log" || true)
repro_bad=$(grep -c ' DIFFERS ' "$LOG_DIR/reproducible.log" || true)
passed=$((passed + repro_ok))
failed=$((failed + repro_bad))

# A layer that failed before reporting counts as one failure.
if [ $status -ne 0 ] && [ $failed -eq 0 ]; then failed=1; fi
e2e_line e2e "end-to-end, x86_64 kanoze.exe"
e2e_line e2e32 "end-to-end, i686 kanoze.exe"
echo "tests: $passed passed, $failed failed"
exit $status
