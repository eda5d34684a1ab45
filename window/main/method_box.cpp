// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/method_box.h"

#include "calc/core/methods.h"

#include <QAbstractItemView>
#include <QFontMetrics>

#include <algorithm>
#include <cstddef>

MethodBox::MethodBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentTextChanged, this, &QWidget::setToolTip);
}

QSize MethodBox::explicitMethodsSizeHint() const {
    // The box's hint makes room for its widest name; the style adds the same frame to any.
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    int widestExplicit = 0;
    for (int i = 0; i < count(); ++i) {
        const int width = metrics.horizontalAdvance(itemText(i));
        widest = std::max(widest, width);
        const auto index = static_cast<std::size_t>(i);
        if (index < calc::method_table.size() && !calc::method_table[index].implicit) {
            widestExplicit = std::max(widestExplicit, width);
        }
    }
    const QSize hint = sizeHint();
    return {hint.width() - (widest - widestExplicit), hint.height()};
}

// The list is built when it is first opened, so only then is it made wide enough.
void MethodBox::showPopup() {
    QAbstractItemView* list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth());
    QComboBox::showPopup();
}
