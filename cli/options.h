// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options of the command line, in the order of the help.

#include "calc/core/methods.h"
#include "calc/core/schemes.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace cli {

// An option's name as typed: one dash before a letter, two before a word.
inline QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

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
    QCommandLineOption second_order{QStringLiteral("zweite-ordnung")};
    QCommandLineOption method{
        {QStringLiteral("m"), QStringLiteral("verfahren")}, QString(), QStringLiteral("NAME")};
    QCommandLineOption tolerance{
        {QStringLiteral("t"), QStringLiteral("toleranz")}, QString(), QStringLiteral("TEXT")};
    QCommandLineOption exact{QStringLiteral("exakt"), QString(), QStringLiteral("TEXT")};
    QCommandLineOption course{QStringLiteral("verlauf")};
    QCommandLineOption study{QStringLiteral("konvergenz")};
    QCommandLineOption stability{QStringLiteral("stabilit\u00e4t")};
    QCommandLineOption statistics{QStringLiteral("statistik")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

    // Every option, in the order of the help; an option with a value name takes a value.
    std::array<const QCommandLineOption*, 15> all() const {
        return {&anzschr,      &ug,        &og,         &aw,    &equation,
                &second_order, &method,    &tolerance,  &exact, &course,
                &study,        &stability, &statistics, &help,  &version};
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

// What -m chose: a method or a pair; "adaptiv" (only with --konvergenz) studies every pair, and
// its line is computed with the last of them.
struct Choice {
    calc::Scheme scheme = calc::Method::rk4;
    bool all_pairs = false;
};

// The name after -m that studies every pair.
inline constexpr char all_pairs_name[] = "adaptiv";

// The pairs of a tolerance study: the one -m names, or all with "adaptiv".
inline std::vector<calc::Pair> studiedPairs(const Choice& choice) {
    std::vector<calc::Pair> pairs;
    for (const calc::PairInfo& info : calc::pair_table) {
        if (choice.all_pairs || calc::pair_of(choice.scheme) == info.id) {
            pairs.push_back(info.id);
        }
    }
    return pairs;
}

// The methods of the study: the one -m names, else all in the window's order.
inline std::vector<calc::Method> studiedMethods(const QCommandLineParser& parser,
                                                const Options& options, calc::Method method) {
    if (parser.isSet(options.method)) {
        return {method};
    }
    std::vector<calc::Method> methods;
    for (const calc::MethodInfo& info : calc::method_table) {
        methods.push_back(info.id);
    }
    return methods;
}

} // namespace cli
