// SPDX-License-Identifier: GPL-3.0-or-later
// Times command-line calls of numer-integration from start to exit, one with the default
// equation and one with a typed equation that the formula reader parses, against a bare
// QCoreApplication program that prints one line, in turn, each call a process of its own, and
// reads the peak memory of each.
//
//   cli_bench [--runs N]
#include "bench/process_runs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

constexpr double budget = 3.0;

// Entries read alike in every locale, so the call takes the program's whole path.
char* const program_call[] = {const_cast<char*>(NUMERINT_PROGRAM),
                              const_cast<char*>("-n"),
                              const_cast<char*>("99"),
                              const_cast<char*>("-u"),
                              const_cast<char*>("0"),
                              const_cast<char*>("-o"),
                              const_cast<char*>("1"),
                              const_cast<char*>("-a"),
                              const_cast<char*>("1"),
                              nullptr};
// The same entries with a typed equation and another method: the formula reader's path.
char* const typed_call[] = {const_cast<char*>(NUMERINT_PROGRAM),
                            const_cast<char*>("-g"),
                            const_cast<char*>("x+y"),
                            const_cast<char*>("-m"),
                            const_cast<char*>("heun"),
                            const_cast<char*>("-n"),
                            const_cast<char*>("99"),
                            const_cast<char*>("-u"),
                            const_cast<char*>("0"),
                            const_cast<char*>("-o"),
                            const_cast<char*>("1"),
                            const_cast<char*>("-a"),
                            const_cast<char*>("1"),
                            nullptr};
char* const bare_call[] = {const_cast<char*>(NUMERINT_BARE_PROGRAM), nullptr};

std::int64_t monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

using Call = process_runs::Run;
using process_runs::quantile;
using process_runs::Series;

// Starts the program with its output to /dev/null and waits for it; nullopt when it failed.
std::optional<Call> call(char* const* argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::int64_t start = monotonic_ns();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    const pid_t waited = wait4(child, &status, 0, &usage);
    const std::int64_t end = monotonic_ns();
    if (waited != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return Call{static_cast<double>(end - start) / 1e6,
                static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void print_row(const char* name, const Series& series) {
    std::printf("  %-18s %9.2f %9.2f %9.2f %8.1f\n", name, quantile(series.ms, 0.5),
                quantile(series.ms, 0.9), quantile(series.ms, 0.0), quantile(series.rss_mb, 0.5));
}

// One kind of call and what its runs measured; ratios are to the bare call of the same round.
struct Subject {
    const char* name;
    char* const* argv;
    Series series;
    std::vector<double> ratios;
};

int drive(int runs) {
    // The call needs no display; none is offered, so a window path would fail the run.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    std::vector<Subject> subjects = {{"bare QCore", bare_call, {}, {}},
                                     {"default -x*y^2", program_call, {}, {}},
                                     {"typed x+y, heun", typed_call, {}, {}}};
    const std::size_t count = subjects.size();
    std::vector<Call> round_calls(count);
    // One discarded round fills the file cache; then the order rotates to cancel drift.
    for (int round = -1; round < runs; ++round) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t which = (i + static_cast<std::size_t>(round + 1)) % count;
            const auto measured = call(subjects[which].argv);
            if (!measured) {
                std::fprintf(stderr, "cli_bench: a call of %s failed\n", subjects[which].name);
                return 1;
            }
            round_calls[which] = *measured;
        }
        if (round < 0) {
            continue;
        }
        for (std::size_t i = 0; i < count; ++i) {
            subjects[i].series.add(round_calls[i]);
            subjects[i].ratios.push_back(round_calls[i].ms / round_calls[0].ms);
        }
    }
    std::printf("Command-line calls from start to exit, no display, %d calls each\n", runs);
    std::printf("  %-18s %9s %9s %9s %8s\n", "", "median ms", "p90 ms", "min ms", "peak MB");
    for (const Subject& subject : subjects) {
        print_row(subject.name, subject.series);
    }
    for (std::size_t i = 1; i < count; ++i) {
        const Subject& subject = subjects[i];
        const double ratio = quantile(subject.ratios, 0.5);
        std::printf("  ratio %s/bare: median of paired calls %.3f, p90 %.3f, of medians %.3f;"
                    " budget <= %.0f: %s\n",
                    subject.name, ratio, quantile(subject.ratios, 0.9),
                    quantile(subject.series.ms, 0.5) / quantile(subjects[0].series.ms, 0.5), budget,
                    ratio <= budget ? "met" : "NOT met");
    }
    return 0;
}

std::optional<int> to_int(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        return drive(200);
    }
    if (args.size() == 2 && args[0] == "--runs") {
        if (const auto runs = to_int(args[1]); runs && *runs > 0 && *runs <= 100'000) {
            return drive(*runs);
        }
    }
    std::fprintf(stderr, "usage: cli_bench [--runs N]\n");
    return 2;
}
