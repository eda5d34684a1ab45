#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in Release and runs them all, printing every figure of
# docs/PERFORMANCE.md. With --smoke, runs each benchmark once briefly and fails if one fails.
set -euo pipefail
cd "$(dirname "$0")/.."

smoke=false
case "${1:-}" in
"") ;;
--smoke) smoke=true ;;
*)
    echo "usage: scripts/bench.sh [--smoke]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh --test

build=${BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DNUMERINT_BUILD_BENCHMARKS=ON \
    -DNUMERINT_WARNINGS_AS_ERRORS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target calc_bench equation_bench system_bench \
    tolerance_bench stability_bench \
    startup_bench click_bench cli_bench course_bench pass_view_bench system_course_bench \
    phase_plane_bench stability_page_bench
bench=$build/bench

# Qt wants a private runtime directory; a fresh one keeps its warnings out of the output.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    export XDG_RUNTIME_DIR
fi

# Runs a command silently; shows what it printed when it fails.
quietly() {
    local output
    if ! output=$("$@" 2>&1); then
        printf '%s\n' "$output" >&2
        echo "Failed: $*" >&2
        return 1
    fi
}

if $smoke; then
    export QT_QPA_PLATFORM=offscreen
    quietly "$bench/calc_bench" --benchmark_min_time=0.001
    quietly "$bench/equation_bench" --benchmark_min_time=0.001
    quietly "$bench/system_bench" --benchmark_min_time=0.001
    quietly "$bench/tolerance_bench" --benchmark_min_time=0.001
    quietly "$bench/stability_bench" --benchmark_min_time=0.001
    quietly "$bench/startup_bench" --runs 1
    quietly "$bench/click_bench" --clicks 2 --lines 0,1000
    quietly "$bench/cli_bench" --runs 2
    quietly "$bench/course_bench" --runs 1 --later 2
    quietly "$bench/pass_view_bench" --benchmark_min_time=0.001
    quietly "$bench/system_course_bench" --benchmark_min_time=0.001
    quietly "$bench/phase_plane_bench" --benchmark_min_time=0.001
    quietly "$bench/stability_page_bench" --benchmark_min_time=0.001
    echo "Benchmarks built and ran once."
    exit 0
fi

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores;" \
    "$(g++ --version | head -n 1); Qt $(dpkg-query -W -f='${Version}' qt6-base-dev);" \
    "Google Benchmark $(dpkg-query -W -f='${Version}' libbenchmark-dev);" \
    "Boost $(dpkg-query -W -f='${Version}' libboost-dev)"
echo
"$bench/calc_bench" --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) '
echo
"$bench/equation_bench" --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) '
echo
"$bench/system_bench" --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) '
echo
"$bench/tolerance_bench" --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) '
echo
"$bench/stability_bench" --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v -E '_(mean|stddev|cv) '
echo
QT_QPA_PLATFORM=offscreen "$bench/startup_bench" --runs 40
echo
if command -v xvfb-run >/dev/null; then
    xvfb-run -a env QT_QPA_PLATFORM=xcb "$bench/startup_bench" --runs 40
else
    echo "No xvfb-run: start-up under X11 not measured."
fi
echo
QT_QPA_PLATFORM=offscreen "$bench/click_bench"
echo
QT_QPA_PLATFORM=offscreen "$bench/course_bench"
echo
QT_QPA_PLATFORM=offscreen "$bench/pass_view_bench"
echo
QT_QPA_PLATFORM=offscreen "$bench/system_course_bench"
QT_QPA_PLATFORM=offscreen "$bench/phase_plane_bench"
QT_QPA_PLATFORM=offscreen "$bench/stability_page_bench"
echo
"$bench/cli_bench" --runs 200
