// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QLocale>

class QChart;

// A plot that draws each thing it shows into a chart of its own: the new chart takes the old
// one's place, and the old one goes. Its numbers follow the locale it was made with.
class ChartPlot : public QChartView {
    Q_OBJECT

public:
    // Shows `chart` under the object name `name`; the view takes no focus.
    ChartPlot(QChart* chart, const QLocale& locale, const char* name, QWidget* parent);

protected:
    const QLocale& numberLocale() const { return m_locale; }
    // Shows `next` in place of the chart shown, and deletes that one.
    void replaceChart(QChart* next);

private:
    QLocale m_locale;
};
