// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help.h"

#include "calc/core/schemes.h"
#include "calc/problem/catalogue.h"
#include "calc/problem/system_examples.h"
#include "cli/options.h"

#include <QString>

namespace cli {

namespace {

namespace text {
constexpr char usage[] =
    "Aufruf: numer-integration [-n TEXT | -t TEXT] [-u TEXT] [-o TEXT] [-a TEXT] [-g TEXT]\n"
    "                          [-m NAME] [--exakt TEXT]\n"
    "                          [--verlauf | --konvergenz | --stabilität] [--statistik]\n"
    "        numer-integration [--zweite-ordnung] -g TEXT … -a TEXT … [-n TEXT | -t TEXT]\n"
    "                          [-u TEXT] [-o TEXT] [-m NAME]\n"
    "                          [--verlauf | --konvergenz | --stabilität] [--statistik]\n"
    "        numer-integration -h | -v\n"
    "Alle Optionen erklärt „numer-integration --help“.\n";
constexpr char options[] =
    "Aufruf: numer-integration [OPTION …]\n"
    "\n"
    "Löst y' = f(x, y), y(Untere Grenze) = Anfangswert, mit einem Einschrittverfahren\n"
    "bei fester Schrittweite oder mit Schrittweitensteuerung (die adaptiven Verfahren\n"
    "unten); ohne -g und -m y' = -x*y^2 mit dem klassischen\n"
    "Runge-Kutta-Verfahren 4. Ordnung. Zwei- bis viermal -g geben ein System\n"
    "y1' = f1(x, y1, …, yn) … yn' = fn(x, y1, …, yn), --zweite-ordnung eine\n"
    "Gleichung zweiter Ordnung y'' = f(x, y, y').\n"
    "Ohne Argumente, oder nur mit Qt-eigenen Fensteroptionen (etwa -platform NAME,\n"
    "-style NAME), öffnet sich das Fenster. Mit anderen Argumenten rechnet das\n"
    "Programm ohne Fenster und gibt die Zeile aus, die das Fenster anfügen würde.\n"
    "\n"
    "Optionen:\n"
    "  -n, --schrittanzahl TEXT   die Schrittanzahl (größer als 0, kleiner als 100,\n"
    "                             für ein System kleiner als 10000)\n"
    "  -u, --untere-grenze TEXT   die Untere Grenze, an der die Rechnung beginnt\n"
    "  -o, --obere-grenze TEXT    die Obere Grenze\n"
    "  -a, --anfangswert TEXT     der Anfangswert y an der Unteren Grenze; für ein\n"
    "                             System einmal je Gleichung, in derselben Reihenfolge\n"
    "  -g, --gleichung TEXT       die rechte Seite f(x, y) der Gleichung (ohne: -x*y^2);\n"
    "                             zwei- bis viermal angegeben ein System, siehe unten\n"
    "      --zweite-ordnung       das eine -g ist y'' = f(x, y, y'), die zwei -a sind\n"
    "                             y(ug) und y'(ug)\n"
    "  -m, --verfahren NAME       das Verfahren (ohne: rk4), siehe unten\n"
    "  -t, --toleranz TEXT        die Toleranz eines adaptiven Verfahrens, von 1E-13\n"
    "                             bis 0,1 (ohne: 1E-6); es nimmt dann kein -n\n"
    "      --exakt TEXT           die exakte Lösung y(x) einer Gleichung, die nicht in\n"
    "                             der Liste unten steht, für Verlauf und Konvergenz\n"
    "      --verlauf              statt der Zeile den Verlauf der Rechnung als CSV ausgeben\n"
    "      --konvergenz           statt der Zeile die Konvergenzstudie als CSV ausgeben:\n"
    "                             jedes Verfahren (mit -m nur dieses) mit n, 2n, 4n, …\n"
    "                             Schritten bis höchstens 2^20, mit Fehler und EOC;\n"
    "                             für ein adaptives Verfahren (mit -m adaptiv alle drei)\n"
    "                             die Toleranzen 1E-2 bis 1E-12\n"
    "      --stabilität           statt der Zeile die Stabilität des Verfahrens als CSV\n"
    "                             ausgeben: Verfahren;Intervall;außerhalb;Schritte, das\n"
    "                             linke Ende des Stabilitätsintervalls (-inf: unbegrenzt)\n"
    "                             und die Schritte mit h·λ außerhalb des Gebiets |R| ≤ 1\n"
    "      --statistik            dazu auf der Fehlerausgabe: Schritte, verworfene\n"
    "                             Versuche und Auswertungen von f\n"
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
constexpr char methods[] = "\nVerfahren:\n";
constexpr char all_pairs[] = "alle adaptiven Verfahren, nur mit --konvergenz\n";
constexpr char catalogue[] =
    "\nGleichungen, deren exakte Lösung das Programm kennt (--exakt bleibt\n"
    "unbeachtet), mit y(ug) = aw:\n";
constexpr char systems[] =
    "\n"
    "Systeme:\n"
    "Das erste -g ist y1' = …, das zweite y2' = … und so fort, jedes in x und\n"
    "y1 … yn (n die Zahl der Gleichungen); die -a sind in derselben Reihenfolge\n"
    "y1(ug) … yn(ug). Mit --zweite-ordnung ist das eine -g y'' = f(x, y, y') in x,\n"
    "y und y', die zwei -a sind y(ug) und y'(ug); gerechnet wird das System\n"
    "y1 = y, y2 = y'. Ein Name, den die Form nicht hat (y3 in einem System von\n"
    "zwei Gleichungen, y' in einem System, y1 oder y'' in zweiter Ordnung), ist\n"
    "ein unbekannter Name. Die Zeile zeigt alle Komponenten in Klammern, auf\n"
    "Deutsch durch „; “ getrennt, etwa\n"
    "„x-Wert   01,0   y-Wert   (0,540302967116884; -0,841470477800274)“.\n"
    "Der Verlauf eines Systems hat die Spalten Schritt, x, y1 … yn, die k jeder\n"
    "Stufe je Komponente („k1 (y1)“ … „k1 (yn)“, „k2 (y1)“ …), y1 exakt … yn exakt\n"
    "und Fehler, in zweiter Ordnung y und y' statt y1 und y2; die Konvergenzstudie\n"
    "die Spalten Verfahren, Schritte, h, x, y1 … yn, Fehler und EOC. Der Fehler ist\n"
    "die Maximumnorm max |yi - yi exakt|; ohne exakte Lösung bleibt er im Verlauf\n"
    "leer, und die Konvergenzstudie misst den Unterschied zum nächstfeineren Lauf.\n"
    "\n"
    "Beispielsysteme; so geschrieben, Leerzeichen beiseite, kennt das Programm sie\n"
    "(den Oszillator auch als -g \"y2\" -g \"-y1\"):\n";
constexpr char known_exact[] = " (exakte Lösung bekannt)";
constexpr char exit_statuses[] =
    "\n"
    "Exit-Status:\n"
    "  0  Ergebnis, Verlauf, Konvergenzstudie, Stabilität, Hilfe oder Version\n"
    "     ausgegeben\n"
    "  1  Angaben abgelehnt; die Warnung des Fensters steht auf der Fehlerausgabe\n"
    "  2  falscher Aufruf: unbekannte Option, unbekanntes Verfahren, fehlender Wert,\n"
    "     überzähliges Argument, --verlauf mit --konvergenz, --stabilität mit einer\n"
    "     der beiden, -t mit einem Verfahren fester Schrittweite, -n mit einem\n"
    "     adaptiven, adaptiv ohne --konvergenz;\n"
    "     -g und -a verschieden oft, mehr als vier -g, --zweite-ordnung mit mehr\n"
    "     als einem -g oder nicht genau zwei -a\n"
    "  3  die Ausgabe konnte nicht geschrieben werden\n";
} // namespace text

// Pads the text with blanks to the width, counted in characters.
std::string padded(std::string_view text, qsizetype width) {
    const QString characters = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return characters.leftJustified(width).toStdString();
}

// The options that compute an example, its numbers written in the locale:
//     --zweite-ordnung -g "-sin(y)"
//     -u 0 -o 20 -a 1 -a 0 -n 200
std::string exampleOptions(const calc::SystemExample& example, const calc::NumberLocale& locale) {
    std::string equations = "    ";
    if (example.form == calc::SystemForm::second_order) {
        equations += "--zweite-ordnung ";
    }
    for (const std::string& formula : calc::example_formulas(example, locale)) {
        equations += "-g \"" + formula + "\" ";
    }
    std::string entries = "    -u " + calc::format_general(example.ug, locale) + " -o " +
                          calc::format_general(example.og, locale);
    for (std::size_t i = 0; i < example.size; ++i) {
        entries += " -a " + calc::format_general(example.start[i], locale);
    }
    entries += " -n " + std::to_string(example.count);
    if (example.method) {
        entries += " -m " + std::string(calc::method_info(*example.method).cli_name);
    }
    equations.pop_back();
    return equations + '\n' + entries + '\n';
}

} // namespace

std::string_view usage() {
    return text::usage;
}

std::string help(const calc::NumberLocale& locale) {
    std::string help = text::options;
    help += text::methods;
    for (const calc::SchemeInfo& scheme : calc::scheme_table) {
        help += "  " + padded(scheme.cli_name, 14) + std::string(scheme.name) + '\n';
    }
    help += "  " + padded(all_pairs_name, 14) + text::all_pairs;
    help += text::catalogue;
    for (const calc::KnownEquation& known : calc::catalogue) {
        help += "  y' = " + padded(known.text, 10) + "y(x) = " + std::string(known.exact) + '\n';
    }
    help += text::systems;
    for (const calc::SystemExample& example : calc::system_examples) {
        help += "  " + std::string(example.name) + (example.has_exact ? text::known_exact : "") +
                '\n' + exampleOptions(example, locale);
    }
    help += text::exit_statuses;
    return help;
}

} // namespace cli
