// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Times a user's action in a window up to the moment the widget that shows its effect has
// painted, each iteration on its own, reported as median, p99 and max in milliseconds.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// Notes that the watched widget has painted.
class Painted : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }

    bool painted = false;
};

// Reports the times in milliseconds as their median, p99 and max.
inline void reportTimes(benchmark::State& state, std::vector<double> ms) {
    if (ms.empty()) {
        return;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1) + 0.5)];
    };
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = at(1.0);
}

// Times `action` until `shows` has painted what it changed; the other widgets that changed
// paint in the same pass of the event loop.
template <class Action> void timeToPaint(benchmark::State& state, QWidget* shows, Action action) {
    if (!shows) {
        state.SkipWithError("the window was not shown");
        return;
    }
    Painted watch;
    shows->installEventFilter(&watch);
    std::vector<double> ms;
    QElapsedTimer timer;
    for (auto _ : state) {
        watch.painted = false;
        timer.start();
        action();
        while (!watch.painted && timer.elapsed() < 1'000) {
            QCoreApplication::processEvents();
        }
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (!watch.painted) {
            state.SkipWithError("nothing was painted");
            break;
        }
    }
    shows->removeEventFilter(&watch);
    reportTimes(state, std::move(ms));
}

// Times making a widget with `make` (a std::unique_ptr to it, not yet shown) and showing it,
// up to the first paint of `watched(widget)`, each iteration a new widget.
template <class Make, class Watched>
void timeToFirstPaint(benchmark::State& state, Make make, Watched watched) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (auto _ : state) {
        Painted watch;
        timer.start();
        const auto widget = make();
        QWidget* shows = watched(*widget);
        shows->installEventFilter(&watch);
        widget->show();
        while (!watch.painted && timer.elapsed() < 5'000) {
            QCoreApplication::processEvents();
        }
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        shows->removeEventFilter(&watch);
        if (!watch.painted) {
            state.SkipWithError("nothing was painted");
            break;
        }
    }
    reportTimes(state, std::move(ms));
}
