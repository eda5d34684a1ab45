// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
} // namespace calc

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The program's only window: the equation and the method, four entries, the button that
// integrates, and the result list.
class Integration : public QWidget {
    Q_OBJECT

public:
    using WarningPresenter = std::function<void(const QString& text)>;
    using CourseWindowMaker = std::function<QWidget*(const calc::ResultLine& line,
                                                     const QLocale& locale, QWidget* parent)>;

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

    void calculate();
    void appendLine(const calc::ResultLine& line);
    void remeasureLines();
    QWidget* field(calc::Entry entry) const;
    void blame(calc::Entry entry);
    void copySelectedLines();
    void showCourse(QListWidgetItem* item);
    bool loadCourseModule();
    void warn(const QString& text);
    void showWarningBox(const QString& text);

    QLineEdit* m_txtug = nullptr;
    QLineEdit* m_txtog = nullptr;
    QLineEdit* m_txtaw = nullptr;
    QLineEdit* m_txtanzschr = nullptr;
    QComboBox* m_cboGleichung = nullptr;
    QComboBox* m_cboVerfahren = nullptr;
    QPushButton* m_cmdRechnen = nullptr;
    QListWidget* m_ausgabe = nullptr;
    std::vector<Placement> m_placements;
    double m_scale = 1.0;
    int m_widestLine = 0;
    std::optional<QLocale> m_numberLocale;
    WarningPresenter m_presentWarning;
    CourseWindowMaker m_makeCourseWindow;
    QStringList m_courseModules;
    QWidget* (*m_courseEntry)(const calc::ResultLine*, const QLocale*, QWidget*) = nullptr;
};
