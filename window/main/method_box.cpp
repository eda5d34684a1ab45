// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/method_box.h"

#include "calc/core/methods.h"
#include "qt/qt_text.h"

#include <QAbstractItemView>

MethodBox::MethodBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentTextChanged, this, &QWidget::setToolTip);
}

QSize MethodBox::fixedStepSizeHint() const {
    // A box of the same style and font with only those names measures them as this box would.
    QComboBox probe;
    probe.setFont(font());
    probe.setStyle(style());
    for (const calc::MethodInfo& method : calc::method_table) {
        probe.addItem(fromUtf8(method.name));
    }
    return probe.sizeHint();
}

// The list is built when it is first opened, so only then is it made wide enough.
void MethodBox::showPopup() {
    QAbstractItemView* list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth());
    QComboBox::showPopup();
}
