// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/pass_view.h"

#include "calc/core/embedded.h"

#include <QChartView>
#include <QLocale>

#include <array>
#include <optional>

class QGraphicsSimpleTextItem;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// One pass of a course, zoomed to it: the line from its start to the point it reaches, each
// stage point of the method with its name and a short segment of the slope found there, and the
// solution through the start as a thin curve.
class PassChartView : public QChartView {
    Q_OBJECT

public:
    explicit PassChartView(const QLocale& locale, QWidget* parent = nullptr);

    // Shows the pass; none leaves the plot empty.
    void showPass(const std::optional<calc::PassView>& pass);

private:
    QLineSeries* addLine(const QPen& pen);
    void clear();
    void placeLabels();

    QValueAxis* m_x = nullptr;
    QValueAxis* m_y = nullptr;
    QLineSeries* m_solution = nullptr;
    QLineSeries* m_passLine = nullptr;
    std::array<QScatterSeries*, calc::max_stages> m_stages{};
    std::array<QLineSeries*, calc::max_stages> m_slopes{};
    std::array<QGraphicsSimpleTextItem*, calc::max_stages> m_labels{};
    std::optional<calc::PassView> m_pass;
};
