// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/main/integration.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

// The window with its controls looked up by name, as a user or a screen reader finds them.
// Warnings are recorded instead of shown, so that no test waits on a message box.
struct WindowForm {
    Integration window;
    QLineEdit* txtanzschr = window.findChild<QLineEdit*>("txtanzschr");
    QLineEdit* txtug = window.findChild<QLineEdit*>("txtug");
    QLineEdit* txtog = window.findChild<QLineEdit*>("txtog");
    QLineEdit* txtaw = window.findChild<QLineEdit*>("txtaw");
    QPushButton* cmdRechnen = window.findChild<QPushButton*>("cmdRechnen");
    QListWidget* ausgabe = window.findChild<QListWidget*>("Ausgabe");
    QComboBox* cboGleichung = window.findChild<QComboBox*>("cboGleichung");
    QComboBox* cboVerfahren = window.findChild<QComboBox*>("cboVerfahren");
    QStringList warnings;

    // Without a locale the window keeps the system's one.
    explicit WindowForm(std::optional<QLocale> locale = std::nullopt) {
        if (locale) {
            window.setNumberLocale(*locale);
        }
        window.setWarningPresenter([this](const QString& text) { warnings.append(text); });
    }

    bool complete() const {
        return txtanzschr && txtug && txtog && txtaw && cmdRechnen && ausgabe && cboGleichung &&
               cboVerfahren;
    }

    bool open() {
        window.show();
        return complete() && QTest::qWaitForWindowActive(&window);
    }

    // In the order the calculation checks them: step count, lower, upper bound, initial value.
    std::array<QLineEdit*, 4> fields() const { return {txtanzschr, txtug, txtog, txtaw}; }

    void enter(const QStringList& texts) {
        for (int i = 0; i < 4; ++i) {
            fields()[static_cast<std::size_t>(i)]->setText(texts.at(i));
        }
    }

    QStringList entries() const {
        QStringList texts;
        for (const QLineEdit* field : fields()) {
            texts.append(field->text());
        }
        return texts;
    }

    // Types the equation over the box's text and picks the method by its name in the list;
    // false when the list lacks the name.
    bool choose(const QString& equation, const QString& method) {
        cboGleichung->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(cboGleichung, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(cboGleichung, Qt::Key_Backspace);
        QTest::keyClicks(cboGleichung, equation);
        const int index = cboVerfahren->findText(method);
        cboVerfahren->setCurrentIndex(index);
        return index >= 0;
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

// Hands the next modal widget to `inspect` and closes it, so that the press that opened it
// returns.
inline void closeModalBoxWhenShown(std::function<void(QWidget*)> inspect, int attempts = 100) {
    QTimer::singleShot(10, [inspect, attempts] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown != nullptr) {
            inspect(shown);
            shown->close();
        } else if (attempts > 1) {
            closeModalBoxWhenShown(inspect, attempts - 1);
        }
    });
}
