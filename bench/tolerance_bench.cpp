// SPDX-License-Identifier: GPL-3.0-or-later
// Step size control on the Arenstorf orbit: its run with every attempt, and its tolerance study.
//
// Budgets (docs/PERFORMANCE.md, two cores):
//   the orbit with Dormand-Prince at 1E-7, every attempt recorded               <= 5 ms
//   its tolerance study, three pairs × 11 tolerances, two threads              <= 2 s
#include "calc/analysis/tolerance_study.h"
#include "calc/system_calculate.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <variant>

namespace {

const calc::NumberLocale german{",", ".", "-"};

// What the system window holds once the Arenstorf example is chosen, with its pair and tolerance.
calc::SystemTask arenstorf_task() {
    const calc::SystemExample& example = calc::system_example(calc::SystemExampleId::arenstorf);
    calc::SystemTask task;
    task.form = example.form;
    task.formulas = calc::example_formulas(example, german);
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], german));
    }
    task.ug = calc::format_general(example.ug, german);
    task.og = calc::format_general(example.og, german);
    task.count = std::to_string(example.count);
    task.pair = example.pair;
    task.tolerance = std::string(example.tolerance);
    return task;
}

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
