// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class NumberTable;
class QWidget;

// The default size of a page laid out in a column: the table's whole width and `rows` of its
// rows (at least one, at most as many as it has), `plotLines` lines of text for the plots, and
// every other item at its size hint.
QSize columnPageSize(const QWidget* page, const NumberTable* table, const QWidget* plots, int rows,
                     int plotLines);

class QTabWidget;

// The size of a course window whose column holds `pages` and then a row of buttons, with the
// page `page` shown at `pageSize`, within the screen's free area.
QSize courseWindowSize(const QWidget* window, const QTabWidget* pages, const QWidget* page,
                       QSize pageSize);
