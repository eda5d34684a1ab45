// SPDX-License-Identifier: GPL-3.0-or-later
// Times the calculation against the floor set by its own dependency chain and against Odeint.
#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "calc/core/adaptive.h"
#include "calc/core/rk4.h"
#include "calc/text/number_text.h"

#include <benchmark/benchmark.h>
#include <boost/numeric/odeint/integrate/integrate_n_steps.hpp>
#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace {

const calc::NumberLocale german{",", ".", "-"};

// The problem every run solves: y(0) = 1 up to x = 1, where y = 2/(x^2 + 2) = 2/3.
constexpr calc::Point start{0.0, 1.0};
constexpr double end_x = 1.0;
constexpr double exact_at_end = 2.0 / 3.0;

double step_for(int passes) {
    return (end_x - start.x) / passes;
}

int passes_of(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// calc's pass written out here, in calc's order of operations: each pass needs the one before,
// so no run that keeps those roundings can beat this loop by more than noise.
calc::Point floor_run(calc::Point p, double h, int passes) {
    const auto slope = [](double x, double y) { return (-x) * (y * y); };
    for (int i = 0; i < passes; ++i) {
        const double k1 = h * slope(p.x, p.y);
        const double k2 = h * slope(p.x + h / 2, p.y + k1 / 2);
        const double k3 = h * slope(p.x + h / 2, p.y + k2 / 2);
        const double k4 = h * slope(p.x + h, p.y + k3);
        p = {p.x + h, p.y + (1.0 / 6.0) * (((k1 + 2 * k2) + 2 * k3) + k4)};
    }
    return p;
}

bool same_bits(calc::Point a, calc::Point b) {
    return std::bit_cast<std::uint64_t>(a.x) == std::bit_cast<std::uint64_t>(b.x) &&
           std::bit_cast<std::uint64_t>(a.y) == std::bit_cast<std::uint64_t>(b.y);
}

// The floor only counts if it rounds exactly as calc does, subnormal values included.
bool floor_matches_calc(int passes) {
    struct Problem {
        calc::Point start;
        double h;
    };
    const Problem problems[] = {
        {start, step_for(passes)},
        {{-3.0, 0.1}, 0.0703125},
        {{2.0, -7.25}, -1e-3},
        {{1e-310, 1.0}, 3e-310}, // subnormal abscissas
    };
    for (const Problem& problem : problems) {
        const calc::RunEnd run = calc::rk4_run(problem.start, problem.h, passes);
        if (!run.finite || !same_bits(run.point, floor_run(problem.start, problem.h, passes))) {
            return false;
        }
    }
    return true;
}

double odeint_run(double y, double h, int passes) {
    namespace odeint = boost::numeric::odeint;
    const auto system = [](const double& value, double& slope, double x) {
        slope = (-x) * (value * value);
    };
    odeint::integrate_n_steps(odeint::runge_kutta4<double>{}, system, y, start.x, h,
                              static_cast<std::size_t>(passes));
    return y;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A way of making the run: from y(0) = y0 with step h, returns y at the end.
using Way = double (*)(double y0, double h, int passes);

double run_way(double y0, double h, int passes) {
    return calc::rk4_run({start.x, y0}, h, passes).point.y;
}

double pass_calls_way(double y0, double h, int passes) {
    calc::Point p{start.x, y0};
    for (int i = 0; i < passes; ++i) {
        p = calc::rk4_pass(p, h);
    }
    return p.y;
}

double floor_way(double y0, double h, int passes) {
    return floor_run({start.x, y0}, h, passes).y;
}

double odeint_way(double y0, double h, int passes) {
    return odeint_run(y0, h, passes);
}

// Nanoseconds per run over a block of runs short enough to fit between two preemptions.
// Each run starts from the end of the last one plus zero, so that runs cannot overlap:
// this times the chain a single click waits for.
double block_ns(Way way, double h, int passes) {
    constexpr int runs = 32;
    double carry = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) {
        const double y = way(start.y + carry, h, passes);
        carry = y - y;
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - begin;
    benchmark::DoNotOptimize(carry);
    return spent.count() / runs;
}

// Times two ways in alternating blocks, so that both meet the same load on a shared machine;
// the ratio is the median of the ratios of neighbouring blocks.
void side_by_side(benchmark::State& state, const std::string& a_name, Way a,
                  const std::string& b_name, Way b) {
    const int passes = passes_of(state);
    const double h = step_for(passes);
    std::vector<double> a_ns;
    std::vector<double> b_ns;
    std::vector<double> ratios;
    bool a_first = true;
    for (auto _ : state) {
        const double first = block_ns(a_first ? a : b, h, passes);
        const double second = block_ns(a_first ? b : a, h, passes);
        a_ns.push_back(a_first ? first : second);
        b_ns.push_back(a_first ? second : first);
        ratios.push_back(a_ns.back() / b_ns.back());
        a_first = !a_first;
    }
    state.counters[a_name + "_ns"] = median(a_ns);
    state.counters[b_name + "_ns"] = median(b_ns);
    state.counters["ratio"] = median(ratios);
}

void Calculate(benchmark::State& state) {
    const calc::EntryTexts entries{std::to_string(state.range(0)), "0", "1", "1"};
    if (!std::holds_alternative<calc::ResultLine>(calc::calculate(entries, german))) {
        state.SkipWithError("the entries were refused");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::calculate(entries, german));
    }
}
BENCHMARK(Calculate)->Arg(99);

// Implicit Euler on the stiff y' = -50 (y - cos x): each pass's Newton iterations with their
// central differences, through the typed formula.
void CalculateImplicitEulerStiff(benchmark::State& state) {
    const calc::Task task({std::to_string(state.range(0)), "0", "1", "1"}, "-50*(y-cos(x))",
                          calc::Method::implicit_euler);
    if (!std::holds_alternative<calc::ResultLine>(calc::calculate(task, german))) {
        state.SkipWithError("the task was refused");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::calculate(task, german));
    }
}
BENCHMARK(CalculateImplicitEulerStiff)->Arg(99)->Unit(benchmark::kMicrosecond);

// The whole course: the rows with their stages, the run with half the step and the exact samples.
void BuildCourse(benchmark::State& state) {
    const calc::Numbers numbers{static_cast<double>(state.range(0)), 0, 1, 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::build_course(numbers));
    }
}
BENCHMARK(BuildCourse)->Arg(99);

// Its table as CSV text: nine numbers a row, each written with 15 significant digits.
void CourseCsv(benchmark::State& state) {
    const calc::Course course = calc::build_course({static_cast<double>(state.range(0)), 0, 1, 1});
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::course_csv(course, german));
    }
}
BENCHMARK(CourseCsv)->Arg(99);

void RunVsFloor(benchmark::State& state) {
    if (!floor_matches_calc(passes_of(state))) {
        state.SkipWithError("the floor loop does not compute calc's bits");
        return;
    }
    side_by_side(state, "run", run_way, "floor", floor_way);
}
BENCHMARK(RunVsFloor)->Arg(10)->Arg(20)->Arg(99);

void PassCallsVsFloor(benchmark::State& state) {
    side_by_side(state, "passes", pass_calls_way, "floor", floor_way);
}
BENCHMARK(PassCallsVsFloor)->Arg(99);

// The same way on both sides: how far from 1 the harness itself strays on this machine.
void FloorVsItself(benchmark::State& state) {
    side_by_side(state, "floor_a", floor_way, "floor_b", floor_way);
}
BENCHMARK(FloorVsItself)->Arg(99);

void OdeintVsRun(benchmark::State& state) {
    const int passes = passes_of(state);
    const double h = step_for(passes);
    side_by_side(state, "odeint", odeint_way, "run", run_way);
    state.counters["odeint_error"] = std::fabs(odeint_run(start.y, h, passes) - exact_at_end);
    state.counters["run_error"] = std::fabs(calc::rk4_run(start, h, passes).point.y - exact_at_end);
}
BENCHMARK(OdeintVsRun)->Arg(10)->Arg(20)->Arg(99);

// Dormand-Prince with step size control on the same problem, tol 1e-8, every attempt recorded;
// budget 5 us a run. The counters tell the attempts and how close it ends to 2/3.
void AdaptiveDormandPrince(benchmark::State& state) {
    const calc::SlopeOf<double> f = [](double x, double y) { return (-x) * (y * y); };
    const calc::AdaptiveRun run =
        calc::adaptive_run<double>(calc::Pair::dopri5, f, start, end_x, 1e-8, false);
    if (run.stop != calc::AdaptiveStop::reached) {
        state.SkipWithError("the run did not reach the upper bound");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            calc::adaptive_run<double>(calc::Pair::dopri5, f, start, end_x, 1e-8, false));
    }
    state.counters["attempts"] = static_cast<double>(run.attempts.size());
    state.counters["evaluations"] = static_cast<double>(run.evaluations);
    state.counters["error"] = std::fabs(run.end.point.y - exact_at_end);
}
BENCHMARK(AdaptiveDormandPrince);

void ReadNumber(benchmark::State& state, const char* text) {
    if (!calc::read_number(text, german)) {
        state.SkipWithError("the text was not read as a number");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::read_number(text, german));
    }
}
BENCHMARK_CAPTURE(ReadNumber, count, "99");
BENCHMARK_CAPTURE(ReadNumber, decimal, "0,5");
BENCHMARK_CAPTURE(ReadNumber, grouped_exponent, "-1.234.567,875E-3");

void Format00_0(benchmark::State& state, double value) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::format_00_0(value, german));
    }
}
BENCHMARK_CAPTURE(Format00_0, one, 1.0);
BENCHMARK_CAPTURE(Format00_0, half_tenth, -12.25);

void FormatGeneral(benchmark::State& state, double value) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::format_general(value, german));
    }
}
BENCHMARK_CAPTURE(FormatGeneral, result, 0.666666613089039);
BENCHMARK_CAPTURE(FormatGeneral, tiny, -1.5e-300);

// The console table, in colour on a terminal, remembering whether a benchmark failed.
class FailureTrackingReporter : public benchmark::ConsoleReporter {
public:
    FailureTrackingReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            failed_ = failed_ || run.error_occurred;
        }
    }

    bool failed() const { return failed_; }

private:
    bool failed_ = false;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    FailureTrackingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed() ? 1 : 0;
}
