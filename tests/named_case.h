// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each row of a parameterised test after its `name` field.
struct CaseName {
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};
