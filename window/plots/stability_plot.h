// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/stability.h"
#include "calc/core/adaptive.h"
#include "calc/core/methods.h"

#include <QColor>
#include <QImage>
#include <QLocale>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

// The method a stability plot is about: a fixed-step method or a pair with step size control.
using StabilitySubject = std::variant<calc::Method, calc::Pair>;

// The plane of z = h·λ: the region |R(z)| ≤ 1 of one method filled in a light tint of its colour,
// the boundaries of the other methods of its kind as thin lines, and the points h·λ of a course's
// passes, red where they lie outside the region. Both axes keep the same scale; the wheel zooms
// about the cursor, dragging moves the view, a click on a point chooses its row.
class StabilityPlot : public QWidget {
    Q_OBJECT

public:
    // Numbers on the axes follow `locale`.
    StabilityPlot(const StabilitySubject& subject, const QLocale& locale, QWidget* parent);

    // Draws the points of `view` from now on.
    void setPoints(const calc::StabilityView& view);
    // Rings the points of the passes that start at `row`; -1 rings none.
    void setCurrentRow(int row);
    int currentRow() const { return m_currentRow; }

    // Shows or hides the other methods' boundaries and their legend.
    void setOthersShown(bool shown);
    bool othersShown() const { return m_othersShown; }
    // The other methods whose boundaries are drawn, in the order of the legend.
    int otherCount() const { return static_cast<int>(m_others.size()); }
    QString otherName(int index) const { return m_others[static_cast<std::size_t>(index)].name; }

    // The part of the plane asked for (Re along x, Im along y); the widget shows at least this,
    // more along the longer side so that both axes keep one scale.
    QRectF view() const { return m_view; }
    // Returns to the first view, Re −6…2 and Im −4…4.
    void resetView();
    // Zooms by `factor` (> 1 zooms in) about the widget position `anchor`, as the wheel does.
    void zoomAbout(QPointF anchor, double factor);

    // The number of points, the widget position of one of them (as last laid out), the row it
    // belongs to and whether it lies outside the region.
    int pointCount() const { return static_cast<int>(m_points.size()); }
    QPointF pointPosition(int index) const;
    int pointRow(int index) const;
    bool pointOutside(int index) const;
    int outsideCount() const;
    // The points ringed as the current row's.
    std::vector<int> ringedPoints() const;

    // The plane position of a widget position, and back.
    QPointF planeAt(QPointF position) const;
    QPointF positionOf(QPointF plane) const;

    // How often the filled region was computed; a repaint of the same view reuses it.
    int regionComputations() const { return m_regionComputations; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user clicked a point of the passes starting at `row`.
    void rowChosen(int row);
    // The view was zoomed, moved or reset.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Other {
        QColor colour;
        QString name;
        const calc::StabilityBoundary* boundary = nullptr;
    };
    struct Point {
        QPointF z; // Re, Im
        int row = 0;
        bool outside = false;
    };

    QRect plotArea() const;
    double scale() const;
    void setView(const QRectF& view);
    void viewMoved();
    void layOut();
    void computeRegion();
    void paintAxes(QPainter& painter, const QRect& area) const;
    void paintOthers(QPainter& painter, const QRect& area) const;
    void paintLegend(QPainter& painter, const QRect& area) const;
    void paintPoints(QPainter& painter) const;
    int pointNear(QPointF position) const;

    StabilitySubject m_subject;
    QLocale m_locale;
    QColor m_colour;
    std::vector<Other> m_others;
    std::vector<Point> m_points;
    // The rows' points: pairs of (row, point index), sorted by row.
    std::vector<std::pair<int, int>> m_rowPoints;
    int m_currentRow = -1;
    bool m_othersShown = true;
    QRectF m_view;

    // Laid out for the current view and size: the region's image, the points' positions and,
    // to draw, one position a pixel for the inside and for the outside points.
    bool m_laidOut = false;
    QImage m_region;
    int m_regionComputations = 0;
    std::vector<QPointF> m_positions;
    std::vector<std::vector<QPolygonF>> m_otherLines;
    std::vector<QPointF> m_insideDots;
    std::vector<QPointF> m_outsideDots;

    // A press, and whether it has moved far enough to drag the view.
    bool m_pressed = false;
    bool m_dragging = false;
    QPointF m_pressAt;
    QRectF m_pressView;
};
