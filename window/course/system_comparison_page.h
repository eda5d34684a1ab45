// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/system_problem.h"
#include "calc/system_calculate.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class FileExport;
class NumberTable;
class QChartView;

// The page "Vergleich" of a system: the five methods with the course's step from the same
// start, side by side in a table, in the phase plane, by their errors' norm where the exact
// solution is known and by the drift of the conserved quantity where there is one, with each
// one's observed order. Made when first shown.
class SystemComparisonPage : public QWidget {
    Q_OBJECT

public:
    SystemComparisonPage(const calc::SystemNumbers& numbers, const calc::SystemProblem& problem,
                         const QLocale& locale, const FileExport& files, QWidget* parent);

    // Write the table as CSV, and the plots side by side as SVG or an image; false after a
    // warning or before the page was first shown.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createContents();

    calc::SystemNumbers m_numbers;
    calc::SystemProblem m_problem;
    QLocale m_locale;
    const FileExport& m_files;
    std::vector<std::string> m_columns;
    std::vector<std::vector<std::string>> m_rows; // the table's cells
    NumberTable* m_table = nullptr;
    QList<QChartView*> m_plots;
};
