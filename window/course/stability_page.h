// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/stability_plot.h"

#include <QLocale>
#include <QWidget>

#include <functional>

namespace calc {
struct StabilityView;
} // namespace calc

class QCheckBox;
class QLabel;
class QPushButton;

// The page "Stabilität": the plane of z = h·λ with the region of the line's method and the
// points of its passes, R's formula, the stability interval and how many passes left the region.
// The points are computed when the page is first shown.
class StabilityPage : public QWidget {
    Q_OBJECT

public:
    // The tab's name in every course window.
    static constexpr char tab_name[] = "Stabilität";

    using Points = std::function<calc::StabilityView()>;

    // A page about `subject` whose passes' points `points` computes.
    StabilityPage(const StabilitySubject& subject, Points points, const QLocale& locale,
                  QWidget* parent);

    // Computes the points and fills the page, once; showing the page does it as well.
    void build();
    bool isBuilt() const { return m_plot != nullptr; }

    // Rings the points of the passes that start at the table's `row`.
    void showRow(int row);

    StabilityPlot* plot() const { return m_plot; }

signals:
    // The user clicked the point of a pass: the table should go to its row.
    void rowRequested(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* addLabel(const char* name, const QString& text);

    StabilitySubject m_subject;
    Points m_points;
    QLocale m_locale;
    int m_row = -1;
    StabilityPlot* m_plot = nullptr;
};
