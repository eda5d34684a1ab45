// SPDX-License-Identifier: GPL-3.0-or-later
// Step size control on the Arenstorf orbit: its run with every attempt, and its tolerance study.
//
// Budgets (docs/PERFORMANCE.md, two cores):
//   the orbit with Dormand-Prince at 1E-7, every attempt recorded               <= 5 ms
//   its course, the rows of its attempts built                                  <= 5 ms
//   its tolerance study, three pairs × 11 tolerances, two threads              <= 2 s
#include "bench/arenstorf.h"
#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/tolerance_study.h"
#include "calc/system_calculate.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <variant>

namespace {

// The line of the orbit; none (and the benchmark skipped) when the task was refused.
std::optional<calc::SystemLine> arenstorf_line(benchmark::State& state) {
    auto outcome = calc::calculate_system(arenstorf_task(), german);
    if (auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        std::string message = "the task was refused: ";
        message += warning->text;
        state.SkipWithError(message.c_str());
        return std::nullopt;
    }
    return std::get<calc::SystemLine>(std::move(outcome));
}

// The run the attempt course is made of: a few hundred attempts of seven stages each.
void ArenstorfRunWithAttempts(benchmark::State& state) {
    const auto line = arenstorf_line(state);
    if (!line) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::system_adaptive_run_of(*line, *line->adaptive));
    }
}
BENCHMARK(ArenstorfRunWithAttempts)->Unit(benchmark::kMillisecond);

// The course the window shows: the run again, its rows, the exact components where known and
// the accepted points for the plots.
void ArenstorfCourse(benchmark::State& state) {
    const auto line = arenstorf_line(state);
    if (!line) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::build_system_adaptive_course(*line));
    }
}
BENCHMARK(ArenstorfCourse)->Unit(benchmark::kMillisecond);

// 33 runs, the longest bs23's 82,000 attempts at 1e-12, shared by two threads.
void ArenstorfToleranceStudy(benchmark::State& state) {
    const auto line = arenstorf_line(state);
    if (!line) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::run_tolerance_study(*line, calc::all_pairs(), {}, 2));
    }
}
BENCHMARK(ArenstorfToleranceStudy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
