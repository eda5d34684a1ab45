#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors,
# and runs the whole test suite in that build. Expects scripts/install-deps.sh --test to have run.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${SANITIZE_BUILD_DIR:-build/sanitize}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON \
    -DNUMERINT_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel "$jobs"

# Any report fails the test; leaks are checked too (Qt needs no suppressions here).
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
ASAN_OPTIONS+=":check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The long session only measures memory, which the sanitizer's red zones make meaningless.
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --label-exclude not_sanitized
