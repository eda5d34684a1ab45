// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/text/number_text.h"

#include <functional>
#include <optional>

class QLabel;
class QLocale;
class QPushButton;
class QVBoxLayout;
class QWidget;

// What stands below the plot of a pass, for a course as for a phase plane: the label of the
// pass's local error and the buttons that go to the pass before and after it.
struct PassControls {
    QLabel* error = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
};

// Adds the label and a row of the buttons to `column` of `panel`; the buttons call `step` with
// -1 and +1.
PassControls addPassControls(QVBoxLayout* column, QWidget* panel, const QLocale& locale,
                             const std::function<void(int direction)>& step);

// Shows the local error of the pass at `row` (-1 for none) of a course of `rows` rows, and lets
// the buttons go between passes: from the first to the one before the last row.
void showPassControls(const PassControls& controls, const std::optional<double>& error, int row,
                      int rows, const calc::NumberLocale& locale);
