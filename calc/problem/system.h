// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/state.h"
#include "calc/problem/parse_error.h"
#include "calc/problem/system_examples.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace calc {

// A formula of a system that could not be read: which one (from 0) and why.
struct SystemParseError {
    std::size_t formula;
    ParseError error;
};

// The right-hand side f(x, y) of a system y' = f(x, y) with y of size() components: for the
// first-order form n formulas in x, y1 … yn, read by the formula reader and sharing one block
// of values; for the second-order form y1' = y2 (compiled, no formula) and y2' = the one formula
// in x, y and y'. Copies are independent.
class System {
public:
    // Reads the formulas as typed in `locale`: 2 to 4 for the first-order form, one for the
    // second-order form. A name the form does not have (y3 in a system of two, y' in a
    // first-order system, y1 or y'' in the second-order form) is an unknown name.
    static std::variant<System, SystemParseError>
    parse(SystemForm form, const std::vector<std::string>& formulas, const NumberLocale& locale);

    System(const System& other);
    System& operator=(const System& other);
    System(System&&) noexcept;
    System& operator=(System&&) noexcept;
    ~System();

    SystemForm form() const;
    // The components of the state: n, or 2 for the second-order form.
    std::size_t size() const;
    // The formulas as typed, without leading and trailing blanks.
    const std::vector<std::string>& texts() const;
    // The example these formulas are, blanks aside; none for any other system.
    std::optional<SystemExampleId> known() const;

    // f(x, y), y of size() components.
    Vector operator()(double x, const Vector& y) const;

private:
    struct Formulas;
    explicit System(std::unique_ptr<Formulas> formulas);
    std::unique_ptr<Formulas> m_formulas;
};

// The name of component i as the program shows it: "y1" … "y4", or "y" and "y'" for the
// second-order form.
std::string component_name(SystemForm form, std::size_t i);

// The name of the derivative that formula i gives: "y1'" … "y4'", or "y''".
std::string derivative_name(SystemForm form, std::size_t i);

} // namespace calc
