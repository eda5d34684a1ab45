// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/system_calculate.h"

#include "calc/calculate.h"
#include "calc/core/passes.h"
#include "calc/text/entry_reading.h"
#include "calc/text/labels.h"
#include "calc/text/warnings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace calc {

namespace {

// Either the number read from a field or the warning that refuses it.
using Reading = std::variant<SystemWarning, double>;

SystemWarning warn(std::string text, SystemField field, std::size_t index = 0) {
    return SystemWarning{std::move(text), field, index};
}

// The count, as the main window reads it but up to system_count_limit.
Reading read_system_count(std::string_view text, const NumberLocale& locale) {
    const EntryReading reading = read_count(text, system_count_limit, locale);
    if (const double* count = std::get_if<double>(&reading)) {
        return *count;
    }
    switch (std::get<EntryFault>(reading)) {
    case EntryFault::missing:
        return warn(std::string(warning_text::missing_entry), SystemField::count);
    case EntryFault::too_large:
        return warn(std::string(system_warning_text::count_too_large), SystemField::count);
    case EntryFault::not_positive:
        return warn(std::string(warning_text::count_not_positive), SystemField::count);
    case EntryFault::not_a_number:
    case EntryFault::out_of_range: // only a tolerance is out of range
        break;
    }
    return warn(warning_text::not_a_number(Entry::anzschr), SystemField::count);
}

// The tolerance, with the main window's warnings, in the count's field.
Reading read_system_tolerance(std::string_view text, const NumberLocale& locale) {
    const EntryReading reading = read_tolerance(text, locale);
    if (const double* tol = std::get_if<double>(&reading)) {
        return *tol;
    }
    switch (std::get<EntryFault>(reading)) {
    case EntryFault::missing:
        return warn(std::string(tolerance_warning_text::missing), SystemField::count);
    case EntryFault::out_of_range:
        return warn(tolerance_warning_text::out_of_range(locale), SystemField::count);
    case EntryFault::not_a_number:
    case EntryFault::too_large:
    case EntryFault::not_positive:
        break;
    }
    return warn(std::string(tolerance_warning_text::not_a_number), SystemField::count);
}

// A bound: an empty one is named, one that is not a number is worded as the main window does.
Reading read_bound(std::string_view text, Entry bound, const NumberLocale& locale) {
    const SystemField field = bound == Entry::ug ? SystemField::ug : SystemField::og;
    const EntryReading reading = read_entry(text, locale);
    if (const double* number = std::get_if<double>(&reading)) {
        return *number;
    }
    if (std::get<EntryFault>(reading) == EntryFault::missing) {
        return warn(system_warning_text::bound_missing(bound), field);
    }
    return warn(warning_text::not_a_number(bound), field);
}

Reading read_initial(std::string_view text, SystemForm form, std::size_t i,
                     const NumberLocale& locale) {
    const EntryReading reading = read_entry(text, locale);
    if (const double* number = std::get_if<double>(&reading)) {
        return *number;
    }
    const std::string name = component_name(form, i);
    if (std::get<EntryFault>(reading) == EntryFault::missing) {
        return warn(system_warning_text::initial_missing(name), SystemField::initial, i);
    }
    return warn(system_warning_text::initial_not_a_number(name), SystemField::initial, i);
}

// The components of the state that the task's form and formulas give: two for the second-order
// form, else one a formula, at most max_components (System::parse refuses any beyond).
std::size_t components_of(const SystemTask& task) {
    if (task.form == SystemForm::second_order) {
        return 2;
    }
    return std::min(task.formulas.size(), max_components);
}

std::string result_line(const SystemPoint& point, const NumberLocale& locale) {
    std::string line(line_text::x_lead);
    line += format_00_0(point.x, locale);
    line += line_text::y_lead;
    line += components_text(point.y, locale);
    return line;
}

SystemWarning undefined_warning(const SystemForm form, const RunEndOf<Vector>& end,
                                const NumberLocale& locale) {
    if (form == SystemForm::second_order) {
        // Only y'' is a formula: y1' = y2 is finite at every finite stage point.
        return warn(formula_warning::second_order_undefined(end.where.x, end.where.y[0],
                                                            end.where.y[1], locale),
                    SystemField::formula, 0);
    }
    return warn(formula_warning::system_undefined(derivative_name(form, end.component), end.where.x,
                                                  end.where.y, locale),
                SystemField::formula, end.component);
}

SystemWarning overflow_warning() {
    return SystemWarning{std::string(warning_text::overflow), std::nullopt, 0};
}

} // namespace

Steps system_steps_of(const SystemNumbers& numbers) {
    return steps_of(Numbers{numbers.anzschr, numbers.ug, numbers.og, 0});
}

SystemOutcome calculate_system(const SystemTask& task, const NumberLocale& locale) {
    // A field is read only once every field before it is accepted.
    std::optional<SystemWarning> refused;
    const auto accepted = [&refused](Reading reading, double& number) {
        if (auto* warning = std::get_if<SystemWarning>(&reading)) {
            refused = std::move(*warning);
            return false;
        }
        number = std::get<double>(reading);
        return true;
    };
    const std::size_t n = components_of(task);
    SystemNumbers numbers{0, 0, 0, Vector{{}, n}};
    const Reading first = task.pair ? read_system_tolerance(task.tolerance, locale)
                                    : read_system_count(task.count, locale);
    if (!accepted(first, numbers.anzschr) ||
        !accepted(read_bound(task.ug, Entry::ug, locale), numbers.ug) ||
        !accepted(read_bound(task.og, Entry::og, locale), numbers.og)) {
        return *refused;
    }
    for (std::size_t i = 0; i < n; ++i) {
        // An initial value that the task does not hold is an empty field.
        const std::string_view text =
            i < task.initial.size() ? std::string_view(task.initial[i]) : std::string_view();
        if (!accepted(read_initial(text, task.form, i, locale), numbers.aw[i])) {
            return *refused;
        }
    }

    auto parsed = System::parse(task.form, task.formulas, locale);
    if (const auto* error = std::get_if<SystemParseError>(&parsed)) {
        const std::string text =
            task.form == SystemForm::second_order
                ? formula_warning::equation(error->error)
                : formula_warning::system_equation(derivative_name(task.form, error->formula),
                                                   error->error);
        return warn(text, SystemField::formula, error->formula);
    }
    SystemLine line{{}, numbers, std::move(std::get<System>(parsed)), task.method, {}};

    if (task.pair) {
        const double tol = line.numbers.anzschr;
        line.numbers.anzschr = 0;
        AdaptiveLine adaptive{*task.pair, tol, format_general(tol, locale), {}};
        const SystemAdaptiveRun run = system_adaptive_run_of(line, adaptive);
        switch (run.stop) {
        case AdaptiveStop::reached:
            break;
        case AdaptiveStop::failed:
            if (run.end.failure == Failure::undefined) {
                return undefined_warning(task.form, run.end, locale);
            }
            return overflow_warning();
        case AdaptiveStop::step_too_small:
            return SystemWarning{adaptive_warning_text::step_too_small(run.end.point.x, locale),
                                 std::nullopt, 0};
        case AdaptiveStop::too_many_attempts:
            return SystemWarning{std::string(adaptive_warning_text::too_many_attempts),
                                 std::nullopt, 0};
        case AdaptiveStop::invalid: // a bound beyond the doubles
            return overflow_warning();
        }
        adaptive.totals = totals_of(run);
        line.text = result_line(run.end.point, locale);
        line.adaptive = std::move(adaptive);
        return line;
    }

    const Steps steps = system_steps_of(numbers);
    if (!std::isfinite(steps.h)) {
        return overflow_warning();
    }
    const auto stage_count = static_cast<std::size_t>(method_info(task.method).stage_count);
    const System::Evaluator f = line.system.evaluator();
    const RunEndOf<Vector> end =
        passes::checked_run(task.method, f, stage_count, true, SystemPoint{numbers.ug, numbers.aw},
                            steps.h, steps.passes);
    if (end.failure == Failure::newton) {
        return SystemWarning{newton_warning_text::not_converging(end.where.x, locale), std::nullopt,
                             0};
    }
    if (end.failure == Failure::undefined) {
        return undefined_warning(task.form, end, locale);
    }
    if (!end.finite) {
        return overflow_warning();
    }
    line.text = result_line(end.point, locale);
    line.newton_iterations = end.iterations;
    return line;
}

AdaptiveTotals system_line_totals(const SystemLine& line) {
    if (line.adaptive) {
        return line.adaptive->totals;
    }
    return fixed_totals(system_steps_of(line.numbers).passes, line.method, line.newton_iterations,
                        line.numbers.aw.size());
}

std::string system_tooltip(const SystemLine& line) {
    std::string tooltip;
    const std::vector<std::string>& texts = line.system.texts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        tooltip += derivative_name(line.system.form(), i);
        tooltip += component_label::equals;
        tooltip += texts[i];
        tooltip += component_label::item_separator;
    }
    tooltip += line.adaptive ? adaptive_description(*line.adaptive)
                             : std::string(method_info(line.method).name);
    return tooltip;
}

SystemAdaptiveRun system_adaptive_run_of(const SystemLine& line, const AdaptiveLine& adaptive) {
    const System::Evaluator f = line.system.evaluator();
    return adaptive_run<Vector>(adaptive.pair, f, {line.numbers.ug, line.numbers.aw},
                                line.numbers.og, adaptive.tolerance, true);
}

} // namespace calc
