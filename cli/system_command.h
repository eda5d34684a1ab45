// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line's systems: -g given two to four times, or once with --zweite-ordnung, with
// -a given once a component.

#include "calc/core/methods.h"
#include "cli/options.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace cli {

// Whether the options ask for a system rather than one equation: -g or -a given more than once,
// or --zweite-ordnung.
bool asksForSystem(const QCommandLineParser& parser, const Options& options);

// Why the options of a system do not go together, in German; none where they do.
std::optional<QString> systemUsageError(const QCommandLineParser& parser, const Options& options);

// Computes the system as the system window does, and prints its line, the course with
// --verlauf, the convergence study with --konvergenz, or the warning of the check that refuses
// it.
int computeAndPrintSystem(const QCommandLineParser& parser, const Options& options,
                          const Choice& choice);

} // namespace cli
