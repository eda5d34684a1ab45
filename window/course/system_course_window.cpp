// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/system_course_window.h"

#include "calc/analysis/system_course.h"
#include "window/course/convergence_page.h"
#include "window/course/page_size.h"
#include "window/course/phase_plane_page.h"
#include "window/course/push_button.h"
#include "window/course/system_comparison_page.h"
#include "window/course/system_course_page.h"

#include <QHBoxLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

namespace text {
constexpr char title[] = "Verlauf";
constexpr char course_page[] = "Verlauf";
constexpr char plane_page[] = "Phasenebene";
constexpr char comparison_page[] = "Vergleich";
constexpr char convergence_page[] = "Konvergenz";
constexpr char close[] = "Schließen";
} // namespace text

} // namespace

SystemCourseWindow::SystemCourseWindow(const calc::SystemCourse& course, const QLocale& locale,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(text::title);
    setWindowTitle(QString::fromUtf8(text::title));
    setAttribute(Qt::WA_DeleteOnClose);
    new QVBoxLayout(this);
    createPages(course, locale);
    createButtons();
    resize(courseWindowSize(this, m_pages, m_course, m_course->defaultSize()));
    m_course->focusTable();
}

void SystemCourseWindow::createPages(const calc::SystemCourse& course, const QLocale& locale) {
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("Seiten");
    m_pages->tabBar()->setObjectName("Seitenwahl");
    m_course = new SystemCoursePage(course, locale, m_files, m_pages);
    m_pages->addTab(m_course, QString::fromUtf8(text::course_page));
    m_plane = new PhasePlanePage(course, locale, m_files, m_pages);
    m_pages->addTab(m_plane, QString::fromUtf8(text::plane_page));
    m_comparison =
        new SystemComparisonPage(course.numbers, course.problem, locale, m_files, m_pages);
    m_pages->addTab(m_comparison, QString::fromUtf8(text::comparison_page));
    m_convergence = new ConvergencePage(course.numbers, course.problem, locale, m_files, m_pages);
    m_pages->addTab(m_convergence, QString::fromUtf8(text::convergence_page));
    layout()->addWidget(m_pages);

    // The table's current row is the pass the plane draws; the plane's buttons move the row.
    connect(m_course, &SystemCoursePage::currentRowChanged, m_plane, &PhasePlanePage::showRow);
    connect(m_plane, &PhasePlanePage::rowRequested, m_course, &SystemCoursePage::selectRow);
    m_plane->showRow(m_course->currentRow());
}

void SystemCourseWindow::createButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* close = newButton("schliessen", text::close, this);
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

void SystemCourseWindow::setFileNameChooser(FileNameChooser chooser) {
    m_files.setFileNameChooser(std::move(chooser));
}

void SystemCourseWindow::setWarningPresenter(WarningPresenter presenter) {
    m_files.setWarningPresenter(std::move(presenter));
}

bool SystemCourseWindow::saveCsv(const QString& fileName) {
    return m_course->saveCsv(fileName);
}

bool SystemCourseWindow::saveImage(const QString& fileName) {
    return m_course->saveImage(fileName);
}
