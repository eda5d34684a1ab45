// SPDX-License-Identifier: GPL-3.0-or-later
// Typed right-hand sides and the convergence study.
#include "calc/analysis/course.h"
#include "calc/analysis/study.h"
#include "calc/calculate.h"

#include <benchmark/benchmark.h>

#include <string>
#include <variant>
#include <vector>

namespace {

const calc::NumberLocale german{",", ".", "-"};

// A press with a typed equation, the reading of the formula included.
void CalculateTyped(benchmark::State& state) {
    const calc::Task task({std::to_string(state.range(0)), "0", "1", "1"}, "x+y");
    if (!std::holds_alternative<calc::ResultLine>(calc::calculate(task, german))) {
        state.SkipWithError("the task was refused");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::calculate(task, german));
    }
}
BENCHMARK(CalculateTyped)->Arg(99);

// The course of a typed equation: rows, the run with half the step, the exact samples.
void BuildTypedCourse(benchmark::State& state) {
    const auto line = std::get<calc::ResultLine>(calc::calculate(
        calc::Task({std::to_string(state.range(0)), "0", "1", "1"}, "x+y"), german));
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::build_course(line));
    }
}
BENCHMARK(BuildTypedCourse)->Arg(99);

// The whole study of the line 0 to 1 in 10 steps: five methods up to 2^20 passes each, on one
// thread and on two.
void Study(benchmark::State& state, const char* typed) {
    const auto line = std::get<calc::ResultLine>(
        calc::calculate(calc::Task({"10", "0", "1", "1"}, typed), german));
    const std::vector<calc::Method> methods = {calc::Method::euler, calc::Method::heun,
                                               calc::Method::midpoint, calc::Method::rk3,
                                               calc::Method::rk4};
    const auto threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::run_study(line.numbers, line.equation, methods, line.exact,
                                                 calc::study_pass_limit, {}, threads));
    }
}
BENCHMARK_CAPTURE(Study, default_equation, "-x*y^2")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Study, typed_equation, "x+y")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
