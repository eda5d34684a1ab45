// SPDX-License-Identifier: GPL-3.0-or-later
// Times a double-click on a result line of 99 passes until its course window has painted for
// the first time, offscreen. The first course window of a process loads the course module
// with Qt Charts and pays for Qt Charts' first use, so every process is a fresh one: the
// driver starts N probes, and each probe times its first window and then K later ones (each
// opened after the one before was closed). The module is the one the build made.
//
//   course_bench [--runs N] [--later K]   starts N probes, prints a table
//   course_bench --probe K                one process: prints the first time, then K later ones
#include "bench/first_paint.h"
#include "window/main/integration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Whole numbers read alike in every locale: 99 passes from 0 to 1.
constexpr const char* entries[] = {"99", "0", "1", "1"};

bool isCourseWindow(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && widget->isWindow() && widget->objectName() == "Verlauf";
}

// Notes that a course window has painted.
class CoursePainted : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && isCourseWindow(watched)) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }

    bool painted = false;
};

// Double-clicks the line and waits until its course window has painted; microseconds, or
// nullopt when no window painted within 5 s.
std::optional<double> time_opening(QListWidget* list, CoursePainted& watch) {
    const QPoint line = list->visualItemRect(list->item(0)).center();
    watch.painted = false;
    QElapsedTimer timer;
    timer.start();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
    while (!watch.painted && timer.elapsed() < 5'000) {
        QCoreApplication::processEvents();
    }
    const double us = static_cast<double>(timer.nsecsElapsed()) / 1e3;
    return watch.painted ? std::optional(us) : std::nullopt;
}

int probe(int argc, char** argv, int later) {
    QApplication application(argc, argv);
    Integration window;
    window.setCourseModule(QStringLiteral(NUMERINT_COURSE_MODULE_FILE));
    window.setWarningPresenter([](const QString& text) {
        std::fprintf(stderr, "course_bench: the window warned: %s\n", qPrintable(text));
    });
    const char* fields[] = {"txtanzschr", "txtug", "txtog", "txtaw"};
    for (int i = 0; i < 4; ++i) {
        window.findChild<QLineEdit*>(fields[i])->setText(QString::fromLatin1(entries[i]));
    }
    auto* list = window.findChild<QListWidget*>("Ausgabe");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    QTest::mouseClick(window.findChild<QPushButton*>("cmdRechnen"), Qt::LeftButton);
    if (list->count() != 1) {
        return 1;
    }
    // The line is current before the timed double-click, as after a user's first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCoreApplication::processEvents();

    CoursePainted watch;
    application.installEventFilter(&watch);
    for (int i = 0; i <= later; ++i) {
        const auto us = time_opening(list, watch);
        if (!us) {
            std::fprintf(stderr, "course_bench: no course window painted\n");
            return 1;
        }
        std::printf("%.1f\n", *us);
        for (QWidget* course : window.findChildren<QWidget*>("Verlauf")) {
            course->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    std::fflush(stdout);
    return 0;
}

// Starts one probe and reads its times; nullopt when it failed.
std::optional<std::vector<double>> run_probe(int later) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    const std::string count = std::to_string(later);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl("/proc/self/exe", "course_bench", "--probe", count.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string printed;
    char buffer[256];
    for (ssize_t n = 0; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    std::vector<double> times;
    std::size_t start = 0;
    while (start < printed.size()) {
        const auto end = printed.find('\n', start);
        times.push_back(std::stod(printed.substr(start, end - start)));
        start = end == std::string::npos ? printed.size() : end + 1;
    }
    if (times.size() != static_cast<std::size_t>(later) + 1) {
        return std::nullopt;
    }
    return times;
}

double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

int drive(int runs, int later) {
    std::vector<double> first;
    std::vector<double> afterwards;
    // One discarded probe fills the file cache.
    for (int run = -1; run < runs; ++run) {
        const auto times = run_probe(later);
        if (!times) {
            std::fprintf(stderr, "course_bench: a probe failed\n");
            return 1;
        }
        if (run >= 0) {
            first.push_back(times->front());
            afterwards.insert(afterwards.end(), times->begin() + 1, times->end());
        }
    }
    std::printf("Double-click to the course window's first paint, 99 passes, platform %s, ms\n",
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "default");
    std::printf("  %-28s %7s %8s %8s %8s %8s\n", "", "windows", "median", "p90", "p99", "max");
    const auto row = [](const char* name, const std::vector<double>& us) {
        std::printf("  %-28s %7zu %8.1f %8.1f %8.1f %8.1f\n", name, us.size(),
                    quantile(us, 0.5) / 1e3, quantile(us, 0.9) / 1e3, quantile(us, 0.99) / 1e3,
                    quantile(us, 1.0) / 1e3);
    };
    row("first window of a process", first);
    if (!afterwards.empty()) {
        row("later windows", afterwards);
    }
    return 0;
}

std::optional<int> count_of(std::string_view text, int most) {
    const auto value = first_paint::to_int(text);
    if (!value || *value < 0 || *value > most) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--probe") {
        if (const auto later = count_of(args[1], 100'000)) {
            return probe(argc, argv, *later);
        }
    }
    int runs = 20;
    int later = 50;
    bool understood = args.size() % 2 == 0;
    for (std::size_t i = 0; understood && i < args.size(); i += 2) {
        const auto value = count_of(args[i + 1], 10'000);
        if (args[i] == "--runs" && value && *value > 0) {
            runs = *value;
        } else if (args[i] == "--later" && value) {
            later = *value;
        } else {
            understood = false;
        }
    }
    if (!understood) {
        std::fprintf(stderr, "usage: course_bench [--runs N] [--later K]\n");
        return 2;
    }
    return drive(runs, later);
}
