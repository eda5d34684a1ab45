// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "calc/analysis/course.h"
#include "calc/analysis/study.h"
#include "calc/calculate.h"
#include "calc/core/methods.h"
#include "calc/problem/equation.h"
#include "qt/number_locale.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cli {

namespace {

namespace text {
constexpr char program_name[] = "numer-integration";
constexpr char version[] = NUMERINT_VERSION;
constexpr char usage[] =
    "Aufruf: numer-integration [-n TEXT] [-u TEXT] [-o TEXT] [-a TEXT] [-g TEXT] [-m NAME]\n"
    "                          [--exakt TEXT] [--verlauf | --konvergenz]\n"
    "        numer-integration -h | -v\n"
    "Alle Optionen erklärt „numer-integration --help“.\n";
constexpr char help_options[] =
    "Aufruf: numer-integration [OPTION …]\n"
    "\n"
    "Löst y' = f(x, y), y(Untere Grenze) = Anfangswert, mit einem Einschrittverfahren\n"
    "bei fester Schrittweite; ohne -g und -m y' = -x*y^2 mit dem klassischen\n"
    "Runge-Kutta-Verfahren 4. Ordnung.\n"
    "Ohne Argumente, oder nur mit Qt-eigenen Fensteroptionen (etwa -platform NAME,\n"
    "-style NAME), öffnet sich das Fenster. Mit anderen Argumenten rechnet das\n"
    "Programm ohne Fenster und gibt die Zeile aus, die das Fenster anfügen würde.\n"
    "\n"
    "Optionen:\n"
    "  -n, --schrittanzahl TEXT   die Schrittanzahl (größer als 0, kleiner als 100)\n"
    "  -u, --untere-grenze TEXT   die Untere Grenze, an der die Rechnung beginnt\n"
    "  -o, --obere-grenze TEXT    die Obere Grenze\n"
    "  -a, --anfangswert TEXT     der Anfangswert y an der Unteren Grenze\n"
    "  -g, --gleichung TEXT       die rechte Seite f(x, y) der Gleichung (ohne: -x*y^2)\n"
    "  -m, --verfahren NAME       das Verfahren (ohne: rk4), siehe unten\n"
    "      --exakt TEXT           die exakte Lösung y(x) einer Gleichung, die nicht in\n"
    "                             der Liste unten steht, für Verlauf und Konvergenz\n"
    "      --verlauf              statt der Zeile den Verlauf der Rechnung als CSV ausgeben\n"
    "      --konvergenz           statt der Zeile die Konvergenzstudie als CSV ausgeben:\n"
    "                             jedes Verfahren (mit -m nur dieses) mit n, 2n, 4n, …\n"
    "                             Schritten bis höchstens 2^20, mit Fehler und EOC\n"
    "  -h, --help                 diese Hilfe ausgeben\n"
    "  -v, --version              die Version ausgeben\n"
    "\n"
    "Jede Angabe wird gelesen, wie man sie ins Fenster tippt, in der Schreibweise\n"
    "des Gebietsschemas (LC_ALL, sonst LC_NUMERIC, sonst LANG), auf Deutsch etwa\n"
    "„-u 0,5“. Fehlt eine der vier Zahlen oder ist sie leer, gilt ihr Feld als leer.\n"
    "Ein negativer Wert lässt sich als „-u -1“ oder „--untere-grenze=-1“ schreiben.\n"
    "\n"
    "Die Gleichung besteht aus x und y, den Konstanten pi und e, Zahlen im Format\n"
    "des Gebietsschemas ohne Tausendertrennzeichen, + - * / ^, Klammern und den\n"
    "Funktionen sin cos tan asin acos atan sinh cosh tanh exp ln log10 sqrt abs,\n"
    "min und max. ^ bindet stärker als das Vorzeichen und von rechts: -y^2 ist\n"
    "-(y^2). min und max trennen ihre zwei Argumente mit „;“, wo das Gebietsschema\n"
    "ein Dezimalkomma schreibt, sonst mit „,“. Leerzeichen sind überall erlaubt.\n"
    "Die exakte Lösung schreibt sich ebenso, in x, ug, aw, pi und e.\n";
constexpr char help_methods[] = "\nVerfahren:\n";
constexpr char help_catalogue[] =
    "\nGleichungen, deren exakte Lösung das Programm kennt (--exakt bleibt\n"
    "unbeachtet), mit y(ug) = aw:\n";
constexpr char help_exit[] =
    "\n"
    "Exit-Status:\n"
    "  0  Ergebnis, Verlauf, Konvergenzstudie, Hilfe oder Version ausgegeben\n"
    "  1  Angaben abgelehnt; die Warnung des Fensters steht auf der Fehlerausgabe\n"
    "  2  falscher Aufruf: unbekannte Option, unbekanntes Verfahren, fehlender Wert,\n"
    "     überzähliges Argument, --verlauf mit --konvergenz\n"
    "  3  die Ausgabe konnte nicht geschrieben werden\n";
constexpr char unknown_option[] = "Unbekannte Option „%1“.";
constexpr char unknown_method[] = "Unbekanntes Verfahren „%1“ (bekannt: %2).";
constexpr char course_and_study[] =
    "Die Optionen „--verlauf“ und „--konvergenz“ schließen einander aus.";
constexpr char missing_value[] = "Der Option „%1“ fehlt ihr Wert.";
constexpr char unexpected_value[] = "Die Option „%1“ nimmt keinen Wert.";
constexpr char stray_argument[] = "Überzähliges Argument „%1“.";
constexpr char invalid_call[] = "Die Argumente sind ungültig.";
constexpr char write_failed[] = "Die Ausgabe konnte nicht geschrieben werden (%1).";
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

// A closed stdout or stderr would go to the next file the process opens; a read-only
// /dev/null in its place makes every write to it fail instead.
void holdClosedOutputs() {
    for (const int output : {STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(output, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        const int held = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (held >= 0 && held != output) {
            dup2(held, output);
            close(held);
        }
    }
}

// Writes the whole text to the stream and makes sure it arrived.
bool writeAll(std::FILE* stream, std::string_view text) {
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
    return std::fflush(stream) == 0 && written == text.size() && std::ferror(stream) == 0;
}

void complain(const QString& message) {
    const QString line = QString::fromUtf8(text::program_name) + QStringLiteral(": ") + message;
    writeAll(stderr, (line + u'\n').toStdString());
}

// Prints the text on stdout and closes it, so that a failed write is noticed before exit.
int printResult(std::string_view text) {
    errno = 0;
    const bool written = writeAll(stdout, text);
    const int error = errno;
    const bool closed = std::fclose(stdout) == 0;
    if (written && closed) {
        return success;
    }
    const int cause = error != 0 ? error : errno;
    complain(QString::fromUtf8(text::write_failed)
                 .arg(QString::fromLocal8Bit(std::strerror(cause != 0 ? cause : EIO))));
    return write_failed;
}

// Pads the text with blanks to the width, counted in characters.
std::string padded(std::string_view text, qsizetype width) {
    const QString characters = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return characters.leftJustified(width).toStdString();
}

// The help, with the methods and the catalogue as calc names them.
std::string help() {
    std::string help = text::help_options;
    help += text::help_methods;
    for (const calc::MethodInfo& method : calc::method_table) {
        help += "  " + padded(method.cli_name, 14) + std::string(method.name) + '\n';
    }
    help += text::help_catalogue;
    for (const calc::KnownEquation& known : calc::catalogue) {
        help += "  y' = " + padded(known.text, 10) + "y(x) = " + std::string(known.exact) + '\n';
    }
    help += text::help_exit;
    return help;
}

// "euler, heun, mittelpunkt, rk3, rk4".
QString methodNames() {
    QStringList names;
    for (const calc::MethodInfo& method : calc::method_table) {
        names.append(QString::fromUtf8(method.cli_name.data(),
                                       static_cast<qsizetype>(method.cli_name.size())));
    }
    return names.join(QStringLiteral(", "));
}

int usageError(const QString& message) {
    complain(message);
    writeAll(stderr, text::usage);
    return usage_error;
}

// An option's name as typed: one dash before a letter, two before a word.
QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The options of the command line, in the order of the help.
struct Options {
    QCommandLineOption anzschr{
        {QStringLiteral("n"), QStringLiteral("schrittanzahl")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption ug{
        {QStringLiteral("u"), QStringLiteral("untere-grenze")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption og{
        {QStringLiteral("o"), QStringLiteral("obere-grenze")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption aw{
        {QStringLiteral("a"), QStringLiteral("anfangswert")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption equation{
        {QStringLiteral("g"), QStringLiteral("gleichung")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption method{
        {QStringLiteral("m"), QStringLiteral("verfahren")}, QString(), QStringLiteral("NAME")};
    QCommandLineOption exact{QStringLiteral("exakt"), QString(), QStringLiteral("TEXT")};
    QCommandLineOption course{QStringLiteral("verlauf")};
    QCommandLineOption study{QStringLiteral("konvergenz")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

    // Every option, in the order of the help; an option with a value name takes a value.
    std::array<const QCommandLineOption*, 11> all() const {
        return {&anzschr, &ug,     &og,    &aw,   &equation, &method,
                &exact,   &course, &study, &help, &version};
    }

    void addTo(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : all()) {
            parser.addOption(*option);
        }
    }

    // Whether the argument, as typed, names an option that takes a value: "-n", "--exakt".
    bool takesValue(const QString& argument) const {
        for (const QCommandLineOption* option : all()) {
            for (const QString& name : option->names()) {
                if (!option->valueName().isEmpty() && argument == dashed(name)) {
                    return true;
                }
            }
        }
        return false;
    }
};

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

// The method that -m names, rk4 without it; none for a name calc does not know.
std::optional<calc::Method> chosenMethod(const QCommandLineParser& parser, const Options& options) {
    if (!parser.isSet(options.method)) {
        return calc::Method::rk4;
    }
    return calc::method_named(parser.value(options.method).toStdString());
}

// The methods of the study: the one -m names, else all in the window's order.
std::vector<calc::Method> studiedMethods(const QCommandLineParser& parser, const Options& options,
                                         calc::Method method) {
    if (parser.isSet(options.method)) {
        return {method};
    }
    std::vector<calc::Method> methods;
    for (const calc::MethodInfo& info : calc::method_table) {
        methods.push_back(info.id);
    }
    return methods;
}

// Computes as the window does and prints its line, the course with --verlauf, or the
// convergence study with --konvergenz.
int computeAndPrint(const QCommandLineParser& parser, const Options& options, calc::Method method) {
    calc::Task task({parser.value(options.anzschr).toStdString(),
                     parser.value(options.ug).toStdString(), parser.value(options.og).toStdString(),
                     parser.value(options.aw).toStdString()});
    if (parser.isSet(options.equation)) {
        task.equation = parser.value(options.equation).toStdString();
    }
    task.method = method;
    if (parser.isSet(options.exact)) {
        task.exact = parser.value(options.exact).toStdString();
    }
    const calc::NumberLocale locale = calcNumberLocale(QLocale::system());
    const calc::Outcome outcome = calc::calculate(task, locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome)) {
        writeAll(stderr, warning->text + '\n');
        return refused;
    }
    const auto& line = std::get<calc::ResultLine>(outcome);
    if (parser.isSet(options.course)) {
        return printResult(calc::course_csv(calc::build_course(line), locale));
    }
    if (parser.isSet(options.study)) {
        // Without a progress callback nothing cancels the study, so it always has a result.
        const std::optional<calc::Study> study = calc::run_study(
            line.numbers, line.equation, studiedMethods(parser, options, method), line.exact);
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
    QCoreApplication::setApplicationName(QString::fromUtf8(text::program_name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(text::version));

    const QStringList arguments = withoutWindowOptions(QCoreApplication::arguments().mid(1));
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    const bool parsed =
        parser.parse(QStringList{QString::fromUtf8(text::program_name)} + arguments);
    // Help wins over every known option, whatever its value or company; the parser reads all
    // arguments even when it refuses some. Only what the program cannot read at all, an unknown
    // option or a stray argument, still makes a usage error.
    if (parser.isSet(options.help) && parser.unknownOptionNames().isEmpty() &&
        parser.positionalArguments().isEmpty()) {
        return printResult(help());
    }
    if (!parsed) {
        return usageError(refusal(parser, options, arguments));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QString::fromUtf8(text::stray_argument).arg(parser.positionalArguments().constFirst()));
    }
    const std::optional<calc::Method> method = chosenMethod(parser, options);
    if (!method) {
        return usageError(QString::fromUtf8(text::unknown_method)
                              .arg(parser.value(options.method), methodNames()));
    }
    if (parser.isSet(options.course) && parser.isSet(options.study)) {
        return usageError(QString::fromUtf8(text::course_and_study));
    }
    if (parser.isSet(options.version)) {
        return printResult(std::string(text::program_name) + ' ' + text::version + '\n');
    }
    return computeAndPrint(parser, options, *method);
}

} // namespace cli
