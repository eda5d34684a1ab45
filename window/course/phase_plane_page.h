// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/phase_plane.h"
#include "calc/analysis/system_course.h"
#include "window/plots/direction_field_item.h"
#include "window/plots/field_overlay.h"

#include <QLocale>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <memory>

class ConservedPlot;
class FieldPlotPanel;
class FileExport;
class PhasePlanePlot;
class PlanePassPanel;
class QComboBox;

// The page "Phasenebene" of a system's course: the run in the plane of two components, chosen
// where the system has more, with the direction field where f does not use x and the orbits
// through points the user clicks; the pass of the table's current row in the plane; and where
// the system conserves a quantity, that quantity over x and how far it drifted.
class PhasePlanePage : public QWidget {
    Q_OBJECT

public:
    PhasePlanePage(const calc::SystemCourse& course, const QLocale& locale, const FileExport& files,
                   QWidget* parent);

    // Draws the pass that starts at `row` (the course table's current row); the last row, and -1,
    // draw none.
    void showRow(int row);
    int row() const;

    // Write the page's table (below) as CSV, and its plots side by side as SVG or an image;
    // false after a warning.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

signals:
    // "Vorheriger Schritt" / "Nächster Schritt" ask for the row before or after the one shown.
    void rowRequested(int row);

private:
    void createPlots();
    void createPlaneChoice();
    void createConserved();
    void createButtons();
    DirectionFieldItem::Field fieldOfPlane() const;
    FieldOverlay::Through orbitThrough(QPointF value, const calc::PlotView& view) const;
    void choosePlane(int index, bool horizontal);
    void setPlane(calc::Plane plane);
    void showAxisTitles();

    // Shared with the direction field, which may outlive the page's members as it goes.
    std::shared_ptr<const calc::SystemCourse> m_course;
    QLocale m_locale;
    const FileExport& m_files;
    calc::Plane m_plane;
    int m_row = -1;
    QWidget* m_plots = nullptr;
    PhasePlanePlot* m_plot = nullptr;
    FieldPlotPanel* m_field = nullptr;
    PlanePassPanel* m_passPanel = nullptr;
    ConservedPlot* m_conserved = nullptr;
    QComboBox* m_horizontal = nullptr;
    QComboBox* m_vertical = nullptr;
};
