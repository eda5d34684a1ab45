// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <limits>

// How the system window names its fields: each is the buddy of its label, and assistive tools
// announce it by the label's text without the colon or " =" that ends it.

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
    field->setAccessibleName(spokenName(label->text()));
}

// An entry field that keeps whatever is typed or pasted in full, so that the calculation
// judges the whole text and not the first 32,767 characters of it.
inline QLineEdit* makeEntryField(const char* objectName, QLabel* label, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setMaxLength(std::numeric_limits<int>::max());
    attachCaption(label, field);
    return field;
}
