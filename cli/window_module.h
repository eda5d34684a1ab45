// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace cli {

// Loads the window module, installed under the library directory or beside the program in the
// build tree, and runs the window; 1 with a message on stderr when it cannot be loaded.
int runWindow(int& argc, char** argv);

} // namespace cli
