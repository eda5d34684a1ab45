// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace calc {

// Runs `work` on the calling thread and on as many more as make `threads` in all, but no more
// threads than `jobs`, and returns when all of them have returned. Each call of `work` takes
// jobs from a shared counter of its own until none is left.
template <class Work> void run_on_threads(int threads, std::size_t jobs, const Work& work) {
    const auto helpers =
        static_cast<std::size_t>(std::clamp(threads, 1, std::max(1, static_cast<int>(jobs))) - 1);
    std::vector<std::thread> workers;
    workers.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

} // namespace calc
