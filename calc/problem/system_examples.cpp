// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/system_examples.h"

#include "calc/text/labels.h"

#include <cmath>

namespace calc {

namespace {

using Form = SystemForm;
using Id = SystemExampleId;

// The oscillator typed as two equations of first order: y1 = y, y2 = y'.
constexpr std::array<std::string_view, 2> oscillator_as_system = {"y2", "-y1"};

// The decimal separator that the formula reader reads in the locale: a comma where the locale
// writes one, else the point.
char formula_decimal(const NumberLocale& locale) {
    return locale.decimal_separator == "," ? ',' : '.';
}

// The formula with its decimal points written as the formula reader reads them in the locale.
std::string in_locale(std::string_view formula, const NumberLocale& locale) {
    const char decimal = formula_decimal(locale);
    std::string text(formula);
    for (char& c : text) {
        if (c == '.') {
            c = decimal;
        }
    }
    return text;
}

// Whether the typed text is the formula written in the locale, blanks aside; compared in place,
// as every system read is compared with every example.
bool same_formula(std::string_view typed, std::string_view formula, const NumberLocale& locale) {
    const char decimal = formula_decimal(locale);
    std::size_t at = 0;
    for (const char c : typed) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        if (at == formula.size() || c != (formula[at] == '.' ? decimal : formula[at])) {
            return false;
        }
        ++at;
    }
    return at == formula.size();
}

// Whether the typed formulas are `formulas` in the locale, blanks aside.
template <std::size_t N>
bool same_formulas(const std::vector<std::string>& typed,
                   const std::array<std::string_view, N>& formulas, std::size_t count,
                   const NumberLocale& locale) {
    if (typed.size() != count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!same_formula(typed[i], formulas[i], locale)) {
            return false;
        }
    }
    return true;
}

std::optional<Vector> finite_or_none(const Vector& v) {
    return finite(v) ? std::optional<Vector>(v) : std::nullopt;
}

std::optional<double> finite_or_none(double v) {
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

} // namespace

const std::array<SystemExample, 9> system_examples = {{
    {Id::oscillator,
     example_name::oscillator,
     Form::second_order,
     2,
     {"-y"},
     0,
     10,
     {1, 0},
     100,
     true,
     true,
     std::nullopt,
     {},
     std::nullopt},
    {Id::pendulum,
     example_name::pendulum,
     Form::second_order,
     2,
     {"-sin(y)"},
     0,
     20,
     {1, 0},
     200,
     false,
     true,
     std::nullopt,
     {},
     std::nullopt},
    {Id::van_der_pol,
     example_name::van_der_pol,
     Form::second_order,
     2,
     {"(1-y^2)*y'-y"},
     0,
     20,
     {2, 0},
     400,
     false,
     false,
     std::nullopt,
     {},
     std::nullopt},
    {Id::predator_prey,
     example_name::predator_prey,
     Form::first_order,
     2,
     {"y1-y1*y2", "y1*y2-y2"},
     0,
     20,
     {2, 1},
     200,
     false,
     true,
     std::nullopt,
     {},
     std::nullopt},
    {Id::circuit,
     example_name::circuit,
     Form::first_order,
     2,
     {"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"},
     0,
     0.5,
     {0, 0},
     5,
     true,
     false,
     std::nullopt,
     {},
     std::nullopt},
    {Id::lorenz,
     example_name::lorenz,
     Form::first_order,
     3,
     {"10*(y2-y1)", "y1*(28-y3)-y2", "y1*y2-8/3*y3"},
     0,
     20,
     {1, 1, 1},
     4000,
     false,
     false,
     std::nullopt,
     {},
     std::nullopt},
    {Id::kepler,
     example_name::kepler,
     Form::first_order,
     4,
     {"y3", "y4", "-y1/(y1^2+y2^2)^(3/2)", "-y2/(y1^2+y2^2)^(3/2)"},
     0,
     20,
     {1, 0, 0, 1},
     2000,
     false,
     true,
     std::nullopt,
     {},
     std::nullopt},
    // The restricted three-body problem of a satellite near earth (mass 1 - mu) and moon (mu) in
    // the frame that turns with them; from this start the orbit is periodic with period og.
    {Id::arenstorf,
     example_name::arenstorf,
     Form::first_order,
     4,
     {"y3", "y4",
      "y1+2*y4-0.987722529*(y1+0.012277471)/((y1+0.012277471)^2+y2^2)^(3/2)"
      "-0.012277471*(y1-0.987722529)/((y1-0.987722529)^2+y2^2)^(3/2)",
      "y2-2*y3-0.987722529*y2/((y1+0.012277471)^2+y2^2)^(3/2)"
      "-0.012277471*y2/((y1-0.987722529)^2+y2^2)^(3/2)"},
     0,
     17.0652165601579625588917206249,
     {0.994, 0, 0, -2.00158510637908252240537862224},
     5000,
     false,
     false,
     Pair::dopri5,
     "1E-7",
     std::nullopt},
    // A fast component that decays like e^(-1000 x) beside a slow one like e^(-x): the matrix
    // ((998, 1998), (-999, -1999)) has the eigenvalues -1 and -1000.
    {Id::stiff,
     example_name::stiff,
     Form::first_order,
     2,
     {"998*y1+1998*y2", "-999*y1-1999*y2"},
     0,
     1,
     {1, 0},
     20,
     true,
     false,
     std::nullopt,
     {},
     Method::implicit_euler},
}};

const SystemExample& system_example(SystemExampleId id) {
    return system_examples[static_cast<std::size_t>(id)];
}

std::size_t formula_count(const SystemExample& example) {
    return example.form == SystemForm::second_order ? 1 : example.size;
}

std::vector<std::string> example_formulas(const SystemExample& example,
                                          const NumberLocale& locale) {
    std::vector<std::string> formulas;
    for (std::size_t i = 0; i < formula_count(example); ++i) {
        formulas.push_back(in_locale(example.formulas[i], locale));
    }
    return formulas;
}

std::optional<SystemExampleId> find_example(SystemForm form,
                                            const std::vector<std::string>& formulas,
                                            const NumberLocale& locale) {
    for (const SystemExample& example : system_examples) {
        if (example.form == form &&
            same_formulas(formulas, example.formulas, formula_count(example), locale)) {
            return example.id;
        }
    }
    if (form == SystemForm::first_order &&
        same_formulas(formulas, oscillator_as_system, oscillator_as_system.size(), locale)) {
        return SystemExampleId::oscillator;
    }
    return std::nullopt;
}

std::optional<Vector> exact_system_solution(SystemExampleId id, double ug, const Vector& aw,
                                            double x) {
    if (aw.size() != system_example(id).size) {
        return std::nullopt;
    }
    const double t = x - ug;
    switch (id) {
    case Id::oscillator: {
        // y = aw cos t + aw' sin t, y' = -aw sin t + aw' cos t.
        const double c = std::cos(t);
        const double s = std::sin(t);
        return finite_or_none(Vector{{aw[0] * c + aw[1] * s, -aw[0] * s + aw[1] * c}, 2});
    }
    case Id::circuit: {
        // y - y* = c1 (3; 2) e^(-2t) + c2 (5; 6) e^(-0.4t) with the equilibrium y* = (1.5; 0):
        // (3; 2) and (5; 6) are the eigenvectors of the matrix ((-4, 3), (-2.4, 1.6)) to -2 and
        // -0.4, and c1, c2 solve c1 (3; 2) + c2 (5; 6) = aw - y*.
        const double d1 = aw[0] - 1.5;
        const double d2 = aw[1] - 0.0;
        const double c1 = (6 * d1 - 5 * d2) / 8;
        const double c2 = (3 * d2 - 2 * d1) / 8;
        const double fast = std::exp(-2 * t);
        const double slow = std::exp(-0.4 * t);
        return finite_or_none(Vector{
            {1.5 + (c1 * 3 * fast + c2 * 5 * slow), 0.0 + (c1 * 2 * fast + c2 * 6 * slow)}, 2});
    }
    case Id::stiff: {
        // y = (aw1 + aw2) (2; -1) e^(-t) + (-aw1 - 2 aw2) (1; -1) e^(-1000 t): (2; -1) and
        // (1; -1) are the eigenvectors to -1 and -1000.
        const double slow = (aw[0] + aw[1]) * std::exp(-t);
        const double fast = (-aw[0] - 2 * aw[1]) * std::exp(-1000 * t);
        return finite_or_none(Vector{{2 * slow + fast, -slow - fast}, 2});
    }
    case Id::pendulum:
    case Id::van_der_pol:
    case Id::predator_prey:
    case Id::lorenz:
    case Id::kepler:
    case Id::arenstorf:
        break;
    }
    return std::nullopt;
}

std::optional<double> conserved_quantity(SystemExampleId id, const Vector& y) {
    if (y.size() != system_example(id).size) {
        return std::nullopt;
    }
    switch (id) {
    case Id::oscillator:
        // E = (y^2 + y'^2) / 2.
        return finite_or_none((y[0] * y[0] + y[1] * y[1]) / 2);
    case Id::pendulum:
        // E = y'^2 / 2 - cos y.
        return finite_or_none(y[1] * y[1] / 2 - std::cos(y[0]));
    case Id::predator_prey:
        // V = y1 - ln y1 + y2 - ln y2.
        return finite_or_none(y[0] - std::log(y[0]) + y[1] - std::log(y[1]));
    case Id::kepler:
        // E = (y3^2 + y4^2) / 2 - 1 / |(y1; y2)|.
        return finite_or_none((y[2] * y[2] + y[3] * y[3]) / 2 -
                              1 / std::sqrt(y[0] * y[0] + y[1] * y[1]));
    case Id::van_der_pol:
    case Id::circuit:
    case Id::lorenz:
    case Id::arenstorf:
    case Id::stiff:
        break;
    }
    return std::nullopt;
}

} // namespace calc
