// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QProgressBar;

// What a page shows of a study that runs in the background: while it runs, its progress and a
// button that cancels it; after a cancel, a note and a button that starts it again.
class StudyProgress : public QWidget {
    Q_OBJECT

public:
    explicit StudyProgress(QWidget* parent);

    QProgressBar* bar() const { return m_bar; }
    // The progress and the cancel button, the note hidden.
    void showRunning();
    // Neither, or the note when the study was cancelled.
    void showEnded(bool cancelled);

signals:
    void cancelRequested();
    void restartRequested();

private:
    QWidget* m_running = nullptr;
    QProgressBar* m_bar = nullptr;
    QWidget* m_cancelled = nullptr;
};
