// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/step_entry.h"

#include "calc/core/adaptive.h"
#include "calc/text/labels.h"
#include "qt/qt_text.h"
#include "window/main/choices.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

StepEntry::StepEntry(QLabel* label, QLineEdit* field, QComboBox* methodBox)
    : QObject(field), m_label(label), m_field(field), m_methodBox(methodBox),
      m_countLabel(label->text()), m_otherText(fromUtf8(calc::default_tolerance_text)) {
    connect(methodBox, &QComboBox::currentIndexChanged, this, &StepEntry::follow);
    follow();
}

QString StepEntry::countText() const {
    return m_holdsTolerance ? m_otherText : m_field->text();
}

QString StepEntry::toleranceText() const {
    return m_holdsTolerance ? m_field->text() : m_otherText;
}

void StepEntry::setCountText(const QString& text) {
    if (m_holdsTolerance) {
        m_otherText = text;
    } else {
        m_field->setText(text);
    }
}

void StepEntry::setToleranceText(const QString& text) {
    if (m_holdsTolerance) {
        m_field->setText(text);
    } else {
        m_otherText = text;
    }
}

void StepEntry::follow() {
    const bool tolerance = calc::pair_of(chosenScheme(m_methodBox)).has_value();
    if (tolerance == m_holdsTolerance) {
        return;
    }
    m_holdsTolerance = tolerance;
    const QString shown = m_field->text();
    m_field->setText(m_otherText);
    m_otherText = shown;
    m_label->setText(tolerance ? fromUtf8(calc::adaptive_label::tolerance) : m_countLabel);
    m_field->setAccessibleName(m_label->text());
}
