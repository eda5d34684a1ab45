// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the method boxes and the command line's -m offer: the fixed-step methods of
// method_table, then the embedded pairs of pair_table with step size control. A method or a pair
// added to its table is listed here without further change.

#include "calc/core/adaptive.h"
#include "calc/core/methods.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>

namespace calc {

// A fixed-step method or a pair with step size control.
using Scheme = std::variant<Method, Pair>;

struct SchemeInfo {
    Scheme id;
    std::string_view name;     // in the method boxes
    std::string_view cli_name; // after -m
};

inline constexpr std::size_t scheme_count = method_table.size() + pair_table.size();

inline constexpr std::array<SchemeInfo, scheme_count> scheme_table = [] {
    std::array<SchemeInfo, scheme_count> table{};
    std::size_t i = 0;
    for (const MethodInfo& method : method_table) {
        table[i++] = {method.id, method.name, method.cli_name};
    }
    for (const PairInfo& pair : pair_table) {
        table[i++] = {pair.id, pair.name, pair.cli_name};
    }
    return table;
}();

// The pair of a scheme, none for a fixed-step method.
constexpr std::optional<Pair> pair_of(const Scheme& scheme) {
    if (const Pair* pair = std::get_if<Pair>(&scheme)) {
        return *pair;
    }
    return std::nullopt;
}

// The scheme at `index` of scheme_table.
constexpr const SchemeInfo& scheme_at(std::size_t index) {
    return scheme_table[index];
}

// The index in scheme_table of a scheme.
constexpr std::size_t scheme_index(const Scheme& scheme) {
    if (const Pair* pair = std::get_if<Pair>(&scheme)) {
        return method_table.size() + static_cast<std::size_t>(*pair);
    }
    return static_cast<std::size_t>(std::get<Method>(scheme));
}

// The scheme of a command-line name; none for an unknown name.
constexpr std::optional<Scheme> scheme_named(std::string_view cli_name) {
    for (const SchemeInfo& info : scheme_table) {
        if (info.cli_name == cli_name) {
            return info.id;
        }
    }
    return std::nullopt;
}

// The totals of a fixed run of `passes` passes of a system of `components` equations: every pass
// accepted, its evaluations of f as evaluations_of counts them from the run's Newton iterations.
constexpr AdaptiveTotals fixed_totals(int passes, Method method, std::size_t iterations,
                                      std::size_t components) {
    const auto count = static_cast<std::size_t>(passes > 0 ? passes : 0);
    return {count, 0, evaluations_of(method, count, iterations, components)};
}

} // namespace calc
