// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

// The field of the step count, which holds the tolerance while a pair with step size control is
// chosen in the method box: its label then reads "Toleranz", and the field's accessible name
// follows the label. The count and the tolerance each keep their own text, so that choosing a
// method of the other kind and back brings a text back as it was typed.
class StepEntry : public QObject {
public:
    // Follows `methodBox`, a box made by makeMethodChoice; a child of the field.
    StepEntry(QLabel* label, QLineEdit* field, QComboBox* methodBox);

    // Whether the field holds the tolerance.
    bool holdsTolerance() const { return m_holdsTolerance; }
    // The texts of the count and of the tolerance, the one in the field as it stands.
    QString countText() const;
    QString toleranceText() const;
    // Sets the count's text, into the field only while it holds the count.
    void setCountText(const QString& text);
    // Sets the tolerance's text, into the field only while it holds the tolerance.
    void setToleranceText(const QString& text);

private:
    void follow();

    QLabel* m_label;
    QLineEdit* m_field;
    QComboBox* m_methodBox;
    QString m_countLabel;
    QString m_otherText; // the text of the kind the field does not hold
    bool m_holdsTolerance = false;
};
