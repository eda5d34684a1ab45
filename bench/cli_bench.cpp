// SPDX-License-Identifier: GPL-3.0-or-later
// Times a command-line call of numer-integration from start to exit against a bare
// QCoreApplication program that prints one line, alternately, each call a process of its own,
// and reads the peak memory of both.
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
    std::printf("  %-16s %9.2f %9.2f %9.2f %8.1f\n", name, quantile(series.ms, 0.5),
                quantile(series.ms, 0.9), quantile(series.ms, 0.0), quantile(series.rss_mb, 0.5));
}

int drive(int runs) {
    // The call needs no display; none is offered, so a window path would fail the run.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    Series bare;
    Series program;
    std::vector<double> ratios;
    // One discarded round fills the file cache; then the order alternates to cancel drift.
    for (int round = -1; round < runs; ++round) {
        const bool bare_first = round % 2 == 0;
        const auto first = call(bare_first ? bare_call : program_call);
        const auto second = call(bare_first ? program_call : bare_call);
        if (!first || !second) {
            std::fprintf(stderr, "cli_bench: a call failed\n");
            return 1;
        }
        if (round < 0) {
            continue;
        }
        const Call b = bare_first ? *first : *second;
        const Call p = bare_first ? *second : *first;
        bare.add(b);
        program.add(p);
        ratios.push_back(p.ms / b.ms);
    }
    const double ratio = quantile(ratios, 0.5);
    std::printf("Command-line call from start to exit, no display, %d calls each\n", runs);
    std::printf("  %-16s %9s %9s %9s %8s\n", "", "median ms", "p90 ms", "min ms", "peak MB");
    print_row("bare QCore", bare);
    print_row("numer-integration", program);
    std::printf("  ratio call/bare: median of paired calls %.3f, p90 %.3f, of medians %.3f;"
                " budget <= %.0f: %s\n",
                ratio, quantile(ratios, 0.9), quantile(program.ms, 0.5) / quantile(bare.ms, 0.5),
                budget, ratio <= budget ? "met" : "NOT met");
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
