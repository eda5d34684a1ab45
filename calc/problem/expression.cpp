// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/expression.h"

#include "calc/text/warnings.h"

#include "calc/problem/reader_parts.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <numbers>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace calc {

using namespace reader_parts;

namespace {

// The values that the two- and three-value forms of evaluate() write, whatever the names.
constexpr std::size_t fixed_values = 3;

// The next reader's number; no two readers get the same, and none gets 0.
std::atomic<std::uint64_t> next_reader_number{1};

} // namespace

struct Expression::Reader {
    Reader(std::string text_, std::vector<std::string> variables_, char decimal_, char separator_)
        : number(next_reader_number.fetch_add(1, std::memory_order_relaxed)),
          owner(std::this_thread::get_id()), text(std::move(text_)),
          variables(std::move(variables_)), decimal(decimal_), separator(separator_),
          values(std::max(variables.size(), fixed_values)),
          parser(decimal, separator, variables, values.data()) {
        parser.SetExpr(text);
    }

    // Everything but the values and the parser's own state is fixed once the reader is made, so
    // any thread may copy it.
    std::uint64_t number;
    std::thread::id owner; // the thread that made the reader: the only one that evaluates it
    std::string text;
    std::vector<std::string> variables;
    char decimal;   // the decimal separator, of one byte
    char separator; // between a function's arguments
    // The block of values that the parser reads, one a name and at least fixed_values; its
    // size never changes, so the addresses given to the parser stay valid.
    std::vector<double> values;
    Parser parser;
    // The copies that other threads evaluate, one a thread; they live as long as this reader.
    std::mutex copies_mutex;
    std::vector<std::pair<std::thread::id, std::unique_ptr<Reader>>> copies;
};

Expression::Expression(std::unique_ptr<Reader> reader) : m_reader(std::move(reader)) {}

Expression::Reader& Expression::reader_on_this_thread() const {
    Reader& own = *m_reader;
    const std::thread::id here = std::this_thread::get_id();
    if (own.owner == here) {
        return own;
    }
    // The copy that this thread evaluated last, found again without the lock: a reader's number
    // is never given again, and its copies live as long as it does.
    thread_local std::uint64_t last_number = 0;
    thread_local Reader* last_copy = nullptr;
    if (last_number == own.number) {
        return *last_copy;
    }
    Reader* copy = nullptr;
    {
        const std::lock_guard lock(own.copies_mutex);
        for (const auto& [thread, reader] : own.copies) {
            if (thread == here) {
                copy = reader.get();
            }
        }
        if (!copy) {
            own.copies.emplace_back(here, std::make_unique<Reader>(own.text, own.variables,
                                                                   own.decimal, own.separator));
            copy = own.copies.back().second.get();
        }
    }
    last_number = own.number;
    last_copy = copy;
    return *copy;
}

Expression::Evaluator Expression::evaluator() const {
    return Evaluator(m_reader ? &reader_on_this_thread() : nullptr);
}

double Expression::Evaluator::evaluate(Reader* reader, double a, double b) {
    if (!reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    reader->values[0] = a;
    reader->values[1] = b;
    return reader->parser.Eval();
}

Expression::Expression(const Expression& other)
    : m_reader(other.m_reader
                   ? std::make_unique<Reader>(other.m_reader->text, other.m_reader->variables,
                                              other.m_reader->decimal, other.m_reader->separator)
                   : nullptr) {}

Expression& Expression::operator=(const Expression& other) {
    if (this != &other) {
        *this = Expression(other);
    }
    return *this;
}

Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

std::variant<Expression, ParseError> Expression::parse(std::string_view text,
                                                       std::vector<std::string> variables,
                                                       const NumberLocale& locale) {
    // The library reads single characters; a decimal separator of several bytes falls back to
    // the point.
    const char decimal = locale.decimal_separator == "," ? ',' : '.';
    const char separator = list_separator(locale);
    if (auto refused = check_characters(text, decimal, separator)) {
        return *refused;
    }
    try {
        auto reader =
            std::make_unique<Reader>(std::string(text), std::move(variables), decimal, separator);
        // The library reads the formula on its first evaluation.
        reader->parser.Eval();
        if (reader->parser.GetNumResults() > 1) {
            return ParseError{std::string(reason::separator_outside),
                              stray_separator(text, separator)};
        }
        return Expression(std::move(reader));
    } catch (const mu::ParserError& error) {
        return explain(error, text);
    } catch (const std::exception&) {
        return ParseError{std::string(reason::unreadable), 1};
    }
}

double Expression::evaluate(double a, double b) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    Reader& reader = reader_on_this_thread();
    reader.values[0] = a;
    reader.values[1] = b;
    return reader.parser.Eval();
}

double Expression::evaluate(double a, double b, double c) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    Reader& reader = reader_on_this_thread();
    reader.values[0] = a;
    reader.values[1] = b;
    reader.values[2] = c;
    return reader.parser.Eval();
}

double Expression::evaluate(std::span<const double> values) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    Reader& reader = reader_on_this_thread();
    std::vector<double>& block = reader.values;
    const std::size_t given = std::min(values.size(), block.size());
    std::copy_n(values.begin(), given, block.begin());
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(given), block.end(), 0.0);
    return reader.parser.Eval();
}

} // namespace calc
