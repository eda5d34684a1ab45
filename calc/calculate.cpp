// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculate.h"

#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/course.h"
#include "calc/text/entry_reading.h"
#include "calc/text/labels.h"

#include <cmath>

namespace calc {

namespace {

constexpr double count_limit = 100;

// Either the number read from an entry or the warning that refuses it.
using Reading = std::variant<Warning, double>;

Warning warn(std::string_view text, Entry entry) {
    return Warning{std::string(text), entry};
}

// The main window says "Bitte Anzahl eingeben!" for every empty field.
Reading reading_of(const EntryReading& reading, Entry entry) {
    if (const double* number = std::get_if<double>(&reading)) {
        return *number;
    }
    switch (std::get<EntryFault>(reading)) {
    case EntryFault::missing:
        return warn(warning_text::missing_entry, entry);
    case EntryFault::not_a_number:
    case EntryFault::out_of_range: // only a tolerance is out of range
        break;
    case EntryFault::too_large:
        return warn(warning_text::count_too_large, entry);
    case EntryFault::not_positive:
        return warn(warning_text::count_not_positive, entry);
    }
    return Warning{warning_text::not_a_number(entry), entry};
}

Reading entry_number(const std::string& text, Entry entry, const NumberLocale& locale) {
    return reading_of(read_entry(text, locale), entry);
}

Reading count_number(const std::string& text, const NumberLocale& locale) {
    return reading_of(read_count(text, count_limit, locale), Entry::anzschr);
}

Reading tolerance_number(const std::string& text, const NumberLocale& locale) {
    const EntryReading reading = read_tolerance(text, locale);
    if (const double* tol = std::get_if<double>(&reading)) {
        return *tol;
    }
    switch (std::get<EntryFault>(reading)) {
    case EntryFault::missing:
        return warn(tolerance_warning_text::missing, Entry::anzschr);
    case EntryFault::out_of_range:
        return Warning{tolerance_warning_text::out_of_range(locale), Entry::anzschr};
    case EntryFault::not_a_number:
    case EntryFault::too_large:
    case EntryFault::not_positive:
        break;
    }
    return warn(tolerance_warning_text::not_a_number, Entry::anzschr);
}

Warning overflow_warning() {
    return Warning{std::string(warning_text::overflow), std::nullopt};
}

// The warning of a run with step size control that did not reach og.
Warning stop_warning(const AdaptiveRun& run, const NumberLocale& locale) {
    switch (run.stop) {
    case AdaptiveStop::reached:
    case AdaptiveStop::invalid: // a bound beyond the doubles
        break;
    case AdaptiveStop::failed:
        if (run.end.failure == Failure::undefined) {
            return Warning{formula_warning::undefined(run.end.where.x, run.end.where.y, locale),
                           Entry::gleichung};
        }
        break;
    case AdaptiveStop::step_too_small:
        return Warning{adaptive_warning_text::step_too_small(run.end.point.x, locale),
                       std::nullopt};
    case AdaptiveStop::too_many_attempts:
        return Warning{std::string(adaptive_warning_text::too_many_attempts), std::nullopt};
    }
    return overflow_warning();
}

std::string result_line(Point point, const NumberLocale& locale) {
    std::string line(line_text::x_lead);
    line += format_00_0(point.x, locale);
    line += line_text::y_lead;
    line += format_general(point.y, locale);
    return line;
}

} // namespace

Outcome calculate(const Task& task, const NumberLocale& locale) {
    const EntryTexts& entries = task.entries;
    const Reading readings[] = {
        task.pair ? tolerance_number(task.tolerance, locale)
                  : count_number(entries.anzschr, locale),
        entry_number(entries.ug, Entry::ug, locale),
        entry_number(entries.og, Entry::og, locale),
        entry_number(entries.aw, Entry::aw, locale),
    };
    for (const Reading& reading : readings) {
        if (const Warning* warning = std::get_if<Warning>(&reading)) {
            return *warning;
        }
    }
    ResultLine line{{},
                    {std::get<double>(readings[0]), std::get<double>(readings[1]),
                     std::get<double>(readings[2]), std::get<double>(readings[3])},
                    {},
                    task.method,
                    {},
                    {}};
    const Numbers& numbers = line.numbers;

    auto equation = Equation::parse(task.equation, locale);
    if (const auto* error = std::get_if<ParseError>(&equation)) {
        return Warning{formula_warning::equation(*error), Entry::gleichung};
    }
    line.equation = std::move(std::get<Equation>(equation));
    line.exact = ExactSolution::of(line.equation);
    if (!line.exact && task.exact) {
        auto exact = ExactSolution::parse(*task.exact, locale);
        if (const auto* error = std::get_if<ParseError>(&exact)) {
            return Warning{formula_warning::exact(*error), Entry::exakt};
        }
        line.exact = std::move(std::get<ExactSolution>(exact));
    }

    if (task.pair) {
        const double tol = line.numbers.anzschr;
        line.numbers.anzschr = 0;
        AdaptiveLine adaptive{*task.pair, tol, format_general(tol, locale), {}};
        const AdaptiveRun run = adaptive_run_of(line, adaptive);
        if (run.stop != AdaptiveStop::reached) {
            return stop_warning(run, locale);
        }
        adaptive.totals = totals_of(run);
        line.text = result_line(run.end.point, locale);
        line.adaptive = std::move(adaptive);
        return line;
    }

    const Steps steps = steps_of(numbers);
    if (!std::isfinite(steps.h)) {
        return overflow_warning();
    }
    const RunEnd end =
        run_passes(task.method, line.equation, {numbers.ug, numbers.aw}, steps.h, steps.passes);
    if (end.failure == Failure::newton) {
        return Warning{newton_warning_text::not_converging(end.where.x, locale), std::nullopt};
    }
    if (end.failure == Failure::undefined) {
        return Warning{formula_warning::undefined(end.where.x, end.where.y, locale),
                       Entry::gleichung};
    }
    if (!end.finite) {
        return overflow_warning();
    }
    line.text = result_line(end.point, locale);
    line.newton_iterations = end.iterations;
    return line;
}

AdaptiveTotals line_totals(const ResultLine& line) {
    if (line.adaptive) {
        return line.adaptive->totals;
    }
    return fixed_totals(steps_of(line.numbers).passes, line.method, line.newton_iterations, 1);
}

Outcome calculate(const EntryTexts& entries, const NumberLocale& locale) {
    return calculate(Task(entries), locale);
}

Course build_course(const ResultLine& line) {
    return build_course(line.numbers, line.equation, line.method, line.exact);
}

AdaptiveCourse build_adaptive_course(const ResultLine& line) {
    return build_adaptive_course(line.numbers, line.equation, line.exact,
                                 line.adaptive.value_or(AdaptiveLine{}));
}

SlopeOf<double> slope_of(const Equation& equation) {
    return [&equation](double x, double y) { return equation(x, y); };
}

AdaptiveRun adaptive_run_of(const ResultLine& line, const AdaptiveLine& adaptive) {
    // The default reports every failure as an overflow, as its fixed run does.
    return adaptive_run<double>(adaptive.pair, slope_of(line.equation),
                                {line.numbers.ug, line.numbers.aw}, line.numbers.og,
                                adaptive.tolerance, !line.equation.is_default());
}

std::string line_tooltip(const ResultLine& line) {
    std::string tooltip(equation_lead);
    tooltip += line.equation.text();
    tooltip += ", ";
    if (!line.adaptive) {
        tooltip += method_info(line.method).name;
        return tooltip;
    }
    tooltip += adaptive_description(*line.adaptive);
    return tooltip;
}

std::string adaptive_description(const AdaptiveLine& adaptive) {
    std::string text(pair_info(adaptive.pair).name);
    text += adaptive_label::tolerance_lead;
    text += adaptive.tolerance_text;
    text += adaptive_label::totals_lead;
    text += adaptive_label::totals(adaptive.totals.accepted, adaptive.totals.rejected,
                                   adaptive.totals.evaluations);
    return text;
}

} // namespace calc
