// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/stability.h"

#include "calc/analysis/stability_rational.h"
#include "calc/core/jacobian.h"
#include "calc/core/pairs/bogacki_shampine.h"
#include "calc/core/pairs/dormand_prince.h"
#include "calc/core/pairs/fehlberg.h"
#include "calc/core/tableaus.h"
#include "calc/text/labels.h"
#include "calc/text/stability_texts.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace calc {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

using rational::Coefficients;
using rational::horner;
using rational::max_degree;
using rational::Rational;

// A tableau of any of the eleven, its A and b up to max_stages stages.
struct AnyTableau {
    std::size_t stages = 0;
    std::array<std::array<double, max_stages>, max_stages> a{};
    std::array<double, max_stages> b{};

    bool is_explicit() const {
        for (std::size_t i = 0; i < stages; ++i) {
            for (std::size_t j = i; j < stages; ++j) {
                if (a[i][j] != 0) {
                    return false;
                }
            }
        }
        return true;
    }
};

AnyTableau any_tableau(const Tableau& t) {
    AnyTableau out;
    out.stages = t.stages;
    for (std::size_t i = 0; i < t.stages; ++i) {
        for (std::size_t j = 0; j < t.stages; ++j) {
            out.a[i][j] = t.a[i][j];
        }
        out.b[i] = t.b[i];
    }
    return out;
}

template <std::size_t S> AnyTableau any_tableau(const PairTable<S>& t) {
    AnyTableau out;
    out.stages = S;
    for (std::size_t i = 0; i < S; ++i) {
        for (std::size_t j = 0; j < S; ++j) {
            out.a[i][j] = t.a[i][j];
        }
        out.b[i] = t.b[i];
    }
    return out;
}

AnyTableau pair_tableau(Pair pair) {
    switch (pair) {
    case Pair::bs23:
        return any_tableau(pairs::bogacki_shampine);
    case Pair::rkf45:
        return any_tableau(pairs::fehlberg);
    case Pair::dopri5:
        break;
    }
    return any_tableau(pairs::dormand_prince);
}

// Drops the rounding noise of the coefficients and finds the degree: a coefficient within 1e-13
// of a fraction n/d with d ≤ 1000 becomes that fraction, so that Q is 0 at its poles.
std::size_t clean(Coefficients& c) {
    std::size_t degree = 0;
    for (std::size_t k = 0; k < c.size(); ++k) {
        for (int d = 1; d <= 1000; ++d) {
            const double n = std::round(c[k] * d);
            if (std::fabs(c[k] - n / d) < 1e-13) {
                c[k] = n / d;
                break;
            }
        }
        if (c[k] != 0) {
            degree = k;
        }
    }
    return degree;
}

// 1 + Σ_j (bᵀA^(j-1)𝟙) z^j of an explicit tableau.
Rational explicit_rational(const AnyTableau& t) {
    Rational r;
    std::array<double, max_stages> v{};
    std::fill_n(v.begin(), t.stages, 1.0);
    r.p[0] = 1;
    for (std::size_t j = 1; j <= t.stages; ++j) {
        double c = 0;
        for (std::size_t i = 0; i < t.stages; ++i) {
            c += t.b[i] * v[i];
        }
        r.p[j] = c;
        std::array<double, max_stages> next{};
        for (std::size_t i = 0; i < t.stages; ++i) {
            for (std::size_t l = 0; l < t.stages; ++l) {
                next[i] += t.a[i][l] * v[l];
            }
        }
        v = next;
    }
    r.q[0] = 1;
    r.p_degree = clean(r.p);
    r.q_degree = 0;
    return r;
}

// P = det(I - zA + z𝟙bᵀ) and Q = det(I - zA), each of degree at most `stages`, from their values
// at the N-th roots of unity, N > stages: c_k = (1/N) Σ_m f(ω^m) ω^(-mk).
Rational implicit_rational(const AnyTableau& t) {
    const auto n = static_cast<Eigen::Index>(t.stages);
    constexpr std::size_t roots = max_degree + 1;
    std::array<std::complex<double>, roots> p_values{};
    std::array<std::complex<double>, roots> q_values{};
    std::array<std::complex<double>, roots> w{};
    for (std::size_t m = 0; m < roots; ++m) {
        w[m] = std::polar(1.0, 2 * std::numbers::pi * static_cast<double>(m) /
                                   static_cast<double>(roots));
        Eigen::MatrixXcd q_matrix = Eigen::MatrixXcd::Identity(n, n);
        Eigen::MatrixXcd p_matrix = q_matrix;
        for (Eigen::Index i = 0; i < n; ++i) {
            for (Eigen::Index j = 0; j < n; ++j) {
                const auto ui = static_cast<std::size_t>(i);
                const auto uj = static_cast<std::size_t>(j);
                q_matrix(i, j) -= w[m] * t.a[ui][uj];
                p_matrix(i, j) += w[m] * (t.b[uj] - t.a[ui][uj]);
            }
        }
        q_values[m] = q_matrix.determinant();
        p_values[m] = p_matrix.determinant();
    }
    Rational r;
    for (std::size_t k = 0; k < roots; ++k) {
        std::complex<double> p_sum = 0;
        std::complex<double> q_sum = 0;
        for (std::size_t m = 0; m < roots; ++m) {
            const std::complex<double> back = std::conj(w[(m * k) % roots]);
            p_sum += p_values[m] * back;
            q_sum += q_values[m] * back;
        }
        r.p[k] = p_sum.real() / static_cast<double>(roots);
        r.q[k] = q_sum.real() / static_cast<double>(roots);
    }
    r.p_degree = clean(r.p);
    r.q_degree = clean(r.q);
    return r;
}

Rational rational_of(const AnyTableau& t) {
    return t.is_explicit() ? explicit_rational(t) : implicit_rational(t);
}

constexpr std::size_t scheme_total = method_table.size() + pair_table.size();

const std::array<Rational, scheme_total>& rationals() {
    static const std::array<Rational, scheme_total> table = [] {
        std::array<Rational, scheme_total> out;
        for (const MethodInfo& info : method_table) {
            out[boundary_index(info.id)] = rational_of(any_tableau(tableau_of(info.id)));
        }
        for (const PairInfo& info : pair_table) {
            out[boundary_index(info.id)] = rational_of(pair_tableau(info.id));
        }
        return out;
    }();
    return table;
}

Complex evaluate(const Rational& r, Complex z) {
    const Complex q = horner(r.q, r.q_degree, z);
    if (q == Complex(0, 0)) {
        return {infinity, 0};
    }
    return horner(r.p, r.p_degree, z) / q;
}

double magnitude(const Rational& r, Complex z) {
    const double q = std::abs(horner(r.q, r.q_degree, z));
    if (q == 0) {
        return infinity;
    }
    return std::abs(horner(r.p, r.p_degree, z)) / q;
}

// The roots of Q, from the eigenvalues of its companion matrix.
std::vector<Complex> denominator_roots(const Rational& r) {
    const std::size_t d = r.q_degree;
    if (d == 0) {
        return {};
    }
    const auto n = static_cast<Eigen::Index>(d);
    Eigen::MatrixXd companion = Eigen::MatrixXd::Zero(n, n);
    for (Eigen::Index i = 1; i < n; ++i) {
        companion(i, i - 1) = 1;
    }
    for (Eigen::Index i = 0; i < n; ++i) {
        companion(i, n - 1) = -r.q[static_cast<std::size_t>(i)] / r.q[d];
    }
    const Eigen::EigenSolver<Eigen::MatrixXd> solver(companion, false);
    std::vector<Complex> roots;
    for (Eigen::Index i = 0; i < n; ++i) {
        roots.push_back(solver.eigenvalues()(i));
    }
    return roots;
}

// |R| ≤ 1 on the left half-plane: no pole there, |R(iy)| ≤ 1 on the imaginary axis and at
// infinity (for real coefficients |R(-iy)| = |R(iy)|, so y ≥ 0 suffices).
bool is_a_stable(const Rational& r) {
    if (r.p_degree > r.q_degree) {
        return false;
    }
    if (r.p_degree == r.q_degree && std::fabs(r.p[r.p_degree]) > std::fabs(r.q[r.q_degree])) {
        return false;
    }
    for (const Complex& root : denominator_roots(r)) {
        if (root.real() <= 0) {
            return false;
        }
    }
    constexpr double slack = 1e-9;
    for (double y = 0; y <= 10; y += 0.01) {
        if (magnitude(r, {0, y}) > 1 + slack) {
            return false;
        }
    }
    for (double y = 10; y <= 1e8; y *= 1.01) {
        if (magnitude(r, {0, y}) > 1 + slack) {
            return false;
        }
    }
    return true;
}

// The first s > 0 with |R(-s)| > 1 on a fine scan, then bisection down to the crossing.
double interval_left(const Rational& r) {
    const auto outside = [&r](double s) { return magnitude(r, {-s, 0}) > 1; };
    constexpr double step = 1e-3;
    constexpr int fine_steps = 20000;
    double below = 0;
    std::optional<double> above;
    for (int k = 1; k <= fine_steps && !above; ++k) {
        const double s = k * step;
        if (outside(s)) {
            above = s;
        } else {
            below = s;
        }
    }
    for (double s = fine_steps * step * 1.01; s <= 1e8 && !above; s *= 1.01) {
        if (outside(s)) {
            above = s;
        } else {
            below = s;
        }
    }
    if (!above) {
        return -infinity;
    }
    double hi = *above;
    for (int i = 0; i < 100 && hi - below > 1e-13 * hi; ++i) {
        const double mid = (below + hi) / 2;
        (outside(mid) ? hi : below) = mid;
    }
    return -below;
}

StabilityInterval interval_of(const Rational& r) {
    const bool a_stable = is_a_stable(r);
    return {interval_left(r), a_stable, a_stable && r.p_degree < r.q_degree};
}

} // namespace

std::size_t boundary_index(Method method) {
    return static_cast<std::size_t>(method);
}

std::size_t boundary_index(Pair pair) {
    return method_table.size() + static_cast<std::size_t>(pair);
}

Complex stability_function(Method method, Complex z) {
    return evaluate(rationals()[boundary_index(method)], z);
}

Complex stability_function(Pair pair, Complex z) {
    return evaluate(rationals()[boundary_index(pair)], z);
}

double stability_magnitude(Method method, Complex z) {
    return magnitude(rationals()[boundary_index(method)], z);
}

double stability_magnitude(Pair pair, Complex z) {
    return magnitude(rationals()[boundary_index(pair)], z);
}

StabilityInterval stability_interval(Method method) {
    return interval_of(rationals()[boundary_index(method)]);
}

StabilityInterval stability_interval(Pair pair) {
    return interval_of(rationals()[boundary_index(pair)]);
}

std::string stability_formula(Method method, const NumberLocale& locale) {
    return rational::formula_of(rationals()[boundary_index(method)], locale);
}

std::string stability_formula(Pair pair, const NumberLocale& locale) {
    return rational::formula_of(rationals()[boundary_index(pair)], locale);
}

std::string interval_text(const StabilityInterval& interval, const NumberLocale& locale) {
    std::string text(stability_text::interval_lead);
    if (std::isinf(interval.left)) {
        text += stability_text::interval_unbounded;
    } else {
        text += stability_text::interval_open;
        if (interval.left < 0) {
            text += stability_text::minus_sign;
        }
        text += format_fixed(std::fabs(interval.left), 4, locale);
    }
    text += stability_text::interval_close;
    return text;
}

std::string stiffness_text(const StabilityInterval& interval) {
    if (interval.l_stable) {
        return std::string(stability_text::l_stable);
    }
    return interval.a_stable ? std::string(stability_text::a_stable) : std::string();
}

std::vector<StabilityBoundary> compute_stability_boundaries() {
    std::vector<StabilityBoundary> out;
    out.reserve(scheme_total);
    for (const Rational& r : rationals()) {
        out.push_back(rational::boundary_of(r));
    }
    return out;
}

const std::vector<StabilityBoundary>& stability_boundaries() {
    static const std::vector<StabilityBoundary> boundaries = compute_stability_boundaries();
    return boundaries;
}

} // namespace calc
