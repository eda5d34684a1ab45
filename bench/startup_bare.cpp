// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of bench/startup_bench.cpp: a bare top-level QWidget with one QLabel, in a program
// that links Qt Widgets alone, started by the driver as a process of its own.
#include "bench/first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    const auto fork_ns = first_paint::fork_time();
    if (!fork_ns) {
        std::fprintf(stderr, "startup_bare: started by startup_bench only (needs %s)\n",
                     first_paint::fork_time_variable);
        return 2;
    }
    QApplication application(argc, argv);
    QWidget window;
    new QLabel(QStringLiteral("Numer-Integration"), &window);
    first_paint::FirstPaint first_paint(*fork_ns);
    window.installEventFilter(&first_paint);
    // A window that never paints fails the run instead of hanging it.
    QTimer::singleShot(20'000, &application, [] { QCoreApplication::exit(3); });
    window.show();
    return QApplication::exec();
}
