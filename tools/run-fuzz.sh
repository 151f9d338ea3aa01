#!/usr/bin/env bash
# The long fuzzing run of the list-file reader: at least a million inputs.
# Inputs that reach new code are merged into tests/fuzz/corpus, which is
# kept in the repository and seeds every later run (the short one in
# `make test` too).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FUZZER=$ROOT/build/fuzz/tests/fuzz/fuzz_list_file
WORK=$ROOT/build/fuzz/tests/fuzz/corpus
RUNS=${KANOZE_FUZZ_RUNS:-1000000}
mkdir -p "$WORK"
"$FUZZER" -runs="$RUNS" -rss_limit_mb=2048 -print_final_stats=1 "$WORK" "$ROOT/tests/fuzz/corpus" \
    >"$ROOT/build/fuzz/fuzz-run.log" 2>&1 || { tail -n 40 "$ROOT/build/fuzz/fuzz-run.log"; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' "$ROOT/build/fuzz/fuzz-run.log"
"$FUZZER" -merge=1 "$ROOT/tests/fuzz/corpus" "$WORK" >"$ROOT/build/fuzz/fuzz-merge.log" 2>&1
echo "fuzz: $(ls "$ROOT/tests/fuzz/corpus" | wc -l) inputs in tests/fuzz/corpus"
