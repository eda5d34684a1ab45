// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/pass_controls.h"

#include "calc/analysis/pass_view.h"
#include "qt/number_locale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

namespace text {
constexpr char previous[] = "Vorheriger Schritt";
constexpr char next[] = "Nächster Schritt";
} // namespace text

} // namespace

PassControls addPassControls(QVBoxLayout* column, QWidget* panel, const QLocale& locale,
                             const std::function<void(int direction)>& step) {
    PassControls controls;
    // Without an accessible name, a screen reader reads the label's text.
    controls.error = new QLabel(panel);
    controls.error->setObjectName("LokalerFehler");
    controls.error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // As wide as the longest error can be written, so that a new pass's text does not make the
    // page lay itself out again.
    const calc::NumberLocale numbers = calcNumberLocale(locale);
    int widest = 0;
    for (const double longest : {-1.23456789012345e-308, -0.000123456789012345}) {
        widest =
            std::max(widest, controls.error->fontMetrics().horizontalAdvance(
                                 QString::fromStdString(calc::local_error_text(longest, numbers))));
    }
    controls.error->setMinimumWidth(widest);
    controls.error->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    column->addWidget(controls.error);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const char* caption, int direction) {
        auto* button = new QPushButton(QString::fromUtf8(caption), panel);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, panel,
                         [step, direction] { step(direction); });
        return button;
    };
    controls.previous = addButton("vorherigerSchritt", text::previous, -1);
    controls.next = addButton("naechsterSchritt", text::next, +1);
    buttons->addStretch(1);
    column->addLayout(buttons);
    return controls;
}

void showPassControls(const PassControls& controls, const std::optional<double>& error, int row,
                      int rows, const calc::NumberLocale& locale) {
    controls.error->setText(QString::fromStdString(calc::local_error_text(error, locale)));
    const int passes = rows - 1;
    controls.previous->setEnabled(row > 0);
    controls.next->setEnabled(row + 1 < passes);
}
