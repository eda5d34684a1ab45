// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/page_size.h"

#include "window/course/number_table.h"

#include <QLayout>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

QSize columnPageSize(const QWidget* page, const NumberTable* table, const QWidget* plots, int rows,
                     int plotLines) {
    const QLayout* column = page->layout();
    const int shown = std::min(rows, std::max(1, table->rowCount()));
    const QMargins margins = column->contentsMargins();
    int height = margins.top() + margins.bottom();
    int width = 0;
    for (int i = 0; i < column->count(); ++i) {
        QLayoutItem* item = column->itemAt(i);
        const QWidget* widget = item->widget();
        if (widget == table) {
            height += table->heightFor(shown);
        } else if (widget == plots) {
            height += plotLines * page->fontMetrics().height();
        } else {
            height += item->sizeHint().height();
            width = std::max(width, item->sizeHint().width());
        }
        height += i > 0 ? column->spacing() : 0;
    }
    width = std::max(width, table->fullWidth()) + margins.left() + margins.right();
    return {width, height};
}

QSize courseWindowSize(const QWidget* window, const QTabWidget* pages, const QWidget* page,
                       QSize pageSize) {
    const QLayout* column = window->layout();
    const QSize pageFrame = pages->sizeHint() - page->sizeHint();
    const QMargins margins = column->contentsMargins();
    const int buttons = column->itemAt(1)->sizeHint().height();
    const QSize size(pageSize.width() + pageFrame.width() + margins.left() + margins.right(),
                     pageSize.height() + pageFrame.height() + column->spacing() + buttons +
                         margins.top() + margins.bottom());
    // Room for the frame and title bar that the desktop adds.
    const QSize frame(16, 48);
    const QScreen* screen = window->screen();
    return screen ? size.boundedTo(screen->availableGeometry().size() - frame) : size;
}
