// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/phase_plane.h"

#include "calc/core/embedded.h"

#include <QChartView>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

class QGraphicsSimpleTextItem;
class QLineSeries;
class QScatterSeries;
class QCategoryAxis;

// One pass of a system's course in the phase plane, zoomed to it: the line from its start to the
// point it reaches, each stage point of the method with its name and its increment as an arrow
// to the point that the increment reaches, and the solution through the start as a thin curve.
class PlanePassPlot : public QChartView {
    Q_OBJECT

public:
    // The name that finds the plot, and that a screen reader reads.
    static constexpr char name[] = "Phasenschritt";

    explicit PlanePassPlot(const QLocale& locale, QWidget* parent = nullptr);

    // Titles the axes with the plane's components.
    void setAxisTitles(const QString& horizontal, const QString& vertical);
    // Shows the pass; none leaves the plot empty.
    void showPass(const std::optional<calc::PlanePass>& pass);

private:
    QLineSeries* addLine(const QPen& pen);
    void clear();
    void placeMarks();

    QCategoryAxis* m_a = nullptr;
    QCategoryAxis* m_b = nullptr;
    QLineSeries* m_solution = nullptr;
    QLineSeries* m_passLine = nullptr;
    std::array<QScatterSeries*, calc::max_stages> m_stages{};
    std::array<QLineSeries*, calc::max_stages> m_arrows{};
    std::array<QGraphicsSimpleTextItem*, calc::max_stages> m_labels{};
    std::optional<calc::PlanePass> m_pass;
};
