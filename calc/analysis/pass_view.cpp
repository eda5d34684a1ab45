// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/pass_view.h"

#include <cmath>

namespace calc {

namespace {

namespace text {
constexpr std::string_view local_error = "Lokaler Fehler dieses Schritts: ";
} // namespace text

// The known solution through `start`, at the ends of the substeps; it ends where the solution
// ends, at a pole on the way.
std::vector<Point> known_solution(const ExactSolution& exact, Point start, double h) {
    std::vector<Point> samples;
    samples.reserve(local_substeps + 1);
    for (int i = 0; i <= local_substeps; ++i) {
        // The last abscissa is start.x + h exactly, as the pass reaches it.
        const double x =
            i == local_substeps ? start.x + h : start.x + h * (i / double(local_substeps));
        const auto y = exact.at(start.x, start.y, x);
        if (!y) {
            break;
        }
        samples.push_back({x, *y});
    }
    return samples;
}

// Fine passes of the classical method through `start`; they end at the first one that fails.
std::vector<Point> fine_solution(const Equation& f, Point start, double h) {
    std::vector<Point> samples;
    samples.reserve(local_substeps + 1);
    const double substep = h / local_substeps;
    Point p = start;
    samples.push_back(p);
    for (int i = 0; i < local_substeps; ++i) {
        const Pass pass = make_pass(Method::rk4, f, p, substep);
        if (failure_of(pass, Method::rk4, f, nullptr) != Failure::none) {
            break;
        }
        p = pass.next;
        samples.push_back(p);
    }
    return samples;
}

} // namespace

std::vector<Point> local_solution(const Equation& f, Point start, double h, bool* exact) {
    const std::optional<ExactSolution> known = ExactSolution::of(f);
    if (exact) {
        *exact = known.has_value();
    }
    if (!finite(start) || !std::isfinite(h)) {
        return {};
    }
    return known ? known_solution(*known, start, h) : fine_solution(f, start, h);
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
    const double k[] = {pass.stages.k1, pass.stages.k2, pass.stages.k3, pass.stages.k4};
    const auto stages = static_cast<std::size_t>(method_info(course.method).stages);
    for (std::size_t i = 0; i < stages; ++i) {
        view.stages.push_back({stage_names[i], pass.points[i], pass.slopes[i], k[i]});
    }
    view.solution = local_solution(course.equation, start, h, &view.solution_is_exact);
    if (view.solution.size() == local_substeps + 1) {
        const double error = view.next.y - view.solution.back().y;
        if (std::isfinite(error)) {
            view.local_error = error;
        }
    }
    return view;
}

std::string local_error_text(const std::optional<double>& error, const NumberLocale& locale) {
    std::string out(text::local_error);
    out += error ? format_general(*error, locale) : std::string(no_value);
    return out;
}

} // namespace calc
