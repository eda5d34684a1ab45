// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/system.h"

#include "calc/problem/expression.h"
#include "calc/text/labels.h"
#include "calc/text/warnings.h"

#include <utility>

namespace calc {

namespace {

// The names that the formulas of the form may use, in the order of the block of values:
// x, y1 … yn, or x, y and y'.
std::vector<std::string> variables_of(SystemForm form, std::size_t size) {
    std::vector<std::string> names{std::string(caption::x)};
    for (std::size_t i = 0; i < size; ++i) {
        names.push_back(component_name(form, i));
    }
    return names;
}

// How many formulas the form takes: 2 to 4 of the first order, one of the second.
std::size_t fewest_formulas(SystemForm form) {
    return form == SystemForm::second_order ? 1 : 2;
}

std::size_t most_formulas(SystemForm form) {
    return form == SystemForm::second_order ? 1 : max_components;
}

} // namespace

struct System::Formulas {
    SystemForm form;
    std::size_t size;
    std::vector<std::string> texts;
    std::optional<SystemExampleId> known;
    FormulaSet set;
};

System::System(std::unique_ptr<Formulas> formulas) : m_formulas(std::move(formulas)) {}

System::System(const System& other)
    : m_formulas(other.m_formulas ? std::make_unique<Formulas>(*other.m_formulas) : nullptr) {}

System& System::operator=(const System& other) {
    if (this != &other) {
        *this = System(other);
    }
    return *this;
}

System::System(System&&) noexcept = default;
System& System::operator=(System&&) noexcept = default;
System::~System() = default;

std::variant<System, SystemParseError> System::parse(SystemForm form,
                                                     const std::vector<std::string>& formulas,
                                                     const NumberLocale& locale) {
    // A formula that is not there is empty; one more than the form has is not read at all.
    if (formulas.size() < fewest_formulas(form)) {
        return SystemParseError{formulas.size(), ParseError{std::string(formula_reason::empty), 1}};
    }
    if (formulas.size() > most_formulas(form)) {
        return SystemParseError{most_formulas(form),
                                ParseError{std::string(formula_reason::unreadable), 1}};
    }
    const std::size_t size = form == SystemForm::second_order ? 2 : formulas.size();
    auto set = FormulaSet::parse(formulas, variables_of(form, size), locale,
                                 NameSpelling::with_apostrophe);
    if (auto* refusal = std::get_if<FormulaSet::Refusal>(&set)) {
        return SystemParseError{refusal->formula, std::move(refusal->error)};
    }
    std::vector<std::string> texts;
    for (const std::string& formula : formulas) {
        texts.emplace_back(trimmed(formula));
    }
    const std::optional<SystemExampleId> known = find_example(form, formulas, locale);
    return System(std::make_unique<Formulas>(
        Formulas{form, size, std::move(texts), known, std::move(std::get<FormulaSet>(set))}));
}

SystemForm System::form() const {
    return m_formulas ? m_formulas->form : SystemForm::first_order;
}

std::size_t System::size() const {
    return m_formulas ? m_formulas->size : 0;
}

const std::vector<std::string>& System::texts() const {
    static const std::vector<std::string> none;
    return m_formulas ? m_formulas->texts : none;
}

std::optional<SystemExampleId> System::known() const {
    return m_formulas ? m_formulas->known : std::nullopt;
}

Vector System::operator()(double x, const Vector& y) const {
    return evaluator()(x, y);
}

System::Evaluator System::evaluator() const {
    if (!m_formulas) {
        return Evaluator(nullptr, 0, false);
    }
    return Evaluator(&m_formulas->set, m_formulas->size,
                     m_formulas->form == SystemForm::second_order);
}

std::string component_name(SystemForm form, std::size_t i) {
    std::string name(component_label::stem);
    if (form == SystemForm::second_order) {
        if (i > 0) {
            name += component_label::prime;
        }
        return name;
    }
    name += std::to_string(i + 1);
    return name;
}

std::string derivative_name(SystemForm form, std::size_t i) {
    if (form == SystemForm::second_order) {
        std::string name(component_label::stem);
        name += component_label::prime;
        name += component_label::prime;
        return name;
    }
    return component_name(form, i) + std::string(component_label::prime);
}

} // namespace calc
