#!/bin/sh
# Builds the native fuzz target with clang and runs it for a bounded time
# (FUZZ_SECONDS, default 60); fails on any crash or sanitizer report.
set -eu
cd "$(dirname "$0")/.."

cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz
corpus=build/fuzz/corpus
mkdir -p "$corpus"
log=build/fuzz/last-run.log
if ! build/fuzz/time_reply_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$corpus" tests/fuzz/seeds >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzzing found a fault; the input is in build/fuzz/" >&2
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units)' "$log"
