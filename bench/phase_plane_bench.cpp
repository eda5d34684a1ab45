// SPDX-License-Identifier: GPL-3.0-or-later
// Times the phase plane page of a system's course of 10,000 rows: from making the page to its
// first paint, a repaint of the plane alone, and a step to the next pass up to its plot
// repainted. Each iteration is timed on its own and reported as median, p99 and max in
// milliseconds. The budgets: the page built and painted in well under 300 ms, a repaint in
// under 16 ms.
//
//   phase_plane_bench [Google Benchmark options]
#include "bench/paint_timing.h"
#include "calc/analysis/system_course.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "window/course/file_export.h"
#include "window/course/phase_plane_page.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

// Lorenz's system of three components, and the oscillator, whose plane has the direction field.
const calc::SystemExampleId examples[] = {calc::SystemExampleId::lorenz,
                                          calc::SystemExampleId::oscillator};

// The example's course of 9,999 passes, as the system window computes it.
std::optional<calc::SystemCourse> courseOf(const benchmark::State& state) {
    const calc::SystemExample& example = calc::system_example(examples[state.range(0)]);
    const calc::NumberLocale locale;
    calc::SystemTask task{example.form,
                          calc::example_formulas(example, locale),
                          {},
                          {},
                          {},
                          "9999",
                          calc::Method::rk4,
                          {},
                          {}};
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], locale));
    }
    task.ug = calc::format_general(example.ug, locale);
    task.og = calc::format_general(example.og, locale);
    const calc::SystemOutcome outcome = calc::calculate_system(task, locale);
    if (!std::holds_alternative<calc::SystemLine>(outcome)) {
        return std::nullopt;
    }
    return calc::build_system_course(std::get<calc::SystemLine>(outcome),
                                     calc::CourseOrder::left_out);
}

QWidget* planeOf(const PhasePlanePage& page) {
    return page.findChild<QChartView*>("Phasendiagramm")->viewport();
}

// The page shown and painted once.
std::unique_ptr<PhasePlanePage> shownPage(const calc::SystemCourse& course,
                                          const FileExport& files) {
    auto page = std::make_unique<PhasePlanePage>(course, QLocale(QLocale::German), files, nullptr);
    page->resize(1500, 700);
    page->show();
    if (!QTest::qWaitForWindowExposed(page.get())) {
        return nullptr;
    }
    QCoreApplication::processEvents();
    return page;
}

// From making the page to its plane's first paint.
void BuildToPaint(benchmark::State& state) {
    const std::optional<calc::SystemCourse> course = courseOf(state);
    if (!course) {
        state.SkipWithError("the example did not run");
        return;
    }
    const FileExport files;
    timeToFirstPaint(
        state,
        [&] {
            auto page =
                std::make_unique<PhasePlanePage>(*course, QLocale(QLocale::German), files, nullptr);
            page->resize(1500, 700);
            return page;
        },
        [](const PhasePlanePage& page) { return planeOf(page); });
    state.counters["rows"] = static_cast<double>(course->rows.size());
}
BENCHMARK(BuildToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

// `action` on a shown page, up to `watched` of it painted.
template <class Watched, class Action>
void timeOnPage(benchmark::State& state, Watched watched, Action action) {
    const std::optional<calc::SystemCourse> course = courseOf(state);
    const FileExport files;
    const auto page = course ? shownPage(*course, files) : nullptr;
    if (!page) {
        state.SkipWithError("the page was not shown");
        return;
    }
    timeToPaint(state, watched(*page), [&] { action(*page); });
}

// The plane repainted as it is, as when a window passes over it.
void RepaintPlane(benchmark::State& state) {
    timeOnPage(state, planeOf, [](PhasePlanePage& page) { planeOf(page)->update(); });
}
BENCHMARK(RepaintPlane)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(100);

// "Nächster Schritt" and "Vorheriger Schritt" in turn, up to the pass's plot repainted.
void StepToPaint(benchmark::State& state) {
    int step = 0;
    timeOnPage(
        state,
        [](const PhasePlanePage& page) {
            return page.findChild<QChartView*>("Phasenschritt")->viewport();
        },
        [&](PhasePlanePage& page) { page.showRow(page.row() + (step++ % 2 == 0 ? 1 : -1)); });
}
BENCHMARK(StepToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(100);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
