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

#include <functional>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;

// What explains a plot, drawn into it: a direction field behind the series, the selected pass
// picked out, and curves through points the user clicks: an equation's solutions in a course's
// plot, a system's orbits in its phase plane. A chart that the view is given later gets all of
// it again.
class FieldOverlay : public QObject {
    Q_OBJECT

public:
    // Curves through clicked points that stay; a further click replaces the oldest.
    static constexpr int most_solutions = 8;

    // A curve through a clicked point: its name in the legend and its points in the axes' values.
    struct Through {
        QString name;
        QList<QPointF> points;
    };
    // The curve through the plot's point `value`, which lies within `view`.
    using CurveThrough = std::function<Through(QPointF value, const calc::PlotView& view)>;

    // Draws into the chart of `view`, whose series and axes are set: `field` behind the series
    // (none where it is empty) and on a click the curve that `through` gives.
    FieldOverlay(QChartView* view, DirectionFieldItem::Field field, CurveThrough through);

    // The direction field of y' = f(x, y), and its solution through a clicked point rounded as
    // the legend, written in `locale`, shows it.
    static DirectionFieldItem::Field equationField(const calc::Equation& equation);
    static CurveThrough equationSolutions(const calc::Equation& equation,
                                          const calc::NumberLocale& locale);

    void setFieldVisible(bool visible);
    bool isFieldVisible() const { return m_fieldVisible; }
    const DirectionFieldItem* field() const { return m_field; }

    // Picks out the pass: its two points larger, joined by its line; none picks out nothing.
    void highlightPass(const std::optional<calc::PassView>& pass);
    // Picks out the points, larger and joined by a line; their first non-finite one and all
    // after it are left out.
    void highlightPoints(const QList<QPointF>& points);

    // Draws the curve through the plot's point `value`; false when the point lies outside the
    // plot's ranges.
    bool addSolutionThrough(QPointF value);
    // The curves drawn, oldest first.
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
    DirectionFieldItem::Field m_fieldOf;
    CurveThrough m_through;
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
