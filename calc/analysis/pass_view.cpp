// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/pass_view.h"

#include "calc/analysis/solution_path.h"

#include <cmath>
#include <limits>

namespace calc {

namespace {

namespace text {
constexpr std::string_view local_error = "Lokaler Fehler dieses Schritts: ";
} // namespace text

} // namespace

std::vector<Point> local_solution(const Equation& f, Point start, double h, bool* exact) {
    const std::optional<ExactSolution> known = ExactSolution::of(f);
    if (exact) {
        *exact = known.has_value();
    }
    if (!finite(start) || !std::isfinite(h)) {
        return {};
    }
    if (known) {
        // The last abscissa is start.x + h exactly, as the pass reaches it; the samples end where
        // the solution ends, at a pole on the way.
        return sample_exact(*known, start, h, start.x + h, local_passes, Gap::ends_the_samples);
    }
    // Fine passes of the classical method, ending at the first one that fails.
    std::vector<Point> samples;
    samples.reserve(local_passes + 1);
    samples.push_back(start);
    constexpr double unbounded = std::numeric_limits<double>::infinity();
    follow_solution(f, start, h / local_passes, local_passes, -unbounded, unbounded, samples);
    return samples;
}

std::optional<PassView> pass_view(const Course& course, std::size_t row) {
    if (row + 1 >= course.rows.size()) {
        return std::nullopt;
    }
    const Point start = course.rows[row].point;
    const double h = course.steps.h;
    // The same pass the course made, so that every number is the table's to the bit.
    const Pass pass = make_pass(course.method, course.equation, start, h);
    PassView view{start, pass.next, h, {}, {}, false, std::nullopt};
    const auto stage_count = static_cast<std::size_t>(method_info(course.method).stage_count);
    for (std::size_t i = 0; i < stage_count; ++i) {
        view.stages.push_back({stage_names[i], pass.points[i], pass.slopes[i], pass.k[i]});
    }
    view.solution = local_solution(course.equation, start, h, &view.solution_is_exact);
    if (view.solution.size() == local_passes + 1) {
        const double error = view.next.y - view.solution.back().y;
        if (std::isfinite(error)) {
            view.local_error = error;
        }
    }
    return view;
}

std::string local_error_text(const std::optional<double>& error, const NumberLocale& locale) {
    std::string out(text::local_error);
    out += value_text(error, locale);
    return out;
}

} // namespace calc
