// SPDX-License-Identifier: GPL-3.0-or-later
// Times the course window of the Lorenz example with its most passes, 9,999: opening it (its
// course built with the observed order, the window made, shown and painted once) and scrolling
// its table by a page; and the window of the Arenstorf orbit with Dormand-Prince at 1E-7, every
// attempt in its table, with the pages that compare the pairs and study the tolerance. The window's
// figures are each iteration's time, reported as median, p99 and max in milliseconds. The phase
// plane's own figures are phase_plane_bench's.
//
//   system_course_bench [Google Benchmark options]
#include "bench/arenstorf.h"
#include "bench/lorenz.h"
#include "bench/paint_timing.h"
#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/system_course.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "window/course/adaptive_course_window.h"
#include "window/course/number_table.h"
#include "window/course/pair_comparison_page.h"
#include "window/course/system_course_window.h"
#include "window/course/tolerance_study_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

// The window shown and painted once; null when it was not.
std::unique_ptr<SystemCourseWindow> shownWindow(const calc::SystemLine& line) {
    auto window = std::make_unique<SystemCourseWindow>(calc::build_system_course(line),
                                                       QLocale(QLocale::German));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return nullptr;
    }
    QCoreApplication::processEvents();
    return window;
}

// From the line to the window painted, as a double-click on the line makes it.
void OpenLorenzWindow(benchmark::State& state) {
    const calc::SystemLine line = lorenz_line();
    timeToFirstPaint(
        state,
        [&line] {
            auto window = std::make_unique<SystemCourseWindow>(calc::build_system_course(line),
                                                               QLocale(QLocale::German));
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            return window;
        },
        [](QWidget& window) { return &window; });
}
BENCHMARK(OpenLorenzWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The Arenstorf orbit's window as the module makes it: its course, and the pages that compare
// the pairs and study the tolerance (their runs start when they are first shown).
std::unique_ptr<AdaptiveCourseWindow> arenstorfWindow(const calc::SystemLine& line,
                                                      const QLocale& locale) {
    auto window =
        std::make_unique<AdaptiveCourseWindow>(calc::build_system_adaptive_course(line), locale);
    window->appendPage(new PairComparisonPage(line, locale, window->fileExport(), window.get()),
                       "Vergleich");
    window->appendPage(new ToleranceStudyPage(line, locale, window->fileExport(), window.get()),
                       "Konvergenz");
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

std::optional<calc::SystemLine> arenstorfLine(benchmark::State& state) {
    calc::SystemOutcome outcome = calc::calculate_system(arenstorf_task(), german);
    if (auto* line = std::get_if<calc::SystemLine>(&outcome)) {
        return std::move(*line);
    }
    state.SkipWithError("the Arenstorf task was refused");
    return std::nullopt;
}

// From the Arenstorf line to its window painted.
void OpenArenstorfWindow(benchmark::State& state) {
    const std::optional<calc::SystemLine> line = arenstorfLine(state);
    if (!line) {
        return;
    }
    const QLocale locale(QLocale::German);
    timeToFirstPaint(
        state, [&line, &locale] { return arenstorfWindow(*line, locale); },
        [](QWidget& window) { return &window; });
}
BENCHMARK(OpenArenstorfWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The page Konvergenz of the orbit from its first showing until both its studies are done and
// shown: every turn of the event loop, which a timer keeps busy each millisecond, apart from the
// first, which shows the page. A turn longer than a frame (16 ms) is a window that stands still.
void ArenstorfStudyTurns(benchmark::State& state) {
    const std::optional<calc::SystemLine> line = arenstorfLine(state);
    if (!line) {
        return;
    }
    const QLocale locale(QLocale::German);
    std::vector<double> turns;
    for (auto _ : state) {
        const auto window = arenstorfWindow(*line, locale);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            state.SkipWithError("the window was not shown");
            return;
        }
        QTimer tick;
        tick.start(1);
        auto* tabs = window->findChild<QTabWidget*>();
        QElapsedTimer total;
        QElapsedTimer turn;
        total.start();
        turn.start();
        tabs->setCurrentIndex(tabs->count() - 1);
        const auto* progress = tabs->currentWidget()->findChild<QProgressBar*>("Fortschritt");
        while (progress != nullptr && progress->isVisible() && total.elapsed() < 60'000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            turns.push_back(static_cast<double>(turn.nsecsElapsed()) / 1e6);
            turn.restart();
        }
        state.counters["study_s"] = static_cast<double>(total.elapsed()) / 1e3;
    }
    // The first turn lays out and paints the page; the rest are the studies' own.
    if (!turns.empty()) {
        state.counters["first_ms"] = turns.front();
        turns.erase(turns.begin());
    }
    reportTimes(state, std::move(turns));
}
BENCHMARK(ArenstorfStudyTurns)->Unit(benchmark::kMillisecond)->Iterations(1);

// Page Down and Page Up in turn in the table, up to its rows painted.
void ScrollTable(benchmark::State& state) {
    const auto window = shownWindow(lorenz_line());
    auto* table = window ? window->findChild<NumberTable*>("Tabelle") : nullptr;
    int page = 0;
    timeToPaint(state, table ? table->viewport() : nullptr, [&] {
        QTest::keyClick(table, page++ % 2 == 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
    });
}
BENCHMARK(ScrollTable)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
