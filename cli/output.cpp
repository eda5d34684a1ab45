// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output.h"

#include "cli/command_line.h"
#include "cli/help.h"

#include "calc/text/labels.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace cli {

namespace {

constexpr char write_failed_text[] = "Die Ausgabe konnte nicht geschrieben werden (%1).";

} // namespace

void holdClosedOutputs() {
    for (const int output : {STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(output, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        const int held = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (held >= 0 && held != output) {
            dup2(held, output);
            close(held);
        }
    }
}

bool writeAll(std::FILE* stream, std::string_view text) {
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
    return std::fflush(stream) == 0 && written == text.size() && std::ferror(stream) == 0;
}

void complain(const QString& message) {
    const QString line = QString::fromUtf8(program_name) + QStringLiteral(": ") + message;
    writeAll(stderr, (line + u'\n').toStdString());
}

int printResult(std::string_view text) {
    errno = 0;
    const bool written = writeAll(stdout, text);
    const int error = errno;
    const bool closed = std::fclose(stdout) == 0;
    if (written && closed) {
        return success;
    }
    const int cause = error != 0 ? error : errno;
    complain(QString::fromUtf8(write_failed_text)
                 .arg(QString::fromLocal8Bit(std::strerror(cause != 0 ? cause : EIO))));
    return write_failed;
}

int printRefusal(std::string_view warning) {
    writeAll(stderr, std::string(warning) + '\n');
    return refused;
}

bool printStatistics(const calc::AdaptiveTotals& totals) {
    return writeAll(
        stderr,
        calc::adaptive_label::totals(totals.accepted, totals.rejected, totals.evaluations) + '\n');
}

int usageError(const QString& message) {
    complain(message);
    writeAll(stderr, usage());
    return usage_error;
}

} // namespace cli
