// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calculate.h"
#include "tests/window/main/window_form.h"
#include "window/main/integration.h"

#include <QLocale>
#include <QStringList>
#include <QTest>

#include <string>
#include <variant>

// Types the text key by key; characters beyond Latin-1 arrive as text-only key events, as an
// input method sends them.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// How the locale writes numbers, in the terms of the calculation.
inline calc::NumberLocale numberLocaleOf(const QLocale& locale) {
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString(),
            locale.negativeSign().toStdString()};
}

// The method or pair whose name the window's box shows.
inline calc::Scheme shownScheme(const WindowForm& form) {
    for (const calc::SchemeInfo& scheme : calc::scheme_table) {
        if (form.cboVerfahren->currentText() ==
            QString::fromUtf8(scheme.name.data(), static_cast<qsizetype>(scheme.name.size()))) {
            return scheme.id;
        }
    }
    return calc::Method::rk4;
}

// What the calculation makes of the texts: a warning or a line.
struct Expected {
    QString line;
    QString warning;
};

inline Expected calculated(const QStringList& entries, const QLocale& locale,
                           const QString& equation = QStringLiteral("-x*y^2"),
                           calc::Scheme scheme = calc::Method::rk4) {
    // With a pair, the first field holds the tolerance.
    calc::Task task({entries.at(0).toStdString(), entries.at(1).toStdString(),
                     entries.at(2).toStdString(), entries.at(3).toStdString()},
                    equation.toStdString());
    task.choose(scheme);
    task.tolerance = entries.at(0).toStdString();
    const calc::Outcome outcome = calc::calculate(task, numberLocaleOf(locale));
    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        return {QString::fromStdString(line->text), {}};
    }
    return {{}, QString::fromStdString(std::get<calc::Warning>(outcome).text)};
}
