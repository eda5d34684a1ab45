// SPDX-License-Identifier: GPL-3.0-or-later
// Times a click on Berechnen in a real Integration window whose result list already holds
// many lines: until the click has been handled, and until the list has painted the new line.
// Clicking on one list stops after 30 s, so a slow window still finishes.
//
//   click_bench [--clicks K] [--lines 0,10000,100000]
#include "calc/calculate.h"
#include "window/main/integration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

// Whole numbers read alike in every locale, so the window keeps its own path through the
// system locale, as in the program.
const calc::EntryTexts entries{"99", "0", "1", "1"};

// Notes each paint of the watched widget.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }

    int paints = 0;
};

struct Clicks {
    std::vector<double> handled_us;
    std::vector<double> painted_us;
    std::string failure; // empty when every click appended its line and painted it
};

double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// The line a click appends, as calc writes it under German number rules.
QString result_line() {
    const calc::NumberLocale german{",", ".", "-"};
    const calc::Outcome outcome = calc::calculate(entries, german);
    return QString::fromStdString(std::get<calc::ResultLine>(outcome).text);
}

Clicks time_clicks(int lines, int clicks) {
    Clicks result;
    Integration window;
    window.setWarningPresenter([&result](const QString& text) {
        result.failure = "a click warned: " + text.toStdString();
    });
    window.findChild<QLineEdit*>("txtanzschr")->setText(QString::fromStdString(entries.anzschr));
    window.findChild<QLineEdit*>("txtug")->setText(QString::fromStdString(entries.ug));
    window.findChild<QLineEdit*>("txtog")->setText(QString::fromStdString(entries.og));
    window.findChild<QLineEdit*>("txtaw")->setText(QString::fromStdString(entries.aw));
    auto* button = window.findChild<QPushButton*>("cmdRechnen");
    auto* list = window.findChild<QListWidget*>("Ausgabe");

    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        result.failure = "the window was never shown";
        return result;
    }
    list->addItems(QStringList(lines, result_line()));
    list->scrollToBottom();
    QCoreApplication::processEvents();

    PaintCounter painted;
    list->viewport()->installEventFilter(&painted);
    QElapsedTimer timer;
    QElapsedTimer spent;
    spent.start();
    // The first click warms the caches and is not counted.
    for (int i = -1; i < clicks && spent.elapsed() < 30'000; ++i) {
        const int paints_before = painted.paints;
        timer.start();
        QTest::mouseClick(button, Qt::LeftButton);
        const double handled_us = static_cast<double>(timer.nsecsElapsed()) / 1e3;
        while (painted.paints == paints_before && timer.elapsed() < 5'000) {
            QCoreApplication::processEvents();
        }
        const double painted_us = static_cast<double>(timer.nsecsElapsed()) / 1e3;
        if (painted.paints == paints_before) {
            result.failure = "the list did not paint within 5 s of a click";
        }
        if (!result.failure.empty()) {
            return result;
        }
        if (i >= 0) {
            result.handled_us.push_back(handled_us);
            result.painted_us.push_back(painted_us);
        }
    }
    if (result.handled_us.empty()) {
        result.failure = "no click was timed within 30 s";
    } else if (list->count() != lines + static_cast<int>(result.handled_us.size()) + 1) {
        result.failure = "a click did not append one line";
    }
    return result;
}

std::optional<int> to_int(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<int>> to_ints(std::string_view text) {
    std::vector<int> values;
    while (true) {
        const auto comma = text.find(',');
        const auto value = to_int(text.substr(0, comma));
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
        if (comma == std::string_view::npos) {
            return values;
        }
        text.remove_prefix(comma + 1);
    }
}

struct Options {
    int clicks = 300;
    std::vector<int> lines{0, 10'000, 100'000};
};

std::optional<Options> read_options(const QStringList& args) {
    Options options;
    if (args.size() % 2 != 0) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const std::string value = args[i + 1].toStdString();
        const auto count = to_int(value);
        const auto counts = to_ints(value);
        if (args[i] == "--clicks" && count && *count > 0 && *count <= 100'000) {
            options.clicks = *count;
        } else if (args[i] == "--lines" && counts &&
                   std::ranges::all_of(*counts, [](int n) { return n <= 1'000'000; })) {
            options.lines = *counts;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const auto options = read_options(QCoreApplication::arguments().mid(1));
    if (!options) {
        std::fprintf(stderr, "usage: click_bench [--clicks K] [--lines 0,10000,100000]\n");
        return 2;
    }
    std::printf("Click on Berechnen, platform %s, up to %d clicks per list, microseconds\n",
                qPrintable(QGuiApplication::platformName()), options->clicks);
    std::printf("  %12s %7s %15s %12s %15s %12s\n", "lines before", "clicks", "handled median",
                "handled p99", "painted median", "painted p99");
    for (const int lines : options->lines) {
        const Clicks clicks = time_clicks(lines, options->clicks);
        if (!clicks.failure.empty()) {
            std::fprintf(stderr, "click_bench: with %d lines %s\n", lines, clicks.failure.c_str());
            return 1;
        }
        std::printf("  %12d %7zu %15.1f %12.1f %15.1f %12.1f\n", lines, clicks.handled_us.size(),
                    quantile(clicks.handled_us, 0.5), quantile(clicks.handled_us, 0.99),
                    quantile(clicks.painted_us, 0.5), quantile(clicks.painted_us, 0.99));
    }
    return 0;
}
