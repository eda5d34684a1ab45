// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the command line writes: results on stdout, messages on stderr, each checked to arrive.

#include "calc/core/adaptive.h"

#include <QString>

#include <cstdio>
#include <string_view>

namespace cli {

inline constexpr char program_name[] = "numer-integration";

// A closed stdout or stderr would go to the next file the process opens; a read-only /dev/null
// in its place makes every write to it fail instead.
void holdClosedOutputs();

// Writes the whole text to the stream and makes sure it arrived.
bool writeAll(std::FILE* stream, std::string_view text);

// "numer-integration: <message>" on stderr.
void complain(const QString& message);

// Prints the text on stdout and closes it, so that a failed write is noticed before exit:
// success, or write_failed with the reason on stderr.
int printResult(std::string_view text);

// A warning of the checks on stderr, nothing on stdout: refused.
int printRefusal(std::string_view warning);

// The totals of a run on stderr, "9 Schritte, 1 verworfen, 62 Auswertungen von f"; false when
// they could not be written.
bool printStatistics(const calc::AdaptiveTotals& totals);

// The message and the short usage on stderr: usage_error.
int usageError(const QString& message);

} // namespace cli
