// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/course_frame.h"

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
constexpr char close[] = "Schließen";
} // namespace text

} // namespace

CourseFrame::CourseFrame(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(text::title);
    setWindowTitle(QString::fromUtf8(text::title));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("Seiten");
    m_pages->tabBar()->setObjectName("Seitenwahl");
    column->addWidget(m_pages);
}

void CourseFrame::addPage(QWidget* page, const char* name) {
    m_pages->addTab(page, QString::fromUtf8(name));
}

void CourseFrame::finish(QWidget* firstPage, QSize pageSize) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* close = newButton("schliessen", text::close, this);
    buttons->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
    resize(courseWindowSize(this, m_pages, firstPage, pageSize));
}

void CourseFrame::setFileNameChooser(FileNameChooser chooser) {
    m_files.setFileNameChooser(std::move(chooser));
}

void CourseFrame::setWarningPresenter(WarningPresenter presenter) {
    m_files.setWarningPresenter(std::move(presenter));
}
