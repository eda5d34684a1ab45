// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/window_module.h"

#include <dlfcn.h>

#include <cstdio>
#include <system_error>

namespace cli {

namespace {

namespace text {
constexpr char cannot_load[] = "numer-integration: Das Fenster kann nicht geladen werden (%s).\n";
constexpr char not_loaded[] = " lässt sich nicht laden"; // after the file
constexpr char no_entry[] = " fehlt in ";                // between the entry point and the file
} // namespace text

constexpr char entry_name[] = "numer_integration_window_main";

// The loader's last error, or the fallback when it has none to give: dlerror() returns null
// when nothing failed since it was last asked.
std::string loaderError(const std::string& fallback) {
    const char* error = dlerror();
    return error != nullptr ? std::string(error) : fallback;
}

std::filesystem::path programDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

} // namespace

WindowEntry loadWindowEntry(const std::filesystem::path& module) {
    dlerror(); // forget an earlier failure, so that the one read below is this file's
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return {nullptr, loaderError(module.string() + text::not_loaded)};
    }
    const auto windowMain = reinterpret_cast<WindowMain>(dlsym(handle, entry_name));
    if (windowMain == nullptr) {
        return {nullptr, loaderError(entry_name + (text::no_entry + module.string()))};
    }
    return {windowMain, {}};
}

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
        const WindowEntry entry = loadWindowEntry(candidate);
        if (entry.main != nullptr) {
            return entry.main(&argc, argv);
        }
        failures += failures.empty() ? "" : "; ";
        failures += entry.failure;
    }
    std::fprintf(stderr, text::cannot_load, failures.c_str());
    return 1;
}

} // namespace cli
