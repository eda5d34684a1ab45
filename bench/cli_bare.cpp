// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of a command-line call: a bare QCoreApplication program that prints one line.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    std::fputs("x-Wert   01.0   y-Wert   0.666666613089039\n", stdout);
    return std::fflush(stdout) == 0 ? 0 : 3;
}
