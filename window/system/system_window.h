// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/system/component_rows.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace calc {
struct SystemLine;
struct SystemWarning;
} // namespace calc

class QComboBox;
class QLineEdit;
class QPushButton;
class StepEntry;

// The window for systems of two to four first-order equations and for one equation of second
// order: an example to start from, the form, the formulas and initial values, the bounds, the
// step count and the method, and the button that computes the system's line.
class SystemWindow : public QWidget {
    Q_OBJECT

public:
    // What the window hands to the window that opened it: a warning, to be shown over this
    // window, and a result line.
    struct Reports {
        std::function<void(const QString& text, QWidget* over)> warn;
        std::function<void(const calc::SystemLine& line)> append;
    };

    // Opens on the harmonic oscillator, with the focus in the first formula; reads and writes
    // numbers in `locale`. A window of `parent`, which owns it.
    SystemWindow(const QLocale& locale, Reports reports, QWidget* parent);
    ~SystemWindow() override;

    void setNumberLocale(const QLocale& locale);

private:
    void createControls();
    void setUpTabOrder();
    void chooseExample(int index);
    void showForm(int index);
    void forgetExample();
    void calculate();
    void blame(const calc::SystemWarning& warning);

    QLocale m_locale;
    Reports m_reports;
    QComboBox* m_cboBeispiel = nullptr;
    QComboBox* m_cboForm = nullptr;
    std::unique_ptr<ComponentRows> m_rows;
    QLineEdit* m_txtug = nullptr;
    QLineEdit* m_txtog = nullptr;
    QLineEdit* m_txtanzschr = nullptr;
    QComboBox* m_cboVerfahren = nullptr;
    StepEntry* m_stepEntry = nullptr;
    QPushButton* m_cmdRechnen = nullptr;
};
