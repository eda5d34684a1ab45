// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The linear stability of the methods and pairs: the stability function R(z) of each, from its
// Butcher tableau (calc/core/tableaus.h, calc/core/pairs/*.h), with the step y' = R(hλ) y on
// y' = λy; the interval on the real axis where |R| ≤ 1; the boundaries |R(z)| = 1 in the plane
// of z = h·λ; and where the passes of a course lie in that plane.
//
// R(z) = 1 + z bᵀ(I - zA)⁻¹𝟙. For an explicit method it is the polynomial
// 1 + Σ_j (bᵀA^(j-1)𝟙) z^j; for an implicit method the quotient P(z)/Q(z) of
// P(z) = det(I - zA + z𝟙bᵀ) and Q(z) = det(I - zA), whose coefficients are read off the
// determinants on the unit circle (a discrete Fourier transform, exact for the degrees here).

#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/course.h"
#include "calc/analysis/pass_stability.h"
#include "calc/analysis/system_course.h"
#include "calc/core/adaptive.h"
#include "calc/core/passes.h"
#include "calc/text/number_text.h"
#include "calc/text/stability_texts.h"

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

using Complex = std::complex<double>;

// R(z); at a pole a non-finite value.
Complex stability_function(Method method, Complex z);
Complex stability_function(Pair pair, Complex z);

// |R(z)|, infinity at a pole.
double stability_magnitude(Method method, Complex z);
double stability_magnitude(Pair pair, Complex z);

// The real interval [left; 0] on which |R(-s)| ≤ 1 for all s in [0, -left]; left is -infinity
// where it is unbounded. a_stable: |R| ≤ 1 on the whole left half-plane; l_stable: A-stable and
// R(z) → 0 as |z| → ∞.
struct StabilityInterval {
    double left;
    bool a_stable;
    bool l_stable;
};
StabilityInterval stability_interval(Method method);
StabilityInterval stability_interval(Pair pair);

// "R(z) = 1 + z + z²/2 + z³/6 + z⁴/24", "R(z) = 1/(1 − z)", "R(z) = (1 + z/2)/(1 − z/2)": a
// coefficient 1/n of a whole n is written z^k/n, any other coefficient with five significant
// digits in the locale, "0,0013021·z⁵".
std::string stability_formula(Method method, const NumberLocale& locale);
std::string stability_formula(Pair pair, const NumberLocale& locale);

// "Stabilitätsintervall auf der reellen Achse: [−2,7853; 0]" (four decimals), or "(−∞; 0]".
std::string interval_text(const StabilityInterval& interval, const NumberLocale& locale);

// "A-stabil", "A-stabil und L-stabil", or "" for a method that is neither.
std::string stiffness_text(const StabilityInterval& interval);

// The curves |R(z)| = 1 of one method, each a polyline in the z-plane; a closed curve ends at
// its first point.
struct StabilityBoundary {
    std::vector<std::vector<Complex>> lines;
};

// The boundaries covering Re z in [-12, 4] and Im z in [-8, 8], by marching squares on a grid
// of |P(z)|² - |Q(z)|² (which has no poles); computed once per process. Index: the 8 methods in
// method_table order, then the 3 pairs in pair_table order.
const std::vector<StabilityBoundary>& stability_boundaries();

// The computation behind stability_boundaries(), made anew at each call.
std::vector<StabilityBoundary> compute_stability_boundaries();

// The index of a method's or a pair's boundary in stability_boundaries().
std::size_t boundary_index(Method method);
std::size_t boundary_index(Pair pair);

// The region that stability_boundaries() covers: Re z from min to max, |Im z| up to im_max.
inline constexpr double boundary_re_min = -12.5;
inline constexpr double boundary_re_max = 4.5;
inline constexpr double boundary_im_max = 8.5;

// The h·λ of a pass from (x, y) with step h: λ = ∂f/∂y by central differences, for a system
// every eigenvalue of J = ∂f/∂y; left out where they are not finite.
PassStability pass_stability(Method method, const Equation& f, double x, double y, double h);
PassStability pass_stability(Pair pair, const Equation& f, double x, double y, double h);
PassStability pass_stability(Method method, const SystemFunction& f, double x, const Vector& y,
                             double h);
PassStability pass_stability(Pair pair, const SystemFunction& f, double x, const Vector& y,
                             double h);

// The stability of the pass of every row that has one (its k), none on the last row.
template <class Row, class Make>
std::vector<std::optional<PassStability>> rows_stability(const std::vector<Row>& rows,
                                                         Make&& make) {
    std::vector<std::optional<PassStability>> out(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].k) {
            out[r] = make(rows[r]);
        }
    }
    return out;
}

// The same for the attempts of an adaptive course's rows.
template <class Row, class Make>
std::vector<std::optional<PassStability>> attempts_stability(const std::vector<Row>& rows,
                                                             Make&& make) {
    std::vector<std::optional<PassStability>> out(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].attempt) {
            out[r] = make(*rows[r].attempt);
        }
    }
    return out;
}

// The stability of the pass that starts at a row of the course: the stored one for a row of
// course.rows, computed anew for a row from elsewhere; none for a row without a pass.
std::optional<PassStability> stability_at(const Course& course, const CourseRow& row);
std::optional<PassStability> stability_at(const SystemCourse& course, const SystemCourseRow& row);
std::optional<PassStability> stability_at(const AdaptiveCourse& course,
                                          const AdaptiveRowOf<double>& row);
std::optional<PassStability> stability_at(const SystemAdaptiveCourse& course,
                                          const AdaptiveRowOf<Vector>& row);

// One eigenvalue of one pass in the plane: `row` is the course table's row where the pass starts.
struct StabilityPoint {
    std::size_t row;
    double x;
    Complex z;
    double magnitude;
    bool outside;
};

// Every pass of a course in the plane (every attempt of an adaptive course): passes counts the
// passes, outside those with an eigenvalue where |R| > 1, left_out those without eigenvalues.
struct StabilityView {
    std::vector<StabilityPoint> points; // every eigenvalue of every pass
    std::size_t passes = 0, outside = 0, left_out = 0;
    std::optional<double> first_outside_x;
};
StabilityView stability_of(const Course& course);
StabilityView stability_of(const SystemCourse& course);
StabilityView stability_of(const AdaptiveCourse& course);
StabilityView stability_of(const SystemAdaptiveCourse& course);

// "<k> von <N> Schritten außerhalb des Stabilitätsgebiets, zuerst bei x = <x>", or
// "alle Schritte im Stabilitätsgebiet".
std::string outside_text(const StabilityView& view, const NumberLocale& locale);

// "<n> Schritte ohne Eigenwerte (J nicht endlich)"; "" when none was left out.
std::string left_out_text(const StabilityView& view, const NumberLocale& locale);

// The command line's --stabilität output for the line's method or pair (its command-line name):
// the header "Verfahren;Intervall;außerhalb;Schritte" and one row "rk4;-2,7853;3;20", the
// interval's left end with four decimals in the locale or "-inf", then the passes outside and
// all passes; separated as every CSV text.
std::string stability_summary_csv(std::string_view cli_name, const StabilityInterval& interval,
                                  const StabilityView& view, const NumberLocale& locale);

// The cells of the courses' h·λ and |R(h·λ)| columns: "a + bi" or "a" of the pass's worst
// eigenvalue (format_general) and its |R|; no_value for a pass left out, "" for no pass.
std::string z_cell(const std::optional<PassStability>& pass, const NumberLocale& locale);
std::string magnitude_cell(const std::optional<PassStability>& pass, const NumberLocale& locale);

// For StabilityCsv::parts: replaces the last two captions (h·λ, |R(h·λ)|) by Re(h·λ), Im(h·λ),
// |R(h·λ)|, and the last two cells of a row by the three numbers (empty where there are none).
template <class Caption> void split_stability_captions(std::vector<Caption>& captions) {
    captions.resize(captions.size() - 2);
    captions.emplace_back(caption::re_h_lambda);
    captions.emplace_back(caption::im_h_lambda);
    captions.emplace_back(caption::stability_magnitude);
}
void split_stability_cells(std::vector<std::string>& cells,
                           const std::optional<PassStability>& pass, const NumberLocale& locale);

} // namespace calc
