// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/course_windows.h"

#include "window/course/course_module.h"

#include <QCoreApplication>
#include <QLibrary>

#include <utility>

namespace {

constexpr char course_unavailable[] = "Der Verlauf kann nicht angezeigt werden: ";

// Where the program finds the course module: installed under the library directory, or
// beside the program in the build tree.
QStringList installedModules() {
    const QString directory = QCoreApplication::applicationDirPath() + u'/';
    const QString module = QStringLiteral(NUMERINT_COURSE_MODULE);
    return {directory + QStringLiteral(NUMERINT_COURSE_MODULE_DIR) + u'/' + module,
            directory + module};
}

} // namespace

void CourseWindows::setModule(const QString& path) {
    m_modules = {path};
    m_entry = nullptr;
    m_systemEntry = nullptr;
}

void CourseWindows::setMaker(Maker maker) {
    m_maker = std::move(maker);
}

void CourseWindows::setSystemMaker(SystemMaker maker) {
    m_systemMaker = std::move(maker);
}

QWidget* CourseWindows::make(const calc::ResultLine& line, const QLocale& locale, QWidget* parent,
                             const Warner& warn) {
    if (m_maker) {
        return m_maker(line, locale, parent);
    }
    return loadModule(warn) ? m_entry(&line, &locale, parent) : nullptr;
}

QWidget* CourseWindows::make(const calc::SystemLine& line, const QLocale& locale, QWidget* parent,
                             const Warner& warn) {
    if (m_systemMaker) {
        return m_systemMaker(line, locale, parent);
    }
    return loadModule(warn) ? m_systemEntry(&line, &locale, parent) : nullptr;
}

// Loads the module once, with both its entries; warns with the loader's reason when it cannot.
bool CourseWindows::loadModule(const Warner& warn) {
    if (m_entry != nullptr) {
        return true;
    }
    QStringList reasons;
    for (const QString& path : m_modules.isEmpty() ? installedModules() : m_modules) {
        // The module stays loaded until the program ends, as its windows may.
        QLibrary module(path);
        m_entry = reinterpret_cast<CourseWindowEntry>(module.resolve(course_window_entry));
        m_systemEntry =
            reinterpret_cast<SystemCourseWindowEntry>(module.resolve(system_course_window_entry));
        if (m_entry != nullptr && m_systemEntry != nullptr) {
            return true;
        }
        m_entry = nullptr;
        reasons.append(module.errorString());
    }
    warn(QString::fromUtf8(course_unavailable) + reasons.join(QStringLiteral("; ")));
    return false;
}
