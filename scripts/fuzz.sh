#!/bin/sh
# Builds the native fuzz targets with clang and runs each for a bounded time (FUZZ_SECONDS
# each, default 30: the three take about a minute and a half in all), from its seeds in
# tests/fuzz/seeds/<target>; fails on any crash or sanitizer report.
set -eu
cd "$(dirname "$0")/.."

cmake -S tests/fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/fuzz
for target in time_reply toolkit_text picture; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    log=build/fuzz/$target.log
    if ! "build/fuzz/${target}_fuzz" -max_total_time="${FUZZ_SECONDS:-30}" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/$target-" "$corpus" "tests/fuzz/seeds/$target" \
        >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzzing $target found a fault; the input is in build/fuzz/" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: $runs runs in ${FUZZ_SECONDS:-30} s"
done
