// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/expression.h"

#include "calc/problem/reader_parts.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace calc {

using namespace reader_parts;

namespace {

// Whether a formula can stand beside others in one text of the library's, the formulas
// separated by the argument separator: its parentheses are balanced and it holds no separator
// outside them, so that the separators outside parentheses are exactly those between formulas.
bool stands_alone(std::string_view text, char separator) {
    int depth = 0;
    for (const char c : text) {
        if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth < 0) {
            return false;
        } else if (c == separator && depth == 0) {
            return false;
        }
    }
    return depth == 0;
}

// Reads one formula by itself, to tell why a set of formulas is refused.
std::optional<ParseError> read_alone(std::string_view text,
                                     const std::vector<std::string>& variables, char decimal,
                                     char separator, NameSpelling spelling) {
    try {
        std::vector<double> values(std::max<std::size_t>(variables.size(), 1));
        Parser parser(decimal, separator, variables, values.data(), spelling);
        parser.SetExpr(std::string(text));
        parser.Eval();
        if (parser.GetNumResults() > 1) {
            return ParseError{std::string(reason::separator_outside),
                              stray_separator(text, separator)};
        }
        return std::nullopt;
    } catch (const mu::ParserError& error) {
        return explain(error, text, spelling);
    } catch (const std::exception&) {
        return ParseError{std::string(reason::unreadable), 1};
    }
}

} // namespace

// The formulas are read as one text of the library's, "f1,f2,…" with the argument separator
// between them, by one parser on one block of values: one evaluation gives every formula's
// value, and a set costs the reading of one formula, not of n.
struct FormulaSet::Readers {
    Readers(std::vector<std::string> texts_, std::vector<std::string> variables_, char decimal_,
            char separator_, NameSpelling spelling_)
        : texts(std::move(texts_)), variables(std::move(variables_)), decimal(decimal_),
          separator(separator_), spelling(spelling_),
          values(std::max<std::size_t>(variables.size(), 1)),
          parser(decimal, separator, variables, values.data(), spelling) {
        if (!texts.empty()) {
            std::string joined;
            for (const std::string& text : texts) {
                if (!joined.empty()) {
                    joined += separator;
                }
                joined += text;
            }
            parser.SetExpr(joined);
            // The library reads the formulas on their first evaluation.
            parser.Eval();
        }
    }

    std::vector<std::string> texts;
    std::vector<std::string> variables;
    char decimal;
    char separator;
    NameSpelling spelling;
    // The block of values that the parser reads, one a name; its size never changes, so the
    // addresses given to the parser stay valid.
    std::vector<double> values;
    Parser parser;
};

FormulaSet::FormulaSet(std::unique_ptr<Readers> readers) : m_readers(std::move(readers)) {}

FormulaSet::FormulaSet(const FormulaSet& other)
    : m_readers(other.m_readers ? std::make_unique<Readers>(
                                      other.m_readers->texts, other.m_readers->variables,
                                      other.m_readers->decimal, other.m_readers->separator,
                                      other.m_readers->spelling)
                                : nullptr) {}

FormulaSet& FormulaSet::operator=(const FormulaSet& other) {
    if (this != &other) {
        *this = FormulaSet(other);
    }
    return *this;
}

FormulaSet::FormulaSet(FormulaSet&&) noexcept = default;
FormulaSet& FormulaSet::operator=(FormulaSet&&) noexcept = default;
FormulaSet::~FormulaSet() = default;

std::variant<FormulaSet, FormulaSet::Refusal>
FormulaSet::parse(const std::vector<std::string>& texts, std::vector<std::string> variables,
                  const NumberLocale& locale, NameSpelling spelling) {
    const char decimal = locale.decimal_separator == "," ? ',' : '.';
    const char separator = list_separator(locale);
    bool joinable = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (auto refused = check_characters(texts[i], decimal, separator, spelling)) {
            return Refusal{i, std::move(*refused)};
        }
        joinable = joinable && stands_alone(texts[i], separator);
    }
    if (joinable) {
        try {
            auto readers =
                std::make_unique<Readers>(texts, variables, decimal, separator, spelling);
            if (texts.empty() ||
                readers->parser.GetNumResults() == static_cast<int>(texts.size())) {
                return FormulaSet(std::move(readers));
            }
        } catch (const mu::ParserError&) {
            // Refused together: each formula alone tells which and why.
        } catch (const std::exception&) {
            // As above.
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (auto refused = read_alone(texts[i], variables, decimal, separator, spelling)) {
            return Refusal{i, std::move(*refused)};
        }
    }
    // Formulas that each read and stand alone read together; should they not, none is blamed.
    return Refusal{0, ParseError{std::string(reason::unreadable), 1}};
}

std::size_t FormulaSet::size() const {
    return m_readers ? m_readers->texts.size() : 0;
}

double* FormulaSet::values() const {
    return m_readers && !m_readers->texts.empty() ? m_readers->values.data() : nullptr;
}

void FormulaSet::evaluate_block(double* out) const {
    const std::size_t count = m_readers ? m_readers->texts.size() : 0;
    if (count == 0) {
        return;
    }
    if (count == 1) {
        out[0] = m_readers->parser.Eval();
        return;
    }
    int results = 0;
    const double* value = m_readers->parser.Eval(results);
    // parse() accepted the formulas only as one result each; a formula without one is undefined.
    const std::size_t written = std::min(count, static_cast<std::size_t>(std::max(results, 0)));
    for (std::size_t i = 0; i < written; ++i) {
        out[i] = value[i];
    }
    for (std::size_t i = written; i < count; ++i) {
        out[i] = std::numeric_limits<double>::quiet_NaN();
    }
}

void FormulaSet::evaluate(std::span<const double> values, std::span<double> out) const {
    double* const block = this->values();
    if (!block || out.empty()) {
        std::fill(out.begin(), out.end(), std::numeric_limits<double>::quiet_NaN());
        return;
    }
    // A handful of values: plain loops, which cost less than a call to copy them.
    const std::size_t places = m_readers->values.size();
    const std::size_t given = std::min(values.size(), places);
    for (std::size_t i = 0; i < given; ++i) {
        block[i] = values[i];
    }
    for (std::size_t i = given; i < places; ++i) {
        block[i] = 0.0;
    }
    if (out.size() >= size()) {
        evaluate_block(out.data());
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(size()), out.end(),
                  std::numeric_limits<double>::quiet_NaN());
        return;
    }
    // Fewer places than formulas: every formula is evaluated at once all the same.
    std::vector<double> all(size());
    evaluate_block(all.data());
    std::copy_n(all.begin(), out.size(), out.begin());
}

} // namespace calc
