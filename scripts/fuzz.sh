#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang and runs each from a copy of its corpus for the given seconds
# (default 60); fails when a fuzzer finds an input that breaks an invariant.
# Usage: scripts/fuzz.sh [seconds]   (extra libFuzzer flags through FUZZ_FLAGS, e.g. -seed=7)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-build/fuzz}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
read -r -a extra_flags <<<"${FUZZ_FLAGS:-}"

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNUMERINT_FUZZ=ON -DNUMERINT_BUILD_WINDOW=OFF -DBUILD_TESTING=OFF \
    -DNUMERINT_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel "$jobs"

# The corpus grows while fuzzing; only a copy of it is handed over, so the checkout stays clean.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for target in calculate number_text formula; do
    cp -r "tests/fuzz/corpus/$target" "$work/corpus-$target"
    findings="$build/findings/$target"
    mkdir -p "$findings"
    log="$work/$target.log"
    echo "fuzz_$target: ${seconds} s from $(ls "tests/fuzz/corpus/$target" | wc -l) seeds"
    if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "${extra_flags[@]}" \
        "$work/corpus-$target" 2>"$log"; then
        grep -E '^(Done|stat::number_of_executed_units|stat::slowest_unit_time_sec|stat::peak_rss_mb)' \
            "$log" || true
    else
        tail -n 60 "$log"
        echo "fuzz_$target FOUND A FAULT; the input is kept in $findings:" >&2
        ls -l "$findings" >&2
        status=1
    fi
done
exit "$status"
