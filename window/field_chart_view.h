// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/equation.h"
#include "calc/number_text.h"
#include "calc/pass_view.h"

#include <QChartView>
#include <QList>
#include <QPoint>

#include <optional>

class DirectionFieldItem;
class QLineSeries;

// The course's main plot, with what explains it: the direction field of the equation behind
// the series, the selected pass picked out, and the solutions through points the user clicks.
class FieldChartView : public QChartView {
    Q_OBJECT

public:
    // Solutions through clicked points that stay; a further click replaces the oldest.
    static constexpr int most_solutions = 8;

    // Takes `chart`, whose series and axes are set; `locale` writes the legends' numbers.
    FieldChartView(QChart* chart, const calc::Equation& equation, const calc::NumberLocale& locale,
                   QWidget* parent = nullptr);

    void setFieldVisible(bool visible);
    bool isFieldVisible() const;
    const DirectionFieldItem* field() const { return m_field; }

    // Picks out the pass: its two points larger, joined by its step line; none picks out nothing.
    void highlightPass(const std::optional<calc::PassView>& pass);

    // Draws the solution through the point of the plot at `value`, rounded as the legend shows
    // it; false when the point lies outside the plot area.
    bool addSolutionThrough(QPointF value);
    // The solutions drawn, oldest first.
    const QList<QLineSeries*>& solutions() const { return m_solutions; }
    void clearSolutions();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void attach(QLineSeries* series, bool inLegend);
    QColor freeColour() const;

    calc::Equation m_equation;
    calc::NumberLocale m_locale;
    DirectionFieldItem* m_field = nullptr;
    QLineSeries* m_highlight = nullptr;
    QList<QLineSeries*> m_solutions;
    std::optional<QPoint> m_pressedAt;
};
