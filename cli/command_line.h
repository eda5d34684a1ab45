// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace cli {

// The exit statuses of the command line.
enum ExitStatus : int { success = 0, refused = 1, usage_error = 2, write_failed = 3 };

// The arguments left once Qt's own window options are taken out, the way Qt takes them.
QStringList withoutWindowOptions(const QStringList& arguments);

// Whether the arguments after the program name ask for the command line rather than the window.
bool selectsCommandLine(const QStringList& arguments);

// The same decision on main's raw arguments, before any application object exists.
bool selectsCommandLine(int argc, const char* const* argv);

// Computes without a window under a QCoreApplication, prints, and returns the exit status.
int runCommandLine(int& argc, char** argv);

} // namespace cli
