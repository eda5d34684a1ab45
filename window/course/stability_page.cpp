// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/stability_page.h"

#include "calc/analysis/stability.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/push_button.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <string>
#include <utility>

namespace {

namespace text {
constexpr char others[] = "andere Verfahren";
constexpr char reset[] = "Ansicht zurücksetzen";
} // namespace text

} // namespace

StabilityPage::StabilityPage(const StabilitySubject& subject, Points points, const QLocale& locale,
                             QWidget* parent)
    : QWidget(parent), m_subject(subject), m_points(std::move(points)), m_locale(locale) {
    setObjectName("Stabilitaet");
    new QVBoxLayout(this);
}

void StabilityPage::showEvent(QShowEvent* event) {
    build();
    QWidget::showEvent(event);
}

QLabel* StabilityPage::addLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout()->addWidget(label);
    return label;
}

// The formula and interval above the plot, the passes' count below it, the controls last.
void StabilityPage::build() {
    if (isBuilt()) {
        return;
    }
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    const calc::StabilityView view = m_points ? m_points() : calc::StabilityView{};
    const calc::StabilityInterval interval =
        std::visit([](auto id) { return calc::stability_interval(id); }, m_subject);
    const std::string formula =
        std::visit([&locale](auto id) { return calc::stability_formula(id, locale); }, m_subject);

    addLabel("Stabilitaetsfunktion", fromUtf8(formula));
    addLabel("Stabilitaetsintervall", fromUtf8(calc::interval_text(interval, locale)));
    if (const std::string stiff = calc::stiffness_text(interval); !stiff.empty()) {
        addLabel("Steifheit", fromUtf8(stiff));
    }

    m_plot = new StabilityPlot(m_subject, m_locale, this);
    m_plot->setPoints(view);
    m_plot->setCurrentRow(m_row);
    layout()->addWidget(m_plot);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_plot, 1);
    connect(m_plot, &StabilityPlot::rowChosen, this, &StabilityPage::rowRequested);

    addLabel("Ausserhalb", fromUtf8(calc::outside_text(view, locale)));
    if (const std::string leftOut = calc::left_out_text(view, locale); !leftOut.empty()) {
        addLabel("Ausgelassen", fromUtf8(leftOut));
    }

    auto* controls = new QHBoxLayout;
    auto* others = new QCheckBox(QString::fromUtf8(text::others), this);
    others->setObjectName("andereVerfahren");
    others->setChecked(m_plot->othersShown());
    connect(others, &QCheckBox::toggled, m_plot, &StabilityPlot::setOthersShown);
    controls->addWidget(others);
    controls->addStretch(1);
    QPushButton* reset = newButton("ansichtZuruecksetzen", text::reset, this);
    connect(reset, &QPushButton::clicked, m_plot, &StabilityPlot::resetView);
    controls->addWidget(reset);
    static_cast<QVBoxLayout*>(layout())->addLayout(controls);
}

void StabilityPage::showRow(int row) {
    m_row = row;
    if (m_plot) {
        m_plot->setCurrentRow(row);
    }
}
