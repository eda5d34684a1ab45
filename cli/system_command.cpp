// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/system_command.h"

#include "calc/core/state.h"
#include "calc/system_calculate.h"
#include "cli/output.h"
#include "qt/number_locale.h"

#include <QLocale>

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
constexpr char course_or_study_for_system[] =
    "Die Optionen „--verlauf“ und „--konvergenz“ gibt es für Systeme noch nicht.";
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
    if (parser.isSet(options.course) || parser.isSet(options.study)) {
        return QString::fromUtf8(text::course_or_study_for_system);
    }
    return std::nullopt;
}

int computeAndPrintSystem(const QCommandLineParser& parser, const Options& options,
                          calc::Method method) {
    calc::SystemTask task;
    task.form = parser.isSet(options.second_order) ? calc::SystemForm::second_order
                                                   : calc::SystemForm::first_order;
    task.formulas = valuesOf(parser, options.equation);
    task.initial = valuesOf(parser, options.aw);
    task.ug = parser.value(options.ug).toStdString();
    task.og = parser.value(options.og).toStdString();
    task.count = parser.value(options.anzschr).toStdString();
    task.method = method;
    const calc::NumberLocale locale = calcNumberLocale(QLocale::system());
    const calc::SystemOutcome outcome = calc::calculate_system(task, locale);
    if (const auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        return printRefusal(warning->text);
    }
    return printResult(std::get<calc::SystemLine>(outcome).text + '\n');
}

} // namespace cli
