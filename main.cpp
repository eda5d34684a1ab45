// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"
#include "cli/window_module.h"

int main(int argc, char* argv[]) {
    // Any argument but Qt's own window options asks for the command line: no window code loads.
    if (cli::selectsCommandLine(argc, argv)) {
        return cli::runCommandLine(argc, argv);
    }
    return cli::runWindow(argc, argv);
}
