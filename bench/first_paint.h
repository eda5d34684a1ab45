// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a start-up probe shares with the driver: the clock, the fork time it is handed, and
// the filter that ends the probe once its window has painted.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

namespace first_paint {

// The driver's clock reading just before the fork, handed to the probe.
inline constexpr char fork_time_variable[] = "STARTUP_BENCH_FORK_NS";

inline std::int64_t monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

inline std::optional<std::int64_t> to_int(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The fork time the driver handed over; nullopt outside a probe.
inline std::optional<std::int64_t> fork_time() {
    const char* text = std::getenv(fork_time_variable);
    return to_int(text ? text : "");
}

// Once the window has painted for the first time, lets that paint reach the screen, prints
// the time since the fork and ends the event loop.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::int64_t fork_ns) : fork_ns_(fork_ns) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("%lld\n", static_cast<long long>(monotonic_ns() - fork_ns_));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::int64_t fork_ns_;
    bool seen_ = false;
};

} // namespace first_paint
