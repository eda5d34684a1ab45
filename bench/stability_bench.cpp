// SPDX-License-Identifier: GPL-3.0-or-later
// Times the stability analysis: the boundaries |R(z)| = 1 of all eleven methods and pairs made
// from nothing, as the first stability page of a process makes them; the h·λ of every pass of the
// Lorenz example's course with its most passes, 9,999 (a Jacobian of 6 evaluations and the
// eigenvalues of a 3×3 matrix each), which the course computes once when it is built; and the
// view the page reads from those stored results.
//
//   stability_bench [Google Benchmark options]
#include "bench/lorenz.h"
#include "calc/analysis/stability.h"
#include "calc/analysis/system_course.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"

#include <benchmark/benchmark.h>

#include <variant>

namespace {

void BoundariesCold(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<calc::StabilityBoundary> boundaries = calc::compute_stability_boundaries();
        benchmark::DoNotOptimize(boundaries.data());
    }
}
BENCHMARK(BoundariesCold)->Unit(benchmark::kMillisecond);

void LorenzPassStability(benchmark::State& state) {
    const calc::SystemCourse course =
        calc::build_system_course(lorenz_line(), calc::CourseOrder::left_out);
    for (auto _ : state) {
        auto stability = calc::rows_stability(course.rows, [&](const calc::SystemCourseRow& row) {
            return calc::pass_stability(course.method, course.problem.f, row.point.x, row.point.y,
                                        course.steps.h);
        });
        benchmark::DoNotOptimize(stability.data());
    }
}
BENCHMARK(LorenzPassStability)->Unit(benchmark::kMillisecond);

void LorenzStabilityView(benchmark::State& state) {
    const calc::SystemCourse course =
        calc::build_system_course(lorenz_line(), calc::CourseOrder::left_out);
    for (auto _ : state) {
        calc::StabilityView view = calc::stability_of(course);
        benchmark::DoNotOptimize(view.points.data());
    }
}
BENCHMARK(LorenzStabilityView)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
