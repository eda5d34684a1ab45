// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace calc {
struct ResultLine;
struct SystemLine;
} // namespace calc

// Makes the course windows of result lines: from the course module, which is loaded when the
// first course is shown so that the program starts without Qt Charts, or through makers that
// tests put in.
class CourseWindows {
public:
    using Maker = std::function<QWidget*(const calc::ResultLine& line, const QLocale& locale,
                                         QWidget* parent)>;
    using SystemMaker = std::function<QWidget*(const calc::SystemLine& line, const QLocale& locale,
                                               QWidget* parent)>;
    using Warner = std::function<void(const QString& text)>;

    // Loads the module from `path` instead of the installed one.
    void setModule(const QString& path);
    // Makes windows through the makers instead of the module; empty ones restore it.
    void setMaker(Maker maker);
    void setSystemMaker(SystemMaker maker);

    // The course window of the line, a window of `parent`; none after `warn` was told why.
    QWidget* make(const calc::ResultLine& line, const QLocale& locale, QWidget* parent,
                  const Warner& warn);
    QWidget* make(const calc::SystemLine& line, const QLocale& locale, QWidget* parent,
                  const Warner& warn);

private:
    bool loadModule(const Warner& warn);

    Maker m_maker;
    SystemMaker m_systemMaker;
    QStringList m_modules;
    QWidget* (*m_entry)(const calc::ResultLine*, const QLocale*, QWidget*) = nullptr;
    QWidget* (*m_systemEntry)(const calc::SystemLine*, const QLocale*, QWidget*) = nullptr;
};
