// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/stability_plot.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The first view: Re −6…2, Im −4…4 (QRectF's top is the smallest Im).
const QRectF first_view(-6.0, -4.0, 8.0, 8.0);
// The narrowest and widest view the wheel reaches.
constexpr double least_width = 1e-6;
constexpr double most_width = 1e6;

// Room around the plot for the ticks' labels and the axes' titles.
constexpr int left_margin = 62;
constexpr int bottom_margin = 46;
constexpr int top_margin = 10;
constexpr int right_margin = 14;

// A pass outside the region is drawn in red, whatever the method's colour.
constexpr QRgb outside_colour = 0xd62728;
constexpr double dot_size = 5.0;
constexpr double ring_radius = 7.5;
// A click chooses the nearest point within this distance; a press moved farther drags.
constexpr double click_reach = 8.0;
constexpr double drag_start = 4.0;
// The region is computed at the corners of blocks of this many pixels, and pixel by pixel only
// in the blocks whose corners differ.
constexpr int block = 4;

QColor colourOf(std::uint32_t rgb) {
    return QColor(static_cast<QRgb>(rgb));
}

// The light tint of `colour` that fills its region.
QRgb tintOf(const QColor& colour) {
    const auto light = [](int c) { return 255 - (255 - c) * 30 / 100; };
    return qRgb(light(colour.red()), light(colour.green()), light(colour.blue()));
}

double magnitudeAt(const StabilitySubject& subject, calc::Complex z) {
    return std::visit([z](auto id) { return calc::stability_magnitude(id, z); }, subject);
}

} // namespace

StabilityPlot::StabilityPlot(const StabilitySubject& subject, const QLocale& locale,
                             QWidget* parent)
    : QWidget(parent), m_subject(subject), m_locale(locale), m_view(first_view) {
    setObjectName("Stabilitaetsebene");
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const std::vector<calc::StabilityBoundary>& boundaries = calc::stability_boundaries();
    if (const auto* method = std::get_if<calc::Method>(&subject)) {
        m_colour = colourOf(calc::method_info(*method).colour);
        for (std::size_t i = 0; i < calc::method_table.size(); ++i) {
            const calc::MethodInfo& info = calc::method_table[i];
            if (info.id != *method && i < boundaries.size()) {
                m_others.push_back(
                    {colourOf(info.colour),
                     QString::fromUtf8(info.short_name.data(),
                                       static_cast<qsizetype>(info.short_name.size())),
                     &boundaries[i]});
            }
        }
    } else {
        const calc::Pair pair = std::get<calc::Pair>(subject);
        m_colour = colourOf(calc::pair_info(pair).colour);
        for (std::size_t i = 0; i < calc::pair_table.size(); ++i) {
            const calc::PairInfo& info = calc::pair_table[i];
            const std::size_t at = calc::method_table.size() + i;
            if (info.id != pair && at < boundaries.size()) {
                m_others.push_back(
                    {colourOf(info.colour),
                     QString::fromUtf8(info.short_name.data(),
                                       static_cast<qsizetype>(info.short_name.size())),
                     &boundaries[at]});
            }
        }
    }
}

void StabilityPlot::setPoints(const calc::StabilityView& view) {
    m_points.clear();
    m_points.reserve(view.points.size());
    m_rowPoints.clear();
    m_rowPoints.reserve(view.points.size());
    for (const calc::StabilityPoint& point : view.points) {
        if (!std::isfinite(point.z.real()) || !std::isfinite(point.z.imag())) {
            continue;
        }
        const int row = static_cast<int>(point.row);
        m_rowPoints.emplace_back(row, static_cast<int>(m_points.size()));
        m_points.push_back({QPointF(point.z.real(), point.z.imag()), row, point.outside});
    }
    std::sort(m_rowPoints.begin(), m_rowPoints.end());
    m_laidOut = false;
    update();
}

void StabilityPlot::setCurrentRow(int row) {
    if (row != m_currentRow) {
        m_currentRow = row;
        update();
    }
}

void StabilityPlot::setOthersShown(bool shown) {
    if (shown != m_othersShown) {
        m_othersShown = shown;
        update();
    }
}

void StabilityPlot::resetView() {
    setView(first_view);
}

void StabilityPlot::zoomAbout(QPointF anchor, double factor) {
    if (!std::isfinite(factor) || factor <= 0) {
        return;
    }
    const double width = std::clamp(m_view.width() / factor, least_width, most_width);
    const double f = m_view.width() / width;
    const QPointF a = planeAt(anchor);
    const QPointF topLeft = a + (m_view.topLeft() - a) / f;
    setView(QRectF(topLeft, m_view.size() / f));
}

void StabilityPlot::setView(const QRectF& view) {
    if (view == m_view || !std::isfinite(view.left()) || !std::isfinite(view.top()) ||
        !std::isfinite(view.width()) || !std::isfinite(view.height()) || view.width() <= 0 ||
        view.height() <= 0) {
        return;
    }
    m_view = view;
    viewMoved();
}

void StabilityPlot::viewMoved() {
    m_laidOut = false;
    update();
    emit viewChanged();
}

QRect StabilityPlot::plotArea() const {
    return QRect(left_margin, top_margin, std::max(1, width() - left_margin - right_margin),
                 std::max(1, height() - top_margin - bottom_margin));
}

// Pixels a unit of the plane, the same along both axes.
double StabilityPlot::scale() const {
    const QRect area = plotArea();
    return std::min(area.width() / m_view.width(), area.height() / m_view.height());
}

QPointF StabilityPlot::planeAt(QPointF position) const {
    const QRectF area = plotArea();
    const double s = scale();
    const QPointF centre = m_view.center();
    return {centre.x() + (position.x() - area.center().x()) / s,
            centre.y() - (position.y() - area.center().y()) / s};
}

QPointF StabilityPlot::positionOf(QPointF plane) const {
    const QRectF area = plotArea();
    const double s = scale();
    const QPointF centre = m_view.center();
    return {area.center().x() + (plane.x() - centre.x()) * s,
            area.center().y() - (plane.y() - centre.y()) * s};
}

QPointF StabilityPlot::pointPosition(int index) const {
    if (index < 0 || index >= pointCount()) {
        return {};
    }
    return positionOf(m_points[static_cast<std::size_t>(index)].z);
}

int StabilityPlot::pointRow(int index) const {
    return index < 0 || index >= pointCount() ? -1 : m_points[static_cast<std::size_t>(index)].row;
}

bool StabilityPlot::pointOutside(int index) const {
    return index >= 0 && index < pointCount() && m_points[static_cast<std::size_t>(index)].outside;
}

int StabilityPlot::outsideCount() const {
    return static_cast<int>(
        std::count_if(m_points.begin(), m_points.end(), [](const Point& p) { return p.outside; }));
}

std::vector<int> StabilityPlot::ringedPoints() const {
    std::vector<int> ringed;
    const auto first = std::lower_bound(m_rowPoints.begin(), m_rowPoints.end(),
                                        std::pair(m_currentRow, std::numeric_limits<int>::min()));
    for (auto at = first; at != m_rowPoints.end() && at->first == m_currentRow; ++at) {
        ringed.push_back(at->second);
    }
    return ringed;
}

// The region, the points' positions and the boundaries' lines for the current view and size.
void StabilityPlot::layOut() {
    const QRect area = plotArea();
    computeRegion();

    m_positions.clear();
    m_positions.reserve(m_points.size());
    m_insideDots.clear();
    m_outsideDots.clear();
    // One dot a pixel and kind: many passes of a long course fall on the same pixel.
    std::vector<std::uint8_t> taken(
        static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height()), 0);
    for (const Point& point : m_points) {
        const QPointF at = positionOf(point.z);
        m_positions.push_back(at);
        const double px = std::floor(at.x() - area.left());
        const double py = std::floor(at.y() - area.top());
        if (!(px >= 0 && py >= 0 && px < area.width() && py < area.height())) {
            continue;
        }
        const std::size_t cell =
            static_cast<std::size_t>(py) * static_cast<std::size_t>(area.width()) +
            static_cast<std::size_t>(px);
        const std::uint8_t kind = point.outside ? 2 : 1;
        if ((taken[cell] & kind) == 0) {
            taken[cell] |= kind;
            (point.outside ? m_outsideDots : m_insideDots).push_back(at);
        }
    }

    m_otherLines.clear();
    for (const Other& other : m_others) {
        std::vector<QPolygonF> lines;
        for (const std::vector<calc::Complex>& line : other.boundary->lines) {
            QPolygonF polygon;
            polygon.reserve(static_cast<qsizetype>(line.size()));
            // A vertex within a pixel of the last one kept adds nothing to the line drawn.
            for (std::size_t i = 0; i < line.size(); ++i) {
                const QPointF at = positionOf(QPointF(line[i].real(), line[i].imag()));
                if (polygon.isEmpty() || i + 1 == line.size() ||
                    (at - polygon.back()).manhattanLength() >= 1.5) {
                    polygon.append(at);
                }
            }
            lines.push_back(std::move(polygon));
        }
        m_otherLines.push_back(std::move(lines));
    }
    m_laidOut = true;
}

// |R(z)| ≤ 1 at the centre of every pixel of the plot, in the method's tint; the rest clear.
void StabilityPlot::computeRegion() {
    const QRect area = plotArea();
    const int w = area.width();
    const int h = area.height();
    m_region = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    m_region.fill(Qt::transparent);
    ++m_regionComputations;
    const QRgb tint = tintOf(m_colour);
    const double s = scale();
    const QPointF origin = planeAt(QPointF(area.left() + 0.5, area.top() + 0.5));
    const auto inside = [&](int px, int py) {
        const double re = origin.x() + px / s;
        const double im = origin.y() - py / s;
        return magnitudeAt(m_subject, calc::Complex(re, im)) <= 1.0;
    };
    const int columns = (w - 1) / block + 2;
    const int rows = (h - 1) / block + 2;
    std::vector<std::uint8_t> corners(static_cast<std::size_t>(columns) *
                                      static_cast<std::size_t>(rows));
    for (int gy = 0; gy < rows; ++gy) {
        for (int gx = 0; gx < columns; ++gx) {
            corners[static_cast<std::size_t>(gy * columns + gx)] =
                inside(std::min(gx * block, w - 1), std::min(gy * block, h - 1)) ? 1 : 0;
        }
    }
    for (int by = 0; by * block < h; ++by) {
        for (int bx = 0; bx * block < w; ++bx) {
            const auto corner = [&](int dx, int dy) {
                return corners[static_cast<std::size_t>((by + dy) * columns + bx + dx)];
            };
            const std::uint8_t all = corner(0, 0);
            const bool same = corner(1, 0) == all && corner(0, 1) == all && corner(1, 1) == all;
            const int x1 = std::min((bx + 1) * block, w);
            const int y1 = std::min((by + 1) * block, h);
            for (int py = by * block; py < y1; ++py) {
                auto* line = reinterpret_cast<QRgb*>(m_region.scanLine(py));
                for (int px = bx * block; px < x1; ++px) {
                    if (same ? all != 0 : inside(px, py)) {
                        line[px] = tint;
                    }
                }
            }
        }
    }
}

void StabilityPlot::paintEvent(QPaintEvent*) {
    if (!m_laidOut) {
        layOut();
    }
    QPainter painter(this);
    const QRect area = plotArea();
    painter.fillRect(rect(), palette().window());
    painter.fillRect(area, Qt::white);
    painter.drawImage(area.topLeft(), m_region);
    paintAxes(painter, area);
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_othersShown) {
        paintOthers(painter, area);
    }
    paintPoints(painter);
    painter.restore();
    if (m_othersShown) {
        paintLegend(painter, area);
    }
    painter.setPen(QPen(palette().windowText().color(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void StabilityPlot::paintOthers(QPainter& painter, const QRect&) const {
    for (std::size_t i = 0; i < m_others.size() && i < m_otherLines.size(); ++i) {
        // One pixel wide: a wider antialiased line takes the stroker's far slower path.
        QPen pen(m_others[i].colour, 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const QPolygonF& line : m_otherLines[i]) {
            painter.drawPolyline(line);
        }
    }
}

// The inside points, the outside ones above them, and rings round the current row's.
void StabilityPlot::paintPoints(QPainter& painter) const {
    painter.setBrush(Qt::NoBrush);
    const auto dots = [&](const std::vector<QPointF>& at, const QColor& colour) {
        painter.setPen(QPen(colour, dot_size, Qt::SolidLine, Qt::RoundCap));
        painter.drawPoints(at.data(), static_cast<int>(at.size()));
    };
    dots(m_insideDots, m_colour);
    dots(m_outsideDots, QColor(outside_colour));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.8));
    for (const int index : ringedPoints()) {
        painter.drawEllipse(m_positions[static_cast<std::size_t>(index)], ring_radius, ring_radius);
    }
}

int StabilityPlot::pointNear(QPointF position) const {
    int nearest = -1;
    double best = click_reach * click_reach;
    for (int i = 0; i < pointCount(); ++i) {
        const QPointF d = pointPosition(i) - position;
        const double distance = QPointF::dotProduct(d, d);
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

void StabilityPlot::resizeEvent(QResizeEvent* event) {
    m_laidOut = false;
    QWidget::resizeEvent(event);
}

// A notch of the wheel zooms by a quarter.
void StabilityPlot::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) {
        zoomAbout(event->position(), std::pow(1.25, notches));
    }
    event->accept();
}

void StabilityPlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_dragging = false;
    m_pressAt = event->position();
    m_pressView = m_view;
    event->accept();
}

void StabilityPlot::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF moved = event->position() - m_pressAt;
    if (!m_dragging && moved.manhattanLength() < drag_start) {
        return;
    }
    m_dragging = true;
    const double s = scale();
    setView(m_pressView.translated(-moved.x() / s, moved.y() / s));
    event->accept();
}

// A press released where it began is a click: it chooses the nearest point's row.
void StabilityPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    if (!m_dragging) {
        if (const int index = pointNear(event->position()); index >= 0) {
            emit rowChosen(pointRow(index));
        }
    }
    m_dragging = false;
    event->accept();
}

QSize StabilityPlot::sizeHint() const {
    return {600, 480};
}

QSize StabilityPlot::minimumSizeHint() const {
    return {340, 280};
}
