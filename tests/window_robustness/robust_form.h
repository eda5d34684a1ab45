#pragma once

#include "calc/calculate.h"
#include "window/integration.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <array>
#include <string>
#include <variant>

// The window with its controls looked up by name; warnings are recorded instead of shown.
struct RobustForm {
    Integration window;
    QLineEdit* txtanzschr = window.findChild<QLineEdit*>("txtanzschr");
    QLineEdit* txtug = window.findChild<QLineEdit*>("txtug");
    QLineEdit* txtog = window.findChild<QLineEdit*>("txtog");
    QLineEdit* txtaw = window.findChild<QLineEdit*>("txtaw");
    QPushButton* cmdRechnen = window.findChild<QPushButton*>("cmdRechnen");
    QListWidget* ausgabe = window.findChild<QListWidget*>("Ausgabe");
    QStringList warnings;

    RobustForm() {
        window.setWarningPresenter([this](const QString& text) { warnings.append(text); });
    }

    bool open() {
        window.show();
        return complete() && QTest::qWaitForWindowActive(&window);
    }

    bool complete() const { return txtanzschr && txtug && txtog && txtaw && cmdRechnen && ausgabe; }

    // In the order the calculation checks them: step count, lower, upper bound, initial value.
    std::array<QLineEdit*, 4> fields() const { return {txtanzschr, txtug, txtog, txtaw}; }

    QStringList entries() const {
        QStringList texts;
        for (const QLineEdit* field : fields()) {
            texts.append(field->text());
        }
        return texts;
    }

    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < ausgabe->count(); ++row) {
            texts.append(ausgabe->item(row)->text());
        }
        return texts;
    }

    void press() { QTest::mouseClick(cmdRechnen, Qt::LeftButton); }
};

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

// What the calculation makes of the texts: a warning or a line.
struct Expected {
    QString line;
    QString warning;
};

inline Expected calculated(const QStringList& entries, const QLocale& locale) {
    const calc::Outcome outcome =
        calc::calculate({entries.at(0).toStdString(), entries.at(1).toStdString(),
                         entries.at(2).toStdString(), entries.at(3).toStdString()},
                        numberLocaleOf(locale));
    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        return {QString::fromStdString(line->text), {}};
    }
    return {{}, QString::fromStdString(std::get<calc::Warning>(outcome).text)};
}
