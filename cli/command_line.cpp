// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/course.h"
#include "calc/analysis/stability.h"
#include "calc/analysis/study.h"
#include "calc/calculate.h"
#include "calc/core/methods.h"
#include "calc/problem/equation.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/system_command.h"
#include "cli/tolerance_study_output.h"
#include "qt/number_locale.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cli {

namespace {

namespace text {
constexpr char version[] = NUMERINT_VERSION;
constexpr char unknown_option[] = "Unbekannte Option „%1“.";
constexpr char unknown_method[] = "Unbekanntes Verfahren „%1“ (bekannt: %2).";
constexpr char course_and_study[] =
    "Die Optionen „--verlauf“ und „--konvergenz“ schließen einander aus.";
constexpr char stability_and_others[] =
    "Die Option „--stabilität“ schließt „--verlauf“ und „--konvergenz“ aus.";
constexpr char missing_value[] = "Der Option „%1“ fehlt ihr Wert.";
constexpr char unexpected_value[] = "Die Option „%1“ nimmt keinen Wert.";
constexpr char stray_argument[] = "Überzähliges Argument „%1“.";
constexpr char invalid_call[] = "Die Argumente sind ungültig.";
constexpr char tolerance_without_pair[] =
    "Die Option „-t“ gilt nur für ein adaptives Verfahren (%1), nicht für „%2“.";
constexpr char count_with_pair[] =
    "Die Option „-n“ gilt nicht für das adaptive Verfahren „%1“; es nimmt eine Toleranz „-t“.";
constexpr char all_pairs_without_study[] = "Das Verfahren „adaptiv“ gilt nur mit „--konvergenz“.";
} // namespace text

// Qt's own window options that take the next argument as their value.
constexpr std::array<std::string_view, 12> valued_window_options = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "session",
    "display",         "geometry",           "style",         "stylesheet"};
// Qt's own window options without a value.
constexpr std::array<std::string_view, 2> window_flags = {"reverse", "widgetcount"};
// The window options that QApplication also takes as "-name=value".
constexpr std::array<std::string_view, 2> joined_window_options = {"style=", "stylesheet="};

template <std::size_t N>
bool isOneOf(QStringView name, const std::array<std::string_view, N>& names) {
    for (std::string_view candidate : names) {
        if (name == QLatin1String(candidate.data(), static_cast<qsizetype>(candidate.size()))) {
            return true;
        }
    }
    return false;
}

template <std::size_t N>
bool startsWithOneOf(QStringView name, const std::array<std::string_view, N>& prefixes) {
    for (std::string_view prefix : prefixes) {
        if (name.startsWith(QLatin1String(prefix.data(), static_cast<qsizetype>(prefix.size())))) {
            return true;
        }
    }
    return false;
}

// "euler, heun, mittelpunkt, rk3, rk4".
QString nameText(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Every name that -m takes, as the help lists them.
QString methodNames() {
    QStringList names;
    for (const calc::SchemeInfo& scheme : calc::scheme_table) {
        names.append(nameText(scheme.cli_name));
    }
    names.append(QString::fromUtf8(all_pairs_name));
    return names.join(QStringLiteral(", "));
}

// The option an argument names, as typed: "--name" of "--name=value", "-x" of "-x".
QString typedOption(const QString& argument) {
    const qsizetype equals = argument.indexOf(u'=');
    return equals < 0 ? argument : argument.left(equals);
}

// Says in German why the parser refused the arguments; Qt's own text is English.
QString refusal(const QCommandLineParser& parser, const Options& options,
                const QStringList& arguments) {
    if (!parser.unknownOptionNames().isEmpty()) {
        return QString::fromUtf8(text::unknown_option)
            .arg(dashed(parser.unknownOptionNames().constFirst()));
    }
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QStringList typed = end < 0 ? arguments : arguments.first(end);
    if (!typed.isEmpty() && options.takesValue(typed.constLast())) {
        return QString::fromUtf8(text::missing_value).arg(typed.constLast());
    }
    for (const QString& argument : typed) {
        if (argument.startsWith(u'-') && argument.contains(u'=') &&
            !options.takesValue(typedOption(argument))) {
            return QString::fromUtf8(text::unexpected_value).arg(typedOption(argument));
        }
    }
    return QString::fromUtf8(text::invalid_call);
}

QString pairNames() {
    QStringList names;
    for (const calc::PairInfo& pair : calc::pair_table) {
        names.append(nameText(pair.cli_name));
    }
    return names.join(QStringLiteral(", "));
}

// The method or pair that -m names, rk4 without it; none for a name calc does not know.
std::optional<Choice> chosenScheme(const QCommandLineParser& parser, const Options& options) {
    if (!parser.isSet(options.method)) {
        return Choice{};
    }
    const QString name = parser.value(options.method);
    if (name == QLatin1String(all_pairs_name)) {
        return Choice{calc::pair_table.back().id, true};
    }
    if (const std::optional<calc::Scheme> scheme = calc::scheme_named(name.toStdString())) {
        return Choice{*scheme, false};
    }
    return std::nullopt;
}

// What is wrong with the options of a method or a pair: -t belongs to a pair, -n to a method.
std::optional<QString> schemeUsageError(const QCommandLineParser& parser, const Options& options,
                                        const Choice& choice) {
    const std::optional<calc::Pair> pair = calc::pair_of(choice.scheme);
    if (choice.all_pairs && !parser.isSet(options.study)) {
        return QString::fromUtf8(text::all_pairs_without_study);
    }
    if (!pair && parser.isSet(options.tolerance)) {
        return QString::fromUtf8(text::tolerance_without_pair)
            .arg(pairNames(),
                 nameText(calc::scheme_table[calc::scheme_index(choice.scheme)].cli_name));
    }
    if (pair && parser.isSet(options.anzschr)) {
        return QString::fromUtf8(text::count_with_pair)
            .arg(choice.all_pairs ? QString::fromUtf8(all_pairs_name)
                                  : nameText(calc::pair_info(*pair).cli_name));
    }
    return std::nullopt;
}

// Computes as the window does and prints its line, the course with --verlauf, or the
// convergence study with --konvergenz.
int computeAndPrint(const QCommandLineParser& parser, const Options& options,
                    const Choice& choice) {
    calc::Task task({parser.value(options.anzschr).toStdString(),
                     parser.value(options.ug).toStdString(), parser.value(options.og).toStdString(),
                     parser.value(options.aw).toStdString()});
    if (parser.isSet(options.equation)) {
        task.equation = parser.value(options.equation).toStdString();
    }
    task.choose(choice.scheme);
    // The tolerance study makes its own tolerances: there -t is ignored.
    if (parser.isSet(options.tolerance) && !parser.isSet(options.study)) {
        task.tolerance = parser.value(options.tolerance).toStdString();
    }
    if (parser.isSet(options.exact)) {
        task.exact = parser.value(options.exact).toStdString();
    }
    const calc::NumberLocale locale = calcNumberLocale(QLocale::system());
    const calc::Outcome outcome = calc::calculate(task, locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome)) {
        return printRefusal(warning->text);
    }
    const auto& line = std::get<calc::ResultLine>(outcome);
    if (parser.isSet(options.statistics) &&
        !printStatistics(
            line.adaptive ? line.adaptive->totals
                          : calc::fixed_totals(calc::steps_of(line.numbers).passes, task.method))) {
        return write_failed;
    }
    if (parser.isSet(options.stability) && line.adaptive) {
        const calc::Pair pair = line.adaptive->pair;
        return printResult(calc::stability_summary_csv(
            calc::pair_info(pair).cli_name, calc::stability_interval(pair),
            calc::stability_of(calc::build_adaptive_course(line)), locale));
    }
    if (parser.isSet(options.stability)) {
        return printResult(calc::stability_summary_csv(
            calc::method_info(line.method).cli_name, calc::stability_interval(line.method),
            calc::stability_of(calc::build_course(line)), locale));
    }
    if (parser.isSet(options.course) && line.adaptive) {
        return printResult(calc::adaptive_csv(calc::build_adaptive_course(line), locale,
                                              calc::StabilityCsv::parts));
    }
    if (parser.isSet(options.course)) {
        return printResult(
            calc::course_csv(calc::build_course(line), locale, calc::StabilityCsv::parts));
    }
    if (parser.isSet(options.study)) {
        // A pair's -m, or "adaptiv" for all three, studies the tolerances instead of the steps.
        if (line.adaptive) {
            return printToleranceStudy(line, studiedPairs(choice));
        }
        // Without a progress callback nothing cancels the study, so it always has a result.
        const std::optional<calc::Study> study = calc::run_study(
            line.numbers, line.equation, studiedMethods(parser, options, task.method), line.exact);
        return study ? printResult(calc::study_csv(*study, locale)) : refused;
    }
    return printResult(line.text + '\n');
}

} // namespace

QStringList withoutWindowOptions(const QStringList& arguments) {
    QStringList remaining;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(u'-')) {
            remaining.append(argument);
            continue;
        }
        // Qt reads "--name" as "-name".
        const QStringView name = QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
        if (isOneOf(name, window_flags) || startsWithOneOf(name, joined_window_options)) {
            continue;
        }
        if (isOneOf(name, valued_window_options)) {
            ++i;
            continue;
        }
        remaining.append(argument);
    }
    return remaining;
}

bool selectsCommandLine(const QStringList& arguments) {
    return !withoutWindowOptions(arguments).isEmpty();
}

bool selectsCommandLine(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return selectsCommandLine(arguments);
}

int runCommandLine(int& argc, char** argv) {
    holdClosedOutputs();
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QString::fromUtf8(program_name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(text::version));

    const QStringList arguments = withoutWindowOptions(QCoreApplication::arguments().mid(1));
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    const bool parsed = parser.parse(QStringList{QString::fromUtf8(program_name)} + arguments);
    // Help wins over every known option, whatever its value or company; the parser reads all
    // arguments even when it refuses some. Only what the program cannot read at all, an unknown
    // option or a stray argument, still makes a usage error.
    if (parser.isSet(options.help) && parser.unknownOptionNames().isEmpty() &&
        parser.positionalArguments().isEmpty()) {
        return printResult(help(calcNumberLocale(QLocale::system())));
    }
    if (!parsed) {
        return usageError(refusal(parser, options, arguments));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QString::fromUtf8(text::stray_argument).arg(parser.positionalArguments().constFirst()));
    }
    const std::optional<Choice> choice = chosenScheme(parser, options);
    if (!choice) {
        return usageError(QString::fromUtf8(text::unknown_method)
                              .arg(parser.value(options.method), methodNames()));
    }
    if (const std::optional<QString> error = schemeUsageError(parser, options, *choice)) {
        return usageError(*error);
    }
    if (parser.isSet(options.course) && parser.isSet(options.study)) {
        return usageError(QString::fromUtf8(text::course_and_study));
    }
    if (parser.isSet(options.stability) &&
        (parser.isSet(options.course) || parser.isSet(options.study))) {
        return usageError(QString::fromUtf8(text::stability_and_others));
    }
    const bool system = asksForSystem(parser, options);
    if (system) {
        if (const std::optional<QString> error = systemUsageError(parser, options)) {
            return usageError(*error);
        }
    }
    if (parser.isSet(options.version)) {
        return printResult(std::string(program_name) + ' ' + text::version + '\n');
    }
    return system ? computeAndPrintSystem(parser, options, *choice)
                  : computeAndPrint(parser, options, *choice);
}

} // namespace cli
