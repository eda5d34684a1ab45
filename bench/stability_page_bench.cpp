// SPDX-License-Identifier: GPL-3.0-or-later
// Times the page "Stabilität" of the Lorenz example with its most passes, 9,999, three
// eigenvalues each: opening it (the points computed, the page made, shown and painted once) and
// repainting the plane after a notch of the wheel, which computes the filled region anew. The
// figures are each iteration's time, reported as median, p99 and max in milliseconds.
//
//   stability_page_bench [Google Benchmark options]
#include "bench/lorenz.h"
#include "bench/paint_timing.h"
#include "calc/analysis/stability.h"
#include "calc/analysis/system_course.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "window/course/stability_page.h"
#include "window/plots/stability_plot.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <variant>

namespace {

// The Lorenz example's course with 9,999 passes from 0 to 20.
std::shared_ptr<const calc::SystemCourse> lorenzCourse() {
    return std::make_shared<const calc::SystemCourse>(calc::build_system_course(lorenz_line()));
}

std::unique_ptr<StabilityPage> pageOf(const std::shared_ptr<const calc::SystemCourse>& course) {
    auto page = std::make_unique<StabilityPage>(
        course->method, [course] { return calc::stability_of(*course); }, QLocale(QLocale::German),
        nullptr);
    page->resize(760, 640);
    return page;
}

// From the course to the page painted, as its tab shows it the first time.
void OpenLorenzPage(benchmark::State& state) {
    const auto course = lorenzCourse();
    timeToFirstPaint(
        state, [&course] { return pageOf(course); }, [](QWidget& page) { return &page; });
}
BENCHMARK(OpenLorenzPage)->Unit(benchmark::kMillisecond)->Iterations(10);

// A notch of the wheel in and out in turn, up to the plane repainted.
void WheelZoomToPaint(benchmark::State& state) {
    const auto page = pageOf(lorenzCourse());
    page->show();
    if (!QTest::qWaitForWindowExposed(page.get())) {
        state.SkipWithError("the page was not shown");
        return;
    }
    QCoreApplication::processEvents();
    StabilityPlot* plot = page->plot();
    const QPointF at(plot->width() * 0.4, plot->height() * 0.5);
    int turn = 0;
    timeToPaint(state, plot, [&] {
        QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(),
                          QPoint(0, turn++ % 2 == 0 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
    });
    state.counters["points"] = plot->pointCount();
}
BENCHMARK(WheelZoomToPaint)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
