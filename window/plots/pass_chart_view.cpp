// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/pass_chart_view.h"

#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

namespace text {
constexpr char name[] = "Schritt";
constexpr char slopes[] = "Steigungen";
constexpr char axis_format[] = "%.6g";
} // namespace text

constexpr QRgb pass_line_colour = 0x2060c0;
constexpr QRgb stage_colour = 0x104080;
constexpr QRgb slope_colour = 0x208040;
constexpr QRgb solution_colour = 0xd04020;

struct Span {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    void add(double value) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    bool empty() const { return low > high; }
};

// The span with a margin of a twelfth on each side; around a single value a tenth of it.
Span withMargin(Span span) {
    if (span.empty()) {
        return {-1, 1};
    }
    double margin = (span.high / 2 - span.low / 2) / 6;
    if (!(margin > 0) || !std::isfinite(span.high + margin) || !std::isfinite(span.low - margin)) {
        margin = std::max(std::fabs(span.low), std::fabs(span.high)) / 10;
    }
    if (!(margin > 0) || !std::isfinite(margin)) {
        margin = 1;
    }
    const double low = span.low - margin;
    const double high = span.high + margin;
    if (!(low < high) || !std::isfinite(low) || !std::isfinite(high)) {
        return {span.low - 1, span.high + 1};
    }
    return {low, high};
}

} // namespace

PassChartView::PassChartView(const QLocale& locale, QWidget* parent)
    : QChartView(plot::newChart(locale), parent) {
    QChart* chart = this->chart();

    m_x = new QValueAxis(chart);
    m_x->setTitleText(QStringLiteral("x"));
    m_y = new QValueAxis(chart);
    m_y->setTitleText(QStringLiteral("y"));
    for (QValueAxis* axis : {m_x, m_y}) {
        axis->setLabelFormat(QString::fromUtf8(text::axis_format));
        // Qt Charts would cut the labels short while it lays a new range out.
        axis->setTruncateLabels(false);
    }
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);

    m_solution = addLine(QPen(QColor(solution_colour), 1));
    m_passLine = addLine(QPen(QColor(pass_line_colour), 2));
    m_passLine->setName(QString::fromUtf8(plot::pass_series));
    m_passLine->setPointsVisible(true);
    m_passLine->setMarkerSize(7);
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        m_slopes[i] = addLine(QPen(QColor(slope_colour), 2));
        m_slopes[i]->setName(QString::fromUtf8(text::slopes));
        auto* stage = new QScatterSeries(chart);
        stage->setName(fromUtf8(calc::stage_names[i]));
        stage->setMarkerSize(9);
        stage->setColor(QColor(stage_colour));
        stage->setBorderColor(QColor(stage_colour));
        chart->addSeries(stage);
        m_labels[i] = new QGraphicsSimpleTextItem(stage->name(), chart);
        m_labels[i]->setBrush(QColor(stage_colour));
        m_labels[i]->setZValue(10);
        stage->attachAxis(m_x);
        stage->attachAxis(m_y);
        m_stages[i] = stage;
    }
    // The legend names the pass's line, the slopes once and the solution.
    for (QAbstractSeries* series : chart->series()) {
        const bool listed = series == m_passLine || series == m_solution || series == m_slopes[0];
        for (QLegendMarker* marker : chart->legend()->markers(series)) {
            marker->setVisible(listed);
        }
    }

    plot::setUpView(this, text::name);
    setAccessibleName(QString::fromUtf8(text::name));
    connect(chart, &QChart::plotAreaChanged, this, &PassChartView::placeLabels);
    clear();
}

QLineSeries* PassChartView::addLine(const QPen& pen) {
    auto* series = new QLineSeries(chart());
    series->setPen(pen);
    chart()->addSeries(series);
    series->attachAxis(m_x);
    series->attachAxis(m_y);
    return series;
}

void PassChartView::clear() {
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(m_solution), static_cast<QXYSeries*>(m_passLine)}) {
        series->clear();
    }
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        m_stages[i]->clear();
        m_slopes[i]->clear();
    }
    m_x->setTickType(QValueAxis::TicksFixed);
    m_x->setRange(0, 1);
    m_y->setRange(0, 1);
    m_pass.reset();
    placeLabels();
}

// Each stage's name beside its point, above and to the right; below where an earlier stage lies
// at the same x, as the two middle stages of the classical method do.
void PassChartView::placeLabels() {
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const bool shown = m_pass && i < m_pass->stages.size() && m_stages[i]->count() == 1;
        m_labels[i]->setVisible(shown);
        if (!shown) {
            continue;
        }
        const calc::Point p = m_pass->stages[i].point;
        const bool below = std::any_of(
            m_pass->stages.begin(), m_pass->stages.begin() + static_cast<std::ptrdiff_t>(i),
            [&](const calc::StageMark& earlier) { return earlier.point.x == p.x; });
        const QPointF at = chart()->mapToPosition(QPointF(p.x, p.y), m_stages[i]);
        const QRectF box = m_labels[i]->boundingRect();
        m_labels[i]->setPos(at.x() + 5, below ? at.y() + 3 : at.y() - box.height() - 3);
    }
}

void PassChartView::showPass(const std::optional<calc::PassView>& pass) {
    clear();
    if (!pass) {
        return;
    }
    const double x = pass->start.x;
    const double h = pass->h;
    Span ys;
    const auto show = [&](QXYSeries* series, const QList<QPointF>& points) {
        QList<QPointF> shown;
        for (const QPointF& point : points) {
            if (plot::finite(point)) {
                shown.append(point);
                ys.add(point.y());
            }
        }
        series->replace(shown);
    };
    show(m_passLine, {{x, pass->start.y}, {pass->next.x, pass->next.y}});
    for (std::size_t i = 0; i < pass->stages.size() && i < m_stages.size(); ++i) {
        const calc::StageMark& stage = pass->stages[i];
        show(m_stages[i], {{stage.point.x, stage.point.y}});
        // h/2 long in x, centred on the stage point.
        const double dy = stage.slope * (h / 4);
        show(m_slopes[i], {{stage.point.x - h / 4, stage.point.y - dy},
                           {stage.point.x + h / 4, stage.point.y + dy}});
    }

    // The solution counts towards the fitted range only as far as it stays near the rest, so
    // that one running off to a pole leaves the pass in view.
    const Span rest = ys;
    const double span = rest.empty() ? 0 : rest.high / 2 - rest.low / 2;
    QList<QPointF> solution;
    for (const calc::Point& p : pass->solution) {
        solution.append({p.x, p.y});
        if (!rest.empty()) {
            ys.add(std::clamp(p.y, rest.low - 2 * span, rest.high + 2 * span));
        }
    }
    m_solution->replace(solution);
    // Renaming a series lays the legend out again, so only a new name is set.
    if (const QString name = QString::fromUtf8(
            pass->solution_is_exact ? plot::exact_series : plot::local_solution_series);
        m_solution->name() != name) {
        m_solution->setName(name);
    }

    const double ends[] = {x - h / 4, x + 5 * (h / 4)};
    const double xLow = std::min(ends[0], ends[1]);
    const double xHigh = std::max(ends[0], ends[1]);
    if (xLow < xHigh && std::isfinite(xLow) && std::isfinite(xHigh)) {
        m_x->setRange(xLow, xHigh);
        // Ticks at the start, the middle and the end of the pass, where the stages lie.
        m_x->setTickAnchor(x);
        m_x->setTickInterval(std::fabs(h) / 2);
        m_x->setTickType(QValueAxis::TicksDynamic);
    }
    const Span y = withMargin(ys);
    m_y->setRange(y.low, y.high);
    m_y->applyNiceNumbers();
    m_pass = pass;
    placeLabels();
}
