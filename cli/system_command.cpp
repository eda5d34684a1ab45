// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/system_command.h"

#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/stability.h"
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_study.h"
#include "calc/core/state.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "cli/output.h"
#include "cli/tolerance_study_output.h"
#include "qt/number_locale.h"

#include <QLocale>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

namespace {

namespace text {
constexpr char second_order_equations[] =
    "Mit „--zweite-ordnung“ ist genau eine Gleichung „-g“ anzugeben, nicht %1.";
constexpr char second_order_initial[] =
    "Mit „--zweite-ordnung“ sind genau zwei Anfangswerte „-a“ anzugeben, y(ug) und y'(ug), "
    "nicht %1.";
constexpr char too_many_equations[] =
    "Ein System hat höchstens vier Gleichungen, „-g“ steht %1-mal da.";
constexpr char counts_differ[] =
    "Ein System braucht „-a“ so oft wie „-g“: „-g“ steht %1-mal da, „-a“ %2-mal.";
constexpr char exact_for_system[] =
    "Die Option „--exakt“ gilt nur für eine einzelne Gleichung, nicht für ein System.";
} // namespace text

std::vector<std::string> valuesOf(const QCommandLineParser& parser,
                                  const QCommandLineOption& option) {
    std::vector<std::string> values;
    for (const QString& value : parser.values(option)) {
        values.push_back(value.toStdString());
    }
    return values;
}

} // namespace

bool asksForSystem(const QCommandLineParser& parser, const Options& options) {
    return parser.isSet(options.second_order) || parser.values(options.equation).size() > 1 ||
           parser.values(options.aw).size() > 1;
}

std::optional<QString> systemUsageError(const QCommandLineParser& parser, const Options& options) {
    const qsizetype equations = parser.values(options.equation).size();
    const qsizetype initial = parser.values(options.aw).size();
    if (parser.isSet(options.second_order)) {
        if (equations != 1) {
            return QString::fromUtf8(text::second_order_equations).arg(equations);
        }
        if (initial != 2) {
            return QString::fromUtf8(text::second_order_initial).arg(initial);
        }
    } else {
        if (equations > static_cast<qsizetype>(calc::max_components)) {
            return QString::fromUtf8(text::too_many_equations).arg(equations);
        }
        if (equations != initial) {
            return QString::fromUtf8(text::counts_differ).arg(equations).arg(initial);
        }
    }
    if (parser.isSet(options.exact)) {
        return QString::fromUtf8(text::exact_for_system);
    }
    return std::nullopt;
}

int computeAndPrintSystem(const QCommandLineParser& parser, const Options& options,
                          const Choice& choice) {
    calc::SystemTask task;
    task.form = parser.isSet(options.second_order) ? calc::SystemForm::second_order
                                                   : calc::SystemForm::first_order;
    task.formulas = valuesOf(parser, options.equation);
    task.initial = valuesOf(parser, options.aw);
    task.ug = parser.value(options.ug).toStdString();
    task.og = parser.value(options.og).toStdString();
    task.count = parser.value(options.anzschr).toStdString();
    if (const std::optional<calc::Pair> pair = calc::pair_of(choice.scheme)) {
        task.pair = pair;
    } else {
        task.method = std::get<calc::Method>(choice.scheme);
    }
    // The tolerance study makes its own tolerances: there -t is ignored.
    if (parser.isSet(options.tolerance) && !parser.isSet(options.study)) {
        task.tolerance = parser.value(options.tolerance).toStdString();
    }
    const calc::NumberLocale locale = calcNumberLocale(QLocale::system());
    const calc::SystemOutcome outcome = calc::calculate_system(task, locale);
    if (const auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        return printRefusal(warning->text);
    }
    const auto& line = std::get<calc::SystemLine>(outcome);
    if (parser.isSet(options.statistics) &&
        !printStatistics(
            line.adaptive
                ? line.adaptive->totals
                : calc::fixed_totals(calc::system_steps_of(line.numbers).passes, task.method))) {
        return write_failed;
    }
    if (parser.isSet(options.stability) && line.adaptive) {
        const calc::Pair pair = line.adaptive->pair;
        return printResult(calc::stability_summary_csv(
            calc::pair_info(pair).cli_name, calc::stability_interval(pair),
            calc::stability_of(calc::build_system_adaptive_course(line)), locale));
    }
    if (parser.isSet(options.stability)) {
        return printResult(calc::stability_summary_csv(
            calc::method_info(line.method).cli_name, calc::stability_interval(line.method),
            calc::stability_of(calc::build_system_course(line, calc::CourseOrder::left_out)),
            locale));
    }
    if (parser.isSet(options.course) && line.adaptive) {
        return printResult(calc::system_adaptive_csv(calc::build_system_adaptive_course(line),
                                                     locale, calc::StabilityCsv::parts));
    }
    if (parser.isSet(options.course)) {
        // The CSV holds no observed order, so the course is built without its extra runs.
        return printResult(
            calc::system_course_csv(calc::build_system_course(line, calc::CourseOrder::left_out),
                                    locale, calc::StabilityCsv::parts));
    }
    if (parser.isSet(options.study)) {
        // A pair's -m, or "adaptiv" for all three, studies the tolerances instead of the steps.
        if (line.adaptive) {
            return printToleranceStudy(line, studiedPairs(choice));
        }
        // Without a progress callback nothing cancels the study, so it always has a result.
        const std::optional<calc::SystemStudy> study =
            calc::run_system_study(line, studiedMethods(parser, options, task.method));
        return study ? printResult(calc::study_csv(*study, locale)) : refused;
    }
    return printResult(line.text + '\n');
}

} // namespace cli
