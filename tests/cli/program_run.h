// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built program as a script would: in a clean environment without a display, with
// the locale variables a case names, reading what it prints on stdout and stderr.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace cli_test {

using Variables = std::vector<std::pair<QString, QString>>;

inline const Variables german{{"LC_ALL", "de_DE.UTF-8"}};
inline const Variables english{{"LC_ALL", "en_US.UTF-8"}};

// Shows a case by its name in test listings instead of its bytes.
template <class Case>
requires requires(const Case& row) {
    row.name;
}
void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

struct Finished {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// The environment of a script on a machine without a display, with the given locale variables.
inline QProcessEnvironment cleanEnvironment(const Variables& variables) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(QStringLiteral("LC_")) || name == QStringLiteral("LANG") ||
            name == QStringLiteral("LANGUAGE")) {
            environment.remove(name);
        }
    }
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    for (const auto& [name, value] : variables) {
        environment.insert(name, value);
    }
    return environment;
}

inline Finished runProgram(const QStringList& arguments, const Variables& variables,
                           const QString& stdoutFile = {}) {
    QProcess process;
    process.setProcessEnvironment(cleanEnvironment(variables));
    if (!stdoutFile.isEmpty()) {
        process.setStandardOutputFile(stdoutFile);
    }
    process.start(QStringLiteral(NUMERINT_PROGRAM), arguments);
    // Two minutes: the study of all eight methods over a system takes half a minute under the
    // sanitizers.
    const bool finished = process.waitForFinished(120'000);
    EXPECT_TRUE(finished) << "the program did not finish";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {finished ? process.exitCode() : -1, process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

} // namespace cli_test
