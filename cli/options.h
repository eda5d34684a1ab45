// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options of the command line, in the order of the help.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <array>

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
    QCommandLineOption exact{QStringLiteral("exakt"), QString(), QStringLiteral("TEXT")};
    QCommandLineOption course{QStringLiteral("verlauf")};
    QCommandLineOption study{QStringLiteral("konvergenz")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};

    // Every option, in the order of the help; an option with a value name takes a value.
    std::array<const QCommandLineOption*, 12> all() const {
        return {&anzschr, &ug,    &og,     &aw,    &equation, &second_order,
                &method,  &exact, &course, &study, &help,     &version};
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

} // namespace cli
