// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/main/course_windows.h"

#include <QLocale>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace calc {
enum class Entry;
struct ResultLine;
struct SystemLine;
struct SystemLine;
} // namespace calc

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class StepEntry;
class SystemWindow;

// The program's main window: the equation and the method, four entries, the button that
// integrates, the result list, and the button that opens the window for systems.
class Integration : public QWidget {
    Q_OBJECT

public:
    using WarningPresenter = std::function<void(const QString& text)>;
    using CourseWindowMaker = CourseWindows::Maker;
    using SystemCourseWindowMaker = CourseWindows::SystemMaker;

    // Builds the form with every entry at "0", the default equation with the classical
    // Runge-Kutta method, and the focus in the lower bound.
    explicit Integration(QWidget* parent = nullptr);

    // Reads and writes numbers in this locale instead of the system's one.
    void setNumberLocale(const QLocale& locale);
    // Shows warnings through `presenter` instead of a modal message box; empty restores the box.
    void setWarningPresenter(WarningPresenter presenter);
    // Loads the course window from the module at `path` instead of the installed one.
    void setCourseModule(const QString& path);
    // Makes course windows through `maker` instead of the course module; empty restores it.
    void setCourseWindowMaker(CourseWindowMaker maker);
    // The same for the course windows of systems' lines.
    void setSystemCourseWindowMaker(SystemCourseWindowMaker maker);
    // The factor by which the designed geometry is enlarged so that no caption is clipped.
    double scaleFactor() const { return m_scale; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placement {
        QWidget* widget;
        QRect twips;
    };

    void createControls();
    QLabel* addLabel(const char* name, const QString& text, QRect twips);
    QLineEdit* addField(const char* name, QLabel* label, QRect twips);
    void setUpResultList();
    void setUpTabOrder();
    void setStartTexts();
    void applyGeometry();
    double fittingScale() const;
    int scaled(int twips) const;
    QRect scaled(QRect twips) const;
    void placeResultList();

    QLocale numberLocale() const;
    void calculate();
    void appendLine(const calc::ResultLine& line);
    void appendSystemLine(const calc::SystemLine& line);
    void appendItem(QListWidgetItem* item);
    void remeasureLines();
    QWidget* field(calc::Entry entry) const;
    void blame(calc::Entry entry);
    void copySelectedLines();
    void showCourse(QListWidgetItem* item);
    QWidget* makeCourseWindow(QListWidgetItem* item);
    void showSystemWindow();
    static void bringToFront(QWidget* window);
    // Shows the warning, in a box over `over` (none: over this window).
    void warn(const QString& text, QWidget* over = nullptr);
    void showWarningBox(const QString& text, QWidget* over);

    QLineEdit* m_txtug = nullptr;
    QLineEdit* m_txtog = nullptr;
    QLineEdit* m_txtaw = nullptr;
    QLineEdit* m_txtanzschr = nullptr;
    QComboBox* m_cboGleichung = nullptr;
    QComboBox* m_cboVerfahren = nullptr;
    StepEntry* m_stepEntry = nullptr;
    QPushButton* m_cmdRechnen = nullptr;
    QPushButton* m_cmdSystem = nullptr;
    QListWidget* m_ausgabe = nullptr;
    SystemWindow* m_systemWindow = nullptr;
    std::vector<Placement> m_placements;
    double m_scale = 1.0;
    int m_widestLine = 0;
    std::optional<QLocale> m_numberLocale;
    WarningPresenter m_presentWarning;
    CourseWindows m_courseWindows;
};
