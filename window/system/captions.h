// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

// How the system window names its fields: each is the buddy of its label, and assistive tools
// announce both by the label's text without the colon or " =" that ends it (a reader names a
// box by its label).

// "y1(ug) =" is announced as "y1(ug)", "Beispiel:" as "Beispiel".
inline QString spokenName(QString caption) {
    for (const QString& end : {QStringLiteral(" ="), QStringLiteral(":")}) {
        if (caption.endsWith(end)) {
            caption.chop(end.size());
        }
    }
    return caption;
}

// Makes `label` the caption of `field`.
inline void attachCaption(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    label->setAccessibleName(spokenName(label->text()));
    field->setAccessibleName(label->accessibleName());
}

// An entry field. It keeps Qt's limit of 32,767 characters: far more than a number needs or a
// formula may have (the calculation refuses formulas past 1,000), and short enough that
// the field lays out, selects and edits its text in milliseconds, where a 10 MB text would take
// seconds a keystroke. A longer paste is cut at the limit, so the field shows what is computed.
inline QLineEdit* makeEntryField(const char* objectName, QLabel* label, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    attachCaption(label, field);
    return field;
}
