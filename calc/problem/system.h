// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/state.h"
#include "calc/problem/expression.h"
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

    // f(x, y) for a run's loop, as operator() gives it: x and y are written straight into the
    // formulas' block of values, the formulas evaluated in one call, and y1' = y2 of the
    // second-order form taken as it stands. It is used while the system lives, on the thread
    // that evaluates the system (a copy of the system has its own block).
    class Evaluator {
    public:
        Vector operator()(double x, const Vector& y) const {
            if (!m_values) {
                return Vector{};
            }
            Vector slope{{}, m_size};
            // The block holds x and m_size components, no more: a loop of that length would be
            // a call to copy memory, the cases are four stores at most.
            m_values[0] = x;
            switch (m_size) {
            case 4:
                m_values[4] = y[3];
                [[fallthrough]];
            case 3:
                m_values[3] = y[2];
                [[fallthrough]];
            case 2:
                m_values[2] = y[1];
                [[fallthrough]];
            case 1:
                m_values[1] = y[0];
                break;
            default:
                break;
            }
            if (m_second_order) {
                slope[0] = y[1];
                m_set->evaluate_block(&slope[1]);
            } else {
                m_set->evaluate_block(slope.c.data());
            }
            return slope;
        }

    private:
        friend class System;
        Evaluator(const FormulaSet* set, std::size_t size, bool second_order)
            : m_set(set), m_values(set ? set->values() : nullptr), m_size(size),
              m_second_order(second_order) {}

        const FormulaSet* m_set;
        double* m_values; // x, then the components: null for a system without formulas
        std::size_t m_size;
        bool m_second_order;
    };
    Evaluator evaluator() const;

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
