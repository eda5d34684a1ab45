// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/solution_path.h"

#include "calc/core/methods.h"

#include <cstddef>

namespace calc {

void follow_solution(const Equation& f, Point start, double h, int passes, double low, double high,
                     std::vector<Point>& points) {
    Point p = start;
    for (int i = 0; i < passes; ++i) {
        const Pass pass = make_pass(Method::rk4, f, p, h);
        if (failure_of(pass, Method::rk4, f, nullptr) != Failure::none) {
            return;
        }
        p = pass.next;
        points.push_back(p);
        if (p.y < low || p.y > high) {
            return;
        }
    }
}

std::vector<Point> sample_exact(const ExactSolution& exact, Point start, double span, double end,
                                int intervals, Gap gap) {
    std::vector<Point> samples;
    samples.reserve(static_cast<std::size_t>(intervals) + 1);
    for (int i = 0; i <= intervals; ++i) {
        const double x = i == intervals ? end : start.x + span * (i / double(intervals));
        const auto y = exact.at(start.x, start.y, x);
        if (y) {
            samples.push_back({x, *y});
        } else if (gap == Gap::ends_the_samples) {
            break;
        }
    }
    return samples;
}

} // namespace calc
