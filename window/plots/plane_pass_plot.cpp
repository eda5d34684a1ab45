// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/plane_pass_plot.h"

#include "qt/qt_text.h"
#include "window/plots/plot_axes.h"
#include "window/plots/plot_curves.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

namespace text {
constexpr char increments[] = "Zuwächse k";
} // namespace text

constexpr QRgb pass_line_colour = 0x2060c0;
constexpr QRgb stage_colour = 0x104080;
constexpr QRgb increment_colour = 0x208040;
constexpr QRgb solution_colour = 0xd04020;

// An arrow's head: its two strokes this long on screen, at most this share of the arrow, and
// this far from its line in radians.
constexpr double head_pixels = 9;
constexpr double head_share = 0.4;
constexpr double head_angle = 0.45;

QPointF toQt(calc::Point p) {
    return {p.x, p.y};
}

} // namespace

PlanePassPlot::PlanePassPlot(const QLocale& locale, QWidget* parent)
    : QChartView(plot::newChart(locale), parent) {
    QChart* chart = this->chart();
    // Labels at whole multiples of their spacing, so that zero reads 0 and not 1,4E-17.
    m_a = plot::addLinearAxis(chart, {}, Qt::AlignBottom);
    m_b = plot::addLinearAxis(chart, {}, Qt::AlignLeft);

    m_solution = addLine(QPen(QColor(solution_colour), 1));
    m_passLine = addLine(QPen(QColor(pass_line_colour), 2));
    m_passLine->setName(QString::fromUtf8(plot::pass_series));
    m_passLine->setPointsVisible(true);
    m_passLine->setMarkerSize(7);
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        m_arrows[i] = addLine(QPen(QColor(increment_colour), 2));
        m_arrows[i]->setName(QString::fromUtf8(text::increments));
        auto* stage = new QScatterSeries(chart);
        stage->setName(fromUtf8(calc::stage_names[i]));
        stage->setMarkerSize(9);
        stage->setColor(QColor(stage_colour));
        stage->setBorderColor(QColor(stage_colour));
        chart->addSeries(stage);
        stage->attachAxis(m_a);
        stage->attachAxis(m_b);
        m_stages[i] = stage;
        m_labels[i] = new QGraphicsSimpleTextItem(stage->name(), chart);
        m_labels[i]->setBrush(QColor(stage_colour));
        m_labels[i]->setZValue(10);
    }
    // The legend names the pass's line, the increments once and the solution.
    for (QAbstractSeries* series : chart->series()) {
        const bool listed = series == m_passLine || series == m_solution || series == m_arrows[0];
        for (QLegendMarker* marker : chart->legend()->markers(series)) {
            marker->setVisible(listed);
        }
    }

    plot::setUpView(this, name);
    setAccessibleName(QString::fromUtf8(name));
    connect(chart, &QChart::plotAreaChanged, this, &PlanePassPlot::placeMarks);
    clear();
}

QLineSeries* PlanePassPlot::addLine(const QPen& pen) {
    auto* series = new QLineSeries(chart());
    series->setPen(pen);
    chart()->addSeries(series);
    series->attachAxis(m_a);
    series->attachAxis(m_b);
    return series;
}

void PlanePassPlot::setAxisTitles(const QString& horizontal, const QString& vertical) {
    m_a->setTitleText(horizontal);
    m_b->setTitleText(vertical);
}

void PlanePassPlot::clear() {
    m_solution->clear();
    m_passLine->clear();
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        m_stages[i]->clear();
        m_arrows[i]->clear();
    }
    plot::setLinearRange(m_a, {0, 1}, chart()->locale());
    plot::setLinearRange(m_b, {0, 1}, chart()->locale());
    m_pass.reset();
    placeMarks();
}

// Each stage's name above and to the right of its point, below it where an earlier stage's name
// stands too close above (the middle stages of the classical method often lie side by side);
// and each increment's arrow with a head of the same size on screen however long the arrow is.
void PlanePassPlot::placeMarks() {
    std::vector<QPointF> placed;
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const bool shown = m_pass && i < m_pass->stages.size() && m_stages[i]->count() == 1;
        m_labels[i]->setVisible(shown);
        if (!shown) {
            m_arrows[i]->clear();
            continue;
        }
        const calc::PlaneStage& stage = m_pass->stages[i];
        const QPointF from = chart()->mapToPosition(toQt(stage.point), m_arrows[i]);
        const QPointF to = chart()->mapToPosition(toQt(stage.reach), m_arrows[i]);
        const QRectF box = m_labels[i]->boundingRect();
        const bool below = std::any_of(placed.begin(), placed.end(), [&](QPointF earlier) {
            return std::fabs(earlier.x() - from.x()) < box.width() + 5 &&
                   std::fabs(earlier.y() - from.y()) < box.height() + 3;
        });
        m_labels[i]->setPos(from.x() + 5, below ? from.y() + 3 : from.y() - box.height() - 3);
        placed.push_back(from);

        QList<QPointF> arrow;
        if (plot::finite(toQt(stage.point)) && plot::finite(toQt(stage.reach))) {
            arrow = {toQt(stage.point), toQt(stage.reach)};
            const QPointF along = from - to;
            const double length = std::hypot(along.x(), along.y());
            if (length >= 1 && std::isfinite(length)) {
                // The strokes go back from the head, turned either way off the line.
                const double size = std::min(head_pixels, head_share * length) / length;
                for (const double turn : {head_angle, -head_angle}) {
                    const QPointF stroke(along.x() * std::cos(turn) - along.y() * std::sin(turn),
                                         along.x() * std::sin(turn) + along.y() * std::cos(turn));
                    arrow.append(chart()->mapToValue(to + size * stroke, m_arrows[i]));
                    arrow.append(toQt(stage.reach));
                }
                // From the head the line runs out along one stroke and back, then out along the
                // other, where it ends.
                arrow.removeLast();
            }
        }
        m_arrows[i]->replace(arrow);
    }
}

void PlanePassPlot::showPass(const std::optional<calc::PlanePass>& pass) {
    clear();
    if (!pass) {
        return;
    }
    std::vector<double> as;
    std::vector<double> bs;
    const auto show = [&](QXYSeries* series, const QList<QPointF>& points) {
        QList<QPointF> shown;
        for (const QPointF& point : points) {
            if (plot::finite(point)) {
                shown.append(point);
                as.push_back(point.x());
                bs.push_back(point.y());
            }
        }
        series->replace(shown);
    };
    show(m_passLine, {toQt(pass->start), toQt(pass->next)});
    for (std::size_t i = 0; i < pass->stages.size() && i < m_stages.size(); ++i) {
        show(m_stages[i], {toQt(pass->stages[i].point)});
        as.push_back(pass->stages[i].reach.x);
        bs.push_back(pass->stages[i].reach.y);
    }

    // The solution counts towards the fitted range only as far as it stays near the rest, so
    // that one running off leaves the pass in view.
    const auto near = [](const std::vector<double>& values, double value) {
        const std::optional<plot::Range> rest = plot::rangeOf(values);
        if (!rest) {
            return value;
        }
        const double span = rest->high / 2 - rest->low / 2;
        return std::clamp(value, rest->low - 2 * span, rest->high + 2 * span);
    };
    QList<QPointF> solution;
    std::vector<double> solutionAs;
    std::vector<double> solutionBs;
    for (const calc::Point& p : pass->solution) {
        if (!plot::finite(toQt(p))) {
            break;
        }
        solution.append(toQt(p));
        solutionAs.push_back(near(as, p.x));
        solutionBs.push_back(near(bs, p.y));
    }
    as.insert(as.end(), solutionAs.begin(), solutionAs.end());
    bs.insert(bs.end(), solutionBs.begin(), solutionBs.end());
    m_solution->replace(solution);
    // Renaming a series lays the legend out again, so only a new name is set.
    if (const QString caption = QString::fromUtf8(
            pass->solution_is_exact ? plot::exact_series : plot::local_solution_series);
        m_solution->name() != caption) {
        m_solution->setName(caption);
    }

    const plot::Range a = plot::withMargin(plot::rangeOf(as));
    const plot::Range b = plot::withMargin(plot::rangeOf(bs));
    plot::setLinearRange(m_a, a, chart()->locale());
    plot::setLinearRange(m_b, b, chart()->locale());
    m_pass = pass;
    placeMarks();
}
