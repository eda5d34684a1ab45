// SPDX-License-Identifier: GPL-3.0-or-later
// The stability plot's frame: its grid, ticks and axis titles, and the other methods' legend.
#include "window/plots/stability_plot.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

namespace text {
constexpr char re_axis[] = "Re(h·λ)";
constexpr char im_axis[] = "Im(h·λ)";
} // namespace text

// A step of 1, 2 or 5 times a power of ten, that puts about `count` ticks on `range`.
double tickStep(double range, int count) {
    const double rough = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double f : {1.0, 2.0, 5.0}) {
        if (f * power >= rough) {
            return f * power;
        }
    }
    return 10.0 * power;
}

} // namespace

// Grid lines and ticks at steps of 1, 2 or 5, the axes Re = 0 and Im = 0 darker, and the titles.
void StabilityPlot::paintAxes(QPainter& painter, const QRect& area) const {
    // The area's outer edges, so that a tick on the edge itself is drawn too.
    const QPointF low = planeAt(QPointF(area.left(), area.top() + area.height()));
    const QPointF high = planeAt(QPointF(area.left() + area.width(), area.top()));
    const double step = tickStep(std::max(high.x() - low.x(), high.y() - low.y()), 8);
    const QColor grid(0xe0, 0xe0, 0xe0);
    const QColor ink = palette().windowText().color();
    const QFontMetrics metrics = painter.fontMetrics();
    const auto label = [&](double value) {
        return m_locale.toString(std::abs(value) < step * 1e-9 ? 0.0 : value, 'g', 6);
    };
    for (double re = std::ceil(low.x() / step - 1e-9) * step; re <= high.x() + step * 1e-9;
         re += step) {
        const double x = positionOf(QPointF(re, 0)).x();
        painter.setPen(QPen(std::abs(re) < step * 1e-9 ? ink.lighter(180) : grid, 1));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(ink);
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        const QString t = label(re);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(t) / 2.0, area.bottom() + 6 + metrics.ascent()),
            t);
    }
    for (double im = std::ceil(low.y() / step - 1e-9) * step; im <= high.y() + step * 1e-9;
         im += step) {
        const double y = positionOf(QPointF(0, im)).y();
        painter.setPen(QPen(std::abs(im) < step * 1e-9 ? ink.lighter(180) : grid, 1));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(ink);
        painter.drawLine(QPointF(area.left() - 4, y), QPointF(area.left(), y));
        const QString t = label(im);
        painter.drawText(
            QPointF(area.left() - 6 - metrics.horizontalAdvance(t), y + metrics.ascent() / 2.0 - 1),
            t);
    }
    painter.setPen(ink);
    const QString re = QString::fromUtf8(text::re_axis);
    painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(re) / 2.0,
                             area.bottom() + 8 + metrics.height() + metrics.ascent()),
                     re);
    painter.save();
    painter.translate(metrics.ascent() + 2, area.center().y());
    painter.rotate(-90);
    const QString im = QString::fromUtf8(text::im_axis);
    painter.drawText(QPointF(-metrics.horizontalAdvance(im) / 2.0, 0), im);
    painter.restore();
}

// The other methods' names beside a stroke of their colour, in the plot's upper right corner.
void StabilityPlot::paintLegend(QPainter& painter, const QRect& area) const {
    if (m_others.empty()) {
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    int widest = 0;
    for (const Other& other : m_others) {
        widest = std::max(widest, metrics.horizontalAdvance(other.name));
    }
    const int stroke = 18;
    const int pad = 6;
    const int line = metrics.height();
    const QRect box(area.right() - widest - stroke - 3 * pad, area.top() + pad,
                    widest + stroke + 2 * pad + pad,
                    static_cast<int>(m_others.size()) * line + pad);
    painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    for (std::size_t i = 0; i < m_others.size(); ++i) {
        const int y = box.top() + pad / 2 + static_cast<int>(i) * line;
        painter.setPen(QPen(m_others[i].colour, 2));
        painter.drawLine(box.left() + pad, y + line / 2, box.left() + pad + stroke, y + line / 2);
        painter.setPen(palette().windowText().color());
        painter.drawText(QPoint(box.left() + 2 * pad + stroke, y + metrics.ascent()),
                         m_others[i].name);
    }
}
