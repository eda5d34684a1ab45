// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

namespace calc {
struct Comparison;
} // namespace calc

class ComparisonErrorPlot;
class ComparisonPlot;
class FileExport;
class NumberTable;
class QLabel;

// The page "Vergleich": the five methods with the course's step from the same start, side by side
// in a table and two plots, with each one's observed order. Made when first shown.
class ComparisonPage : public QWidget {
    Q_OBJECT

public:
    ComparisonPage(const calc::Course& course, const QLocale& locale, const FileExport& files,
                   QWidget* parent);

    // Compares against this exact solution from now on.
    void setExactSolution(const std::optional<calc::ExactSolution>& exact);

    // Write the table as CSV, and both plots side by side as SVG or an image; false after a
    // warning or before the page was first shown.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createContents();
    void showTable(const calc::Comparison& comparison);

    calc::Numbers m_numbers;
    calc::Equation m_equation;
    std::optional<calc::ExactSolution> m_exact;
    QLocale m_locale;
    const FileExport& m_files;
    std::vector<std::vector<std::string>> m_rows; // the table's cells
    NumberTable* m_table = nullptr;
    QLabel* m_orders = nullptr;
    ComparisonPlot* m_plot = nullptr;
    ComparisonErrorPlot* m_errorPlot = nullptr;
};
