// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/study_progress.h"

#include "window/course/push_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

namespace text {
constexpr char progress[] = "Fortschritt der Studie";
constexpr char cancel[] = "Abbrechen";
constexpr char cancelled[] = "Die Studie wurde abgebrochen.";
constexpr char restart[] = "Erneut starten";
} // namespace text

QHBoxLayout* rowOf(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

StudyProgress::StudyProgress(QWidget* parent) : QWidget(parent) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);

    m_running = new QWidget(this);
    QHBoxLayout* running = rowOf(m_running);
    m_bar = new QProgressBar(m_running);
    m_bar->setObjectName("Fortschritt");
    m_bar->setAccessibleName(QString::fromUtf8(text::progress));
    running->addWidget(m_bar, 1);
    QPushButton* cancel = newButton("abbrechen", text::cancel, m_running);
    connect(cancel, &QPushButton::clicked, this, &StudyProgress::cancelRequested);
    running->addWidget(cancel);
    rows->addWidget(m_running);

    m_cancelled = new QWidget(this);
    QHBoxLayout* cancelled = rowOf(m_cancelled);
    cancelled->addWidget(new QLabel(QString::fromUtf8(text::cancelled), m_cancelled), 1);
    QPushButton* restart = newButton("neuStarten", text::restart, m_cancelled);
    connect(restart, &QPushButton::clicked, this, &StudyProgress::restartRequested);
    cancelled->addWidget(restart);
    m_cancelled->hide();
    rows->addWidget(m_cancelled);
}

void StudyProgress::showRunning() {
    // A page made while its window is shown starts its study before the layout shows it.
    show();
    m_running->show();
    m_cancelled->hide();
}

void StudyProgress::showEnded(bool cancelled) {
    m_running->hide();
    m_cancelled->setVisible(cancelled);
}
