#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the tests need, then runs every test headless: the whole suite in a plain
# build with warnings as errors and again under the sanitizers, the fuzzers for a bounded
# time, and each benchmark once briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test

build=${BUILD_DIR:-build/test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMERINT_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

scripts/test-sanitized.sh
scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
scripts/bench.sh --smoke
