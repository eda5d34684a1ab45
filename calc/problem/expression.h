// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/formula_text.h"
#include "calc/problem/parse_error.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace calc {

// A formula as the user types it: numbers in the locale, + - * / ^, parentheses, pi, e, the
// functions sin cos tan asin acos atan sinh cosh tanh exp ln log10 sqrt abs min max, and the
// named variables. Copies are independent.
//
// Evaluating writes the values into a reader's block and runs the reader's parser, so readers
// are per thread: the thread that made an expression evaluates its own reader, and any other
// thread a copy of its own, made on its first evaluation there and kept with the expression.
// So evaluate() is const in earnest: one expression may be evaluated from several threads at
// once.
class Expression {
    struct Reader; // one formula's parser and the block of values it reads

public:
    // Reads `text` in `locale`, where `variables` are the names it may use, in the order in which
    // evaluate() takes their values.
    static std::variant<Expression, ParseError>
    parse(std::string_view text, std::vector<std::string> variables, const NumberLocale& locale);

    Expression(const Expression& other);
    Expression& operator=(const Expression& other);
    // A moved-from expression has no formula: it copies as one without, and evaluates to NaN.
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

    // The value for the variables' values, one a name in the order given to parse(), for any
    // number of names; values beyond the names are left out, and names beyond the values are 0.
    double evaluate(std::span<const double> values) const;
    // The same for the first two (or three) names, without a span.
    double evaluate(double a, double b) const;
    double evaluate(double a, double b, double c) const;

    // Evaluations of the first two names on one thread, for a run's loop: the calling thread's
    // reader is found once, when the evaluator is made, and not at each evaluation. It is to be
    // used on the thread that made it, while the expression lives.
    class Evaluator {
    public:
        double operator()(double a, double b) const { return evaluate(m_reader, a, b); }

    private:
        friend class Expression;
        explicit Evaluator(Reader* reader) : m_reader(reader) {}
        // Takes the reader as a value, so that a loop keeps it in a register.
        static double evaluate(Reader* reader, double a, double b);
        Reader* m_reader; // null for a moved-from expression
    };
    Evaluator evaluator() const;

private:
    explicit Expression(std::unique_ptr<Reader> reader);
    // The reader that the calling thread evaluates: the expression's own on the thread that made
    // it, else the thread's copy, made on its first evaluation there. m_reader must be set.
    Reader& reader_on_this_thread() const;

    std::unique_ptr<Reader> m_reader;
};

// How the names of a formula are spelled: letters, digits and "_"; for a system's formulas, whose
// names include y', also "'".
enum class NameSpelling { plain, with_apostrophe };

// Several formulas in the same names, read together so that they share one block of values: an
// evaluation writes the names' values once and gives every formula's value. Copies are
// independent, so each thread evaluates its own.
class FormulaSet {
public:
    // Why formula `formula` (from 0) could not be read.
    struct Refusal {
        std::size_t formula;
        ParseError error;
    };

    // Reads each text in `locale` as Expression::parse reads one, in the order given, and
    // refuses at the first that fails; `variables` are the names every formula may use.
    static std::variant<FormulaSet, Refusal> parse(const std::vector<std::string>& texts,
                                                   std::vector<std::string> variables,
                                                   const NumberLocale& locale,
                                                   NameSpelling spelling = NameSpelling::plain);

    FormulaSet(const FormulaSet& other);
    FormulaSet& operator=(const FormulaSet& other);
    // A moved-from set has no formulas: it copies as one without, and evaluates to NaN.
    FormulaSet(FormulaSet&&) noexcept;
    FormulaSet& operator=(FormulaSet&&) noexcept;
    ~FormulaSet();

    std::size_t size() const;
    // Writes the names' values into the shared block (as Expression::evaluate takes them: values
    // beyond the names are left out, names beyond the values are 0), then the value of formula i
    // into out[i], for as many formulas as `out` has places.
    void evaluate(std::span<const double> values, std::span<double> out) const;

    // For a run's loop, which writes the names' values straight into the shared block and reads
    // every formula's value without a span: the block, one place a name in the order given to
    // parse(), at an address that stays while the set lives; null for a set without formulas.
    double* values() const;
    // The value of formula i into out[i] for each of the size() formulas, from the values in the
    // block as they stand. A set without formulas writes nothing.
    void evaluate_block(double* out) const;

private:
    struct Readers;
    explicit FormulaSet(std::unique_ptr<Readers> readers);
    std::unique_ptr<Readers> m_readers;
};

} // namespace calc
