// SPDX-License-Identifier: GPL-3.0-or-later
// Times process start to first paint of the Integration window and of a bare Qt window,
// each start a process of its own, and reads the peak memory of both. The bare window is a
// program of its own (startup_bare, beside this one) that links Qt Widgets alone, so that
// whatever the window library links (Qt Charts comes only with the course module, loaded
// when a course is first shown) counts against the window.
//
//   startup_bench [--runs N]        starts each window N times alternately, prints a table
//   startup_bench --probe window    one start: prints nanoseconds from fork to first paint
#include "bench/first_paint.h"
#include "bench/process_runs.h"
#include "window/main/app_names.h"
#include "window/main/integration.h"

#include <QApplication>
#include <QIcon>
#include <QWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using first_paint::monotonic_ns;
using first_paint::to_int;

int probe(int argc, char** argv) {
    const auto fork_ns = first_paint::fork_time();
    if (!fork_ns) {
        std::fprintf(stderr, "startup_bench: the probe needs %s\n",
                     first_paint::fork_time_variable);
        return 2;
    }
    QApplication application(argc, argv);
    // What the program does before it shows the window.
    QApplication::setApplicationName(QString::fromUtf8(app_names::title));
    QApplication::setApplicationDisplayName(QString::fromUtf8(app_names::title));
    QApplication::setDesktopFileName(QString::fromUtf8(app_names::desktop_id));
    QApplication::setWindowIcon(QIcon(QStringLiteral(NUMERINT_ICON_FILE)));
    Integration window;
    first_paint::FirstPaint first_paint(*fork_ns);
    window.installEventFilter(&first_paint);
    // A window that never paints fails the run instead of hanging it.
    QTimer::singleShot(20'000, &application, [] { QCoreApplication::exit(3); });
    window.show();
    return QApplication::exec();
}

// The bare window's program lies beside this one.
std::string bare_program() {
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    const auto slash = self.rfind('/');
    return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) +
           "/startup_bare";
}

using Start = process_runs::Run;
using process_runs::quantile;
using process_runs::Series;

// Starts one probe and waits for it; nullopt when it failed.
std::optional<Start> start_probe(bool bare) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    const std::int64_t fork_ns = monotonic_ns();
    setenv(first_paint::fork_time_variable, std::to_string(fork_ns).c_str(), 1);
    const std::string bare_path = bare ? bare_program() : std::string();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (bare) {
            execl(bare_path.c_str(), "startup_bare", static_cast<char*>(nullptr));
        } else {
            execl("/proc/self/exe", "startup_bench", "--probe", "window",
                  static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(out[1]);
    std::string printed;
    char buffer[64];
    for (ssize_t n = 0; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    if (child < 0) {
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    while (!printed.empty() && printed.back() == '\n') {
        printed.pop_back();
    }
    const auto ns = to_int(printed);
    if (!ns) {
        return std::nullopt;
    }
    return Start{static_cast<double>(*ns) / 1e6, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void print_row(const char* name, const Series& series) {
    std::printf("  %-8s %10.1f %9.1f - %-9.1f %9.1f %8.1f\n", name, quantile(series.ms, 0.5),
                quantile(series.ms, 0.25), quantile(series.ms, 0.75), quantile(series.ms, 0.0),
                quantile(series.rss_mb, 0.5));
}

int drive(int runs) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    Series bare;
    Series window;
    std::vector<double> ratios;
    // One discarded round fills the file cache; then the order alternates to cancel drift.
    for (int round = -1; round < runs; ++round) {
        const bool bare_first = round % 2 == 0;
        const auto first = start_probe(bare_first);
        const auto second = start_probe(!bare_first);
        if (!first || !second) {
            std::fprintf(stderr, "startup_bench: a probe failed (platform %s)\n",
                         platform ? platform : "default");
            return 1;
        }
        if (round < 0) {
            continue;
        }
        const Start b = bare_first ? *first : *second;
        const Start w = bare_first ? *second : *first;
        bare.add(b);
        window.add(w);
        ratios.push_back(w.ms / b.ms);
    }
    std::printf("Start-up to first paint, platform %s, %d starts each\n",
                platform ? platform : "default", runs);
    std::printf("  %-8s %10s %21s %9s %8s\n", "", "median ms", "p25 - p75 ms", "min ms", "peak MB");
    print_row("bare", bare);
    print_row("window", window);
    std::printf("  ratio window/bare (median of paired starts) %.3f, peak RSS difference %.1f MB\n",
                quantile(ratios, 0.5), quantile(window.rss_mb, 0.5) - quantile(bare.rss_mb, 0.5));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--probe" && args[1] == "window") {
        return probe(argc, argv);
    }
    if (args.empty()) {
        return drive(40);
    }
    if (args.size() == 2 && args[0] == "--runs") {
        if (const auto runs = to_int(args[1]); runs && *runs > 0 && *runs <= 10'000) {
            return drive(static_cast<int>(*runs));
        }
    }
    std::fprintf(stderr, "usage: startup_bench [--runs N]\n");
    return 2;
}
