// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/window_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace cli {

namespace {

namespace text {
constexpr char cannot_load[] = "numer-integration: Das Fenster kann nicht geladen werden (%s).\n";
} // namespace text

constexpr char entry_name[] = "numer_integration_window_main";
using WindowMain = int (*)(int*, char**);

std::filesystem::path programDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

} // namespace

int runWindow(int& argc, char** argv) {
    const std::filesystem::path directory = programDirectory();
    if (directory.empty()) {
        std::fprintf(stderr, text::cannot_load, "/proc/self/exe");
        return 1;
    }
    std::string failures;
    for (const std::filesystem::path& candidate :
         {directory / NUMERINT_WINDOW_MODULE_DIR / NUMERINT_WINDOW_MODULE,
          directory / NUMERINT_WINDOW_MODULE}) {
        // The module stays loaded until the process ends: Qt's objects live that long.
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        const auto windowMain =
            module != nullptr ? reinterpret_cast<WindowMain>(dlsym(module, entry_name)) : nullptr;
        if (windowMain != nullptr) {
            return windowMain(&argc, argv);
        }
        failures += failures.empty() ? "" : "; ";
        failures += dlerror();
    }
    std::fprintf(stderr, text::cannot_load, failures.c_str());
    return 1;
}

} // namespace cli
