// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a right-hand side, as an exact solution and as the formulas of a
// system, in both kinds of locale.
//
// The first byte chooses: bit 0 the German locale, else the English; bit 2 a system, else bit 1
// an exact solution, else a right-hand side. For a system, bit 3 chooses the second-order form
// and the bits from 4 the method (modulo the number of methods); the rest of the input is its
// formulas, split at the first three newlines (a newline is a control character, which no formula
// holds).
#include "calc/analysis/system_course.h"
#include "calc/calculate.h"
#include "calc/problem/equation.h"
#include "calc/system_calculate.h"
#include "calc/text/labels.h"
#include "tests/test_locales.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

[[noreturn]] void fail(const char* broken, std::string_view text) {
    std::fprintf(stderr, "%s: [%.*s]\n", broken, static_cast<int>(text.size()), text.data());
    std::abort();
}

void check_refusal(const calc::ParseError& error, std::string_view text) {
    if (error.reason.empty()) {
        fail("a refusal without a reason", text);
    }
    if (error.position < 1 || static_cast<std::size_t>(error.position) > text.size() + 1) {
        fail("a position outside the text", text);
    }
    // However bytes are grouped into characters, there are no more of them than bytes.
    if (text.size() <= static_cast<std::size_t>(calc::formula_length_limit) &&
        error.reason == "zu lang") {
        fail("a short text refused as too long", text);
    }
}

void check_equation(std::string_view text, const calc::NumberLocale& locale) {
    const auto parsed = calc::Equation::parse(text, locale);
    if (const auto* error = std::get_if<calc::ParseError>(&parsed)) {
        check_refusal(*error, text);
        return;
    }
    const auto& f = std::get<calc::Equation>(parsed);
    const calc::Equation copy = f;
    for (const double x : {0.0, -1.5, 2.0}) {
        const double value = f(x, 0.5);
        if (std::bit_cast<std::uint64_t>(copy(x, 0.5)) != std::bit_cast<std::uint64_t>(value)) {
            fail("a copy that evaluates differently", text);
        }
    }
    // A whole press with the formula answers, whatever it computes.
    const calc::Outcome outcome =
        calc::calculate(calc::Task({"20", "0", "1", "1"}, std::string(text)), locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome);
        warning && warning->text.empty()) {
        fail("an empty warning", text);
    }
}

void check_exact(std::string_view text, const calc::NumberLocale& locale) {
    const auto parsed = calc::ExactSolution::parse(text, locale);
    if (const auto* error = std::get_if<calc::ParseError>(&parsed)) {
        check_refusal(*error, text);
        return;
    }
    if (const auto y = std::get<calc::ExactSolution>(parsed).at(0, 1, 0.5);
        y && !std::isfinite(*y)) {
        fail("a non-finite exact value", text);
    }
}

// At most four formulas: the text up to each of the first three newlines, then the rest.
std::vector<std::string> formulas_of(std::string_view text) {
    std::vector<std::string> formulas;
    while (formulas.size() + 1 < calc::max_components) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            break;
        }
        formulas.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    formulas.emplace_back(text);
    return formulas;
}

bool same_bits(const calc::Vector& a, const calc::Vector& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) {
            return false;
        }
    }
    return true;
}

// The line of a press, as the run's end point gives it.
std::string line_at(const calc::SystemPoint& point, const calc::NumberLocale& locale) {
    std::string line(calc::line_text::x_lead);
    line += calc::format_00_0(point.x, locale);
    line += calc::line_text::y_lead;
    line += calc::components_text(point.y, locale);
    return line;
}

// The entries around the formulas are fixed and valid, so that a warning can only be about the
// formulas or an overflow; a line's course must end where the line's run ended.
void check_system(std::string_view text, calc::SystemForm form, calc::Method method,
                  const calc::NumberLocale& locale) {
    const std::vector<std::string> formulas = formulas_of(text);
    const calc::SystemTask task{form, formulas, {"1", "0", "2", "-1"}, "0", "1", "12", method,
                                {},   {}};
    const calc::SystemOutcome outcome = calc::calculate_system(task, locale);
    if (const auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        if (warning->text.empty()) {
            fail("an empty warning of a system", text);
        }
        if (warning->field && *warning->field != calc::SystemField::formula) {
            fail("a warning about a field that holds a valid entry", text);
        }
        if (warning->field && warning->index >= calc::max_components) {
            fail("a warning about a formula the system cannot have", text);
        }
        return;
    }
    const auto& line = std::get<calc::SystemLine>(outcome);
    const std::size_t size = form == calc::SystemForm::second_order ? 2 : formulas.size();
    if (line.system.size() != size || line.numbers.aw.size() != size ||
        line.system.texts().size() != formulas.size()) {
        fail("a system of the wrong size", text);
    }
    if (!line.text.starts_with(calc::line_text::x_lead) || calc::system_tooltip(line).empty()) {
        fail("a system's line without its text", text);
    }
    const calc::System copy = line.system;
    const calc::Vector at{{0.5, -1.5, 2, 0.25}, size};
    if (!same_bits(copy(0.75, at), line.system(0.75, at))) {
        fail("a copy of a system that evaluates differently", text);
    }
    const calc::SystemCourse course = calc::build_system_course(line, calc::CourseOrder::left_out);
    if (course.rows.size() != static_cast<std::size_t>(course.steps.passes) + 1 ||
        line_at(course.rows.back().point, locale) != line.text) {
        fail("a course that does not end on its line", text);
    }
    const std::size_t columns = calc::system_course_columns(course).size();
    for (const calc::SystemCourseRow& row : course.rows) {
        if (calc::system_course_cells(course, row, locale).size() != columns) {
            fail("a course row of the wrong width", text);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const calc::NumberLocale& locale =
        (data[0] & 1) != 0 ? test_locales::german : test_locales::english;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 4) != 0) {
        const calc::SystemForm form =
            (data[0] & 8) != 0 ? calc::SystemForm::second_order : calc::SystemForm::first_order;
        const auto method = static_cast<calc::Method>((data[0] >> 4) % calc::method_table.size());
        check_system(text, form, method, locale);
    } else if ((data[0] & 2) != 0) {
        check_exact(text, locale);
    } else {
        check_equation(text, locale);
    }
    return 0;
}
