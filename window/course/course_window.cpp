// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/course_window.h"

#include "window/course/comparison_page.h"
#include "window/course/convergence_page.h"
#include "window/course/course_page.h"
#include "window/course/page_size.h"
#include "window/course/push_button.h"

#include <QHBoxLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

namespace text {
constexpr char title[] = "Verlauf";
constexpr char course_page[] = "Verlauf";
constexpr char comparison_page[] = "Vergleich";
constexpr char convergence_page[] = "Konvergenz";
constexpr char close[] = "Schließen";
} // namespace text

} // namespace

CourseWindow::CourseWindow(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(text::title);
    setWindowTitle(QString::fromUtf8(text::title));
    setAttribute(Qt::WA_DeleteOnClose);
    new QVBoxLayout(this);
    createPages(course, locale);
    createButtons();
    resize(defaultSize());
    m_course->focusTable();
}

void CourseWindow::createPages(const calc::Course& course, const QLocale& locale) {
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("Seiten");
    m_pages->tabBar()->setObjectName("Seitenwahl");
    m_course = new CoursePage(course, locale, m_files, m_pages);
    m_pages->addTab(m_course, QString::fromUtf8(text::course_page));
    m_comparison = new ComparisonPage(course, locale, m_files, m_pages);
    m_pages->addTab(m_comparison, QString::fromUtf8(text::comparison_page));
    m_convergence = new ConvergencePage(course, locale, m_files, m_pages);
    m_pages->addTab(m_convergence, QString::fromUtf8(text::convergence_page));
    connect(m_course, &CoursePage::exactSolutionChanged, this, &CourseWindow::passOnExactSolution);
    layout()->addWidget(m_pages);
}

// An exact solution typed on the course page holds for the comparison and the study too.
void CourseWindow::passOnExactSolution() {
    m_comparison->setExactSolution(m_course->course().exact);
    m_convergence->setExactSolution(m_course->course().exact);
}

void CourseWindow::createButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* close = newButton("schliessen", text::close, this);
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

void CourseWindow::setFileNameChooser(FileNameChooser chooser) {
    m_files.setFileNameChooser(std::move(chooser));
}

void CourseWindow::setWarningPresenter(WarningPresenter presenter) {
    m_files.setWarningPresenter(std::move(presenter));
}

bool CourseWindow::saveCsv(const QString& fileName) {
    return m_course->saveCsv(fileName);
}

bool CourseWindow::saveImage(const QString& fileName) {
    return m_course->saveImage(fileName);
}

// The course page at its default size in the pages' frame, within the screen's free area.
QSize CourseWindow::defaultSize() const {
    return courseWindowSize(this, m_pages, m_course, m_course->defaultSize());
}
