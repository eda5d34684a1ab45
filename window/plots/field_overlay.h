// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/pass_view.h"
#include "calc/problem/equation.h"
#include "calc/text/number_text.h"
#include "window/plots/direction_field_item.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;

// What explains a course's plot, drawn into it: the direction field of the equation behind the
// series, the selected pass picked out, and the solutions through points the user clicks. A
// chart that the view is given later gets all of it again.
class FieldOverlay : public QObject {
    Q_OBJECT

public:
    // Solutions through clicked points that stay; a further click replaces the oldest.
    static constexpr int most_solutions = 8;

    // Draws into the chart of `view`, whose series and axes are set; `locale` writes the
    // legends' numbers.
    FieldOverlay(QChartView* view, const calc::Equation& equation,
                 const calc::NumberLocale& locale);

    void setFieldVisible(bool visible);
    bool isFieldVisible() const { return m_fieldVisible; }
    const DirectionFieldItem* field() const { return m_field; }

    // Picks out the pass: its two points larger, joined by its line; none picks out nothing.
    void highlightPass(const std::optional<calc::PassView>& pass);

    // Draws the solution through the plot's point `value`, rounded as the legend shows it;
    // false when the point lies outside the plot's ranges.
    bool addSolutionThrough(QPointF value);
    // The solutions drawn, oldest first.
    QList<QLineSeries*> solutions() const;
    void clearSolutions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Curve {
        QString name;
        QColor colour;
        QList<QPointF> points;
        QPointer<QLineSeries> series;
    };

    void attachToChart();
    void addSeries(QLineSeries* series, bool inLegend);
    void showCurve(Curve& curve);
    QColor freeColour() const;
    void click(QPoint at);
    void placeLegend();

    QChartView* m_view;
    calc::Equation m_equation;
    calc::NumberLocale m_locale;
    QPointer<QChart> m_chart;
    Qt::Alignment m_legendAlignment = Qt::AlignBottom;
    QFont m_legendFont;
    QPointer<DirectionFieldItem> m_field;
    bool m_fieldVisible = true;
    QPointer<QLineSeries> m_highlight;
    QList<QPointF> m_highlighted;
    std::vector<Curve> m_curves;
    std::optional<QPoint> m_pressedAt;
};
