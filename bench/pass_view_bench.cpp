// SPDX-License-Identifier: GPL-3.0-or-later
// Times what the course page computes and draws around one pass: the direction field and the
// solution through a point, in calc alone and from the user's action to the repainted plot;
// and stepping to the next pass until its plot has repainted. The window's figures are each
// iteration's time, reported as median, p99 and max in milliseconds.
//
//   pass_view_bench [Google Benchmark options]
#include "bench/paint_timing.h"
#include "calc/analysis/course.h"
#include "calc/analysis/direction_field.h"
#include "window/course/course_window.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace {

// The default equation with its compiled body, and one the formula reader evaluates.
const char* const equations[] = {"-x*y^2", "x+y"};

calc::Equation equation(const benchmark::State& state) {
    const char* text = equations[state.range(0)];
    return std::get<calc::Equation>(calc::Equation::parse(text, calc::NumberLocale{}));
}

// The view of the course plot of 99 passes from (0; 1) to x = 1, at a plot's size.
const calc::PlotView plot_view{-0.05, 1.05, 0.6, 1.05, 560, 300};

void DirectionField(benchmark::State& state) {
    const calc::Equation f = equation(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::direction_field(f, plot_view));
    }
    state.counters["segments"] = static_cast<double>(calc::direction_field(f, plot_view).size());
    state.SetLabel(equations[state.range(0)]);
}
BENCHMARK(DirectionField)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void SolutionThrough(benchmark::State& state) {
    const calc::Equation f = equation(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::solution_through(f, {0.5, 0.8}, plot_view));
    }
    state.counters["points"] =
        static_cast<double>(calc::solution_through(f, {0.5, 0.8}, plot_view).size());
    state.SetLabel(equations[state.range(0)]);
}
BENCHMARK(SolutionThrough)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A course window of 99 passes of the equation, shown and painted once; null when it was not.
std::unique_ptr<CourseWindow> shownWindow(const calc::Equation& f) {
    const calc::Course course =
        calc::build_course({99, 0, 1, 1}, f, calc::Method::rk4, calc::ExactSolution::of(f));
    auto window = std::make_unique<CourseWindow>(course, QLocale(QLocale::German));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return nullptr;
    }
    QCoreApplication::processEvents();
    return window;
}

// The viewport of the window's chart view `name`, where it paints; null without the window.
QWidget* plotOf(const std::unique_ptr<CourseWindow>& window, const char* name) {
    auto* view = window ? window->findChild<QChartView*>(name) : nullptr;
    return view ? view->viewport() : nullptr;
}

// A click in the course plot, up to the window painted with the solution through the point.
void ClickToPaint(benchmark::State& state) {
    const auto window = shownWindow(equation(state));
    auto* plot = window ? window->findChild<QChartView*>("Diagramm") : nullptr;
    int click = 0;
    timeToPaint(state, plotOf(window, "Diagramm"), [&] {
        // Clicks along a diagonal, so that each is a new point.
        const double share = 0.1 + 0.8 * ((click++ % 40) / 40.0);
        // The plot area narrows once the legend lists solutions beside it.
        const QRectF area = plot->chart()->plotArea();
        const QPointF inChart(area.left() + share * area.width(),
                              area.top() + share * area.height());
        QTest::mouseClick(plot->viewport(), Qt::LeftButton, {},
                          plot->mapFromScene(plot->chart()->mapToScene(inChart)));
    });
    state.SetLabel(equations[state.range(0)]);
}
BENCHMARK(ClickToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

// The window a pixel wider or narrower, up to the plot painted with its field recomputed.
void FieldToPaint(benchmark::State& state) {
    const auto window = shownWindow(equation(state));
    int resize = 0;
    timeToPaint(state, window.get(),
                [&] { window->resize(window->size() + QSize(resize++ % 2 == 0 ? 1 : -1, 0)); });
    state.SetLabel(equations[state.range(0)]);
}
BENCHMARK(FieldToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

// "Nächster Schritt" and "Vorheriger Schritt" in turn, up to the window painted with the pass.
void StepToPaint(benchmark::State& state) {
    const auto window = shownWindow(equation(state));
    auto* next = window ? window->findChild<QPushButton*>("naechsterSchritt") : nullptr;
    auto* previous = window ? window->findChild<QPushButton*>("vorherigerSchritt") : nullptr;
    int step = 0;
    timeToPaint(state, plotOf(window, "Schritt"),
                [&] { (step++ % 2 == 0 ? next : previous)->click(); });
    state.SetLabel(equations[state.range(0)]);
}
BENCHMARK(StepToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
