// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the start-up benchmarks record of each process they start, and how they sum it up.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace process_runs {

// One timed process: milliseconds to the point measured, and its peak resident memory.
struct Run {
    double ms;
    double peak_rss_mb;
};

// The q-quantile (0 to 1) of the values, the nearest rank.
inline double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// The runs of one side of a comparison.
struct Series {
    std::vector<double> ms;
    std::vector<double> rss_mb;

    void add(Run run) {
        ms.push_back(run.ms);
        rss_mb.push_back(run.peak_rss_mb);
    }
};

} // namespace process_runs
