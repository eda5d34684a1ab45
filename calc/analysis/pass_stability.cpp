// SPDX-License-Identifier: GPL-3.0-or-later
// The h·λ of the passes of a course, and the texts and cells of where they lie.
#include "calc/analysis/stability.h"

#include "calc/core/jacobian.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/stability_texts.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace calc {

namespace {

// Picks the eigenvalue of largest |R|; of a complex pair, whose |R| are equal, the one with
// Im ≥ 0.
void choose_worst(PassStability& s) {
    s.worst = 0;
    for (std::size_t i = 1; i < s.count; ++i) {
        if (s.magnitude[i] > s.magnitude[s.worst]) {
            s.worst = i;
        }
    }
    if (s.z[s.worst].imag() < 0) {
        for (std::size_t i = 0; i < s.count; ++i) {
            if (s.z[i].imag() > 0 && s.magnitude[i] >= s.magnitude[s.worst] * (1 - 1e-12)) {
                s.worst = i;
                break;
            }
        }
    }
}

template <class Scheme> PassStability scalar_stability(Scheme scheme, double lambda, double h) {
    PassStability s;
    const Complex z(h * lambda, 0);
    if (!std::isfinite(z.real())) {
        s.left_out = true;
        return s;
    }
    s.count = 1;
    s.z[0] = z;
    s.magnitude[0] = stability_magnitude(scheme, z);
    return s;
}

template <class Scheme>
PassStability system_stability(Scheme scheme, const SystemFunction& f, double x, const Vector& y,
                               double h) {
    PassStability s;
    const JacobianMatrix j = jacobian(f, x, y);
    if (j.n == 0 || !finite(j)) {
        s.left_out = true;
        return s;
    }
    using Matrix =
        Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, max_components, max_components>;
    const auto n = static_cast<Eigen::Index>(j.n);
    Matrix m(n, n);
    for (Eigen::Index r = 0; r < n; ++r) {
        for (Eigen::Index c = 0; c < n; ++c) {
            m(r, c) = j.m[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        }
    }
    const Eigen::EigenSolver<Matrix> solver(m, false);
    if (solver.info() != Eigen::Success) {
        s.left_out = true;
        return s;
    }
    for (Eigen::Index i = 0; i < n; ++i) {
        const Complex z = h * Complex(solver.eigenvalues()(i));
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) {
            s = PassStability{};
            s.left_out = true;
            return s;
        }
        s.z[s.count] = z;
        s.magnitude[s.count] = stability_magnitude(scheme, z);
        ++s.count;
    }
    choose_worst(s);
    return s;
}

// Adds the pass of row `row`, starting at x, to the view.
void add_pass(StabilityView& view, std::size_t row, double x, const PassStability& s) {
    ++view.passes;
    if (s.left_out) {
        ++view.left_out;
        return;
    }
    for (std::size_t i = 0; i < s.count; ++i) {
        view.points.push_back({row, x, s.z[i], s.magnitude[i], s.magnitude[i] > 1});
    }
    if (s.outside()) {
        ++view.outside;
        if (!view.first_outside_x) {
            view.first_outside_x = x;
        }
    }
}

template <class C> StabilityView view_of(const C& course) {
    StabilityView view;
    const std::size_t rows = std::min(course.rows.size(), course.stability.size());
    for (std::size_t r = 0; r < rows; ++r) {
        if (course.stability[r]) {
            add_pass(view, r, course.rows[r].point.x, *course.stability[r]);
        }
    }
    return view;
}

// The stored entry of `row` where it is one of the course's rows, else none.
template <class C, class Row>
const std::optional<PassStability>* stored(const C& course, const Row& row) {
    const Row* first = course.rows.data();
    const Row* at = &row;
    if (course.rows.empty() || course.stability.size() != course.rows.size() ||
        std::less<const Row*>()(at, first) ||
        !std::less<const Row*>()(at, first + course.rows.size())) {
        return nullptr;
    }
    return &course.stability[static_cast<std::size_t>(at - first)];
}

} // namespace

std::optional<PassStability> stability_at(const Course& course, const CourseRow& row) {
    if (const std::optional<PassStability>* s = stored(course, row)) {
        return *s;
    }
    if (!row.k) {
        return std::nullopt;
    }
    return pass_stability(course.method, course.equation, row.point.x, row.point.y, course.steps.h);
}

std::optional<PassStability> stability_at(const SystemCourse& course, const SystemCourseRow& row) {
    if (const std::optional<PassStability>* s = stored(course, row)) {
        return *s;
    }
    if (!row.k) {
        return std::nullopt;
    }
    return pass_stability(course.method, course.problem.f, row.point.x, row.point.y,
                          course.steps.h);
}

std::optional<PassStability> stability_at(const AdaptiveCourse& course,
                                          const AdaptiveRowOf<double>& row) {
    if (const std::optional<PassStability>* s = stored(course, row)) {
        return *s;
    }
    if (!row.attempt) {
        return std::nullopt;
    }
    const AttemptOf<double>& a = *row.attempt;
    return pass_stability(course.adaptive.pair, course.equation, a.x, a.y, a.h);
}

std::optional<PassStability> stability_at(const SystemAdaptiveCourse& course,
                                          const AdaptiveRowOf<Vector>& row) {
    if (const std::optional<PassStability>* s = stored(course, row)) {
        return *s;
    }
    if (!row.attempt) {
        return std::nullopt;
    }
    const AttemptOf<Vector>& a = *row.attempt;
    return pass_stability(course.adaptive.pair, course.problem.f, a.x, a.y, a.h);
}

PassStability pass_stability(Method method, const Equation& f, double x, double y, double h) {
    return scalar_stability(method, jacobian(f, x, y), h);
}

PassStability pass_stability(Pair pair, const Equation& f, double x, double y, double h) {
    return scalar_stability(pair, jacobian(f, x, y), h);
}

PassStability pass_stability(Method method, const SystemFunction& f, double x, const Vector& y,
                             double h) {
    return system_stability(method, f, x, y, h);
}

PassStability pass_stability(Pair pair, const SystemFunction& f, double x, const Vector& y,
                             double h) {
    return system_stability(pair, f, x, y, h);
}

StabilityView stability_of(const Course& course) {
    return view_of(course);
}

StabilityView stability_of(const SystemCourse& course) {
    return view_of(course);
}

StabilityView stability_of(const AdaptiveCourse& course) {
    return view_of(course);
}

StabilityView stability_of(const SystemAdaptiveCourse& course) {
    return view_of(course);
}

std::string outside_text(const StabilityView& view, const NumberLocale& locale) {
    if (view.outside == 0 || !view.first_outside_x) {
        return std::string(stability_text::all_inside);
    }
    return std::to_string(view.outside) + std::string(stability_text::outside_of) +
           std::to_string(view.passes) + std::string(stability_text::outside_tail) +
           format_general(*view.first_outside_x, locale);
}

std::string left_out_text(const StabilityView& view, const NumberLocale&) {
    if (view.left_out == 0) {
        return {};
    }
    return std::to_string(view.left_out) + std::string(view.left_out == 1
                                                           ? stability_text::left_out_one
                                                           : stability_text::left_out_many);
}

std::string z_cell(const std::optional<PassStability>& pass, const NumberLocale& locale) {
    if (!pass) {
        return {};
    }
    if (pass->left_out || pass->count == 0) {
        return std::string(no_value);
    }
    const Complex z = pass->z[pass->worst];
    std::string text = format_general(z.real(), locale);
    if (z.imag() != 0) {
        text += z.imag() < 0 ? stability_text::minus : stability_text::plus;
        text += format_general(std::fabs(z.imag()), locale);
        text += stability_text::imaginary_unit;
    }
    return text;
}

std::string stability_summary_csv(std::string_view cli_name, const StabilityInterval& interval,
                                  const StabilityView& view, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string csv;
    append_csv_line(
        csv,
        std::array<std::string_view, 4>{caption::stability_method, caption::stability_interval,
                                        caption::stability_outside, caption::stability_passes},
        separator);
    const std::string left = std::isinf(interval.left) ? std::string(stability_text::unbounded_left)
                                                       : format_fixed(interval.left, 4, locale);
    append_csv_line(csv,
                    std::array<std::string, 4>{std::string(cli_name), left,
                                               std::to_string(view.outside),
                                               std::to_string(view.passes)},
                    separator);
    return csv;
}

void split_stability_cells(std::vector<std::string>& cells,
                           const std::optional<PassStability>& pass, const NumberLocale& locale) {
    cells.resize(cells.size() - 2);
    if (!pass || pass->left_out || pass->count == 0) {
        cells.resize(cells.size() + 3);
        return;
    }
    const Complex z = pass->z[pass->worst];
    cells.push_back(format_general(z.real(), locale));
    cells.push_back(format_general(z.imag(), locale));
    cells.push_back(format_general(pass->magnitude[pass->worst], locale));
}

std::string magnitude_cell(const std::optional<PassStability>& pass, const NumberLocale& locale) {
    if (!pass) {
        return {};
    }
    if (pass->left_out || pass->count == 0) {
        return std::string(no_value);
    }
    return format_general(pass->magnitude[pass->worst], locale);
}

} // namespace calc
