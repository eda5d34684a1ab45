// SPDX-License-Identifier: GPL-3.0-or-later
// Systems: a press with a typed system, the courses of two examples and the oscillator's study.
//
// Budgets (docs/PERFORMANCE.md, two cores):
//   a typed system of two components, RK4, 99 passes, reading included   <= 30 us
//   the oscillator's course, 100 passes, its observed order included      <= 80 us
//   the Lorenz example's course, 9,999 passes                             <= 20 ms
//   the oscillator's study, five methods up to 2^20 passes, two threads   <= 1 s
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_study.h"
#include "calc/system_calculate.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

const calc::NumberLocale german{",", ".", "-"};

// What the system window holds once the example is chosen, with `count` passes instead of the
// example's own.
calc::SystemTask example_task(calc::SystemExampleId id, int count) {
    const calc::SystemExample& example = calc::system_example(id);
    calc::SystemTask task;
    task.form = example.form;
    task.formulas = calc::example_formulas(example, german);
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], german));
    }
    task.ug = calc::format_general(example.ug, german);
    task.og = calc::format_general(example.og, german);
    task.count = std::to_string(count);
    return task;
}

// The line of a task; none (and the benchmark skipped) when the task was refused.
std::optional<calc::SystemLine> line_of(benchmark::State& state, const calc::SystemTask& task) {
    auto outcome = calc::calculate_system(task, german);
    if (auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        std::string message = "the task was refused: ";
        message += warning->text;
        state.SkipWithError(message.c_str());
        return std::nullopt;
    }
    return std::get<calc::SystemLine>(std::move(outcome));
}

// y1' = y2, y2' = -y1 typed as two formulas: every press reads them again.
void CalculateTypedSystem(benchmark::State& state) {
    const calc::SystemTask task{
        calc::SystemForm::first_order,  {"y2", "-y1"},     {"1", "0"}, "0", "10",
        std::to_string(state.range(0)), calc::Method::rk4, {},         {}};
    if (!line_of(state, task)) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::calculate_system(task, german));
    }
}
BENCHMARK(CalculateTypedSystem)->Arg(99)->Unit(benchmark::kMicrosecond);

// Implicit Euler on the stiff system with the eigenvalues -1 and -1000: Newton with a 2×2
// Jacobian and Eigen's LU in every pass.
void CalculateStiffSystem(benchmark::State& state) {
    const calc::SystemTask task{
        calc::SystemForm::first_order,  {"998*y1+1998*y2", "-999*y1-1999*y2"}, {"1", "0"}, "0", "1",
        std::to_string(state.range(0)), calc::Method::implicit_euler,          {},         {}};
    if (!line_of(state, task)) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::calculate_system(task, german));
    }
}
BENCHMARK(CalculateStiffSystem)->Arg(20)->Arg(99)->Unit(benchmark::kMicrosecond);

// The oscillator y'' = -y: the rows with their stages, the run at half the step for the observed
// order against the exact solution, and the exact samples.
void OscillatorCourse(benchmark::State& state) {
    const auto line = line_of(
        state, example_task(calc::SystemExampleId::oscillator, static_cast<int>(state.range(0))));
    if (!line) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::build_system_course(*line));
    }
}
BENCHMARK(OscillatorCourse)->Arg(100)->Unit(benchmark::kMicrosecond);

// The Lorenz system, three formulas with no exact solution: the table's rows alone (as the
// command line builds them), and with the observed order from three runs.
void LorenzCourse(benchmark::State& state, calc::CourseOrder order) {
    const auto line = line_of(
        state, example_task(calc::SystemExampleId::lorenz, static_cast<int>(state.range(0))));
    if (!line) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::build_system_course(*line, order));
    }
}
BENCHMARK_CAPTURE(LorenzCourse, rows, calc::CourseOrder::left_out)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LorenzCourse, with_order, calc::CourseOrder::computed)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond);

// The oscillator's study from 0 to 10 in 100 steps: five methods, runs of 100·2^j passes up to
// 2^20, on the given number of threads.
void OscillatorStudy(benchmark::State& state) {
    const auto line = line_of(state, example_task(calc::SystemExampleId::oscillator, 100));
    if (!line) {
        return;
    }
    const std::vector<calc::Method> methods = {calc::Method::euler, calc::Method::heun,
                                               calc::Method::midpoint, calc::Method::rk3,
                                               calc::Method::rk4};
    const auto threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            calc::run_system_study(*line, methods, calc::study_pass_limit, {}, threads));
    }
}
BENCHMARK(OscillatorStudy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
