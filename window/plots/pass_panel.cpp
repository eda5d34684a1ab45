// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/pass_panel.h"

#include "qt/number_locale.h"
#include "window/plots/pass_chart_view.h"
#include "window/plots/plot_curves.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

namespace text {
constexpr char previous[] = "Vorheriger Schritt";
constexpr char next[] = "Nächster Schritt";
} // namespace text

} // namespace

PassPanel::PassPanel(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_course(course), m_locale(calcNumberLocale(locale)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_plot = new PassChartView(locale, this);
    layout->addWidget(m_plot, 1);
    // Wide enough for the stages to stand apart.
    plot::setPanelMinimumSize(this, m_plot);

    // Without an accessible name, a screen reader reads the label's text.
    m_error = new QLabel(this);
    m_error->setObjectName("LokalerFehler");
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // As wide as the longest error can be written, so that a new pass's text does not make the
    // page lay itself out again.
    const calc::NumberLocale numbers = calcNumberLocale(locale);
    int widest = 0;
    for (const double longest : {-1.23456789012345e-308, -0.000123456789012345}) {
        widest = std::max(widest, m_error->fontMetrics().horizontalAdvance(QString::fromStdString(
                                      calc::local_error_text(longest, numbers))));
    }
    m_error->setMinimumWidth(widest);
    m_error->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(m_error);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const char* caption, int direction) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, direction] { emit rowRequested(m_row + direction); });
        return button;
    };
    m_previous = addButton("vorherigerSchritt", text::previous, -1);
    m_next = addButton("naechsterSchritt", text::next, +1);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    showRow(-1);
}

void PassPanel::showRow(int row) {
    const int rows = static_cast<int>(m_course.rows.size());
    m_row = row >= 0 && row < rows ? row : -1;
    m_pass = m_row < 0 ? std::nullopt : calc::pass_view(m_course, static_cast<std::size_t>(m_row));
    m_plot->showPass(m_pass);
    m_error->setText(QString::fromStdString(
        calc::local_error_text(m_pass ? m_pass->local_error : std::nullopt, m_locale)));
    // The buttons go between passes: from the first to the one before the last row.
    const int passes = rows - 1;
    m_previous->setEnabled(m_row > 0);
    m_next->setEnabled(m_row + 1 < passes);
    emit passChanged();
}
