// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Names each row of a parameterised test after its `name` field.
struct CaseName {
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

namespace named_case {

// Prints a row of a parameterised test as its `name`, so that the test log shows the case and
// not the row's bytes. A test file makes it the printer of its rows with
// `using named_case::PrintTo;` in the namespace that declares them, where GoogleTest finds it.
template <class Row>
requires requires(const Row& row, std::ostream& os) {
    os << row.name;
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

} // namespace named_case
