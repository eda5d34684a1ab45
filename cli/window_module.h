// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace cli {

// The window's entry point in its module: main's arguments, the window's exit status.
using WindowMain = int (*)(int*, char**);

// What loading one module file gave: the entry point, or else why there is none.
struct WindowEntry {
    WindowMain main = nullptr;
    std::string failure;
};

// Loads the module file and looks up the window's entry point in it. A module that loads stays
// loaded until the process ends: Qt's objects live that long.
WindowEntry loadWindowEntry(const std::filesystem::path& module);

// Loads the window module, installed under the library directory or beside the program in the
// build tree, and runs the window; 1 with a message on stderr when it cannot be loaded.
int runWindow(int& argc, char** argv);

} // namespace cli
