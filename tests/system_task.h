// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/system_calculate.h"

#include <string>
#include <utility>
#include <vector>

// The task that a row's options amount to, to compute the expected output with calc.
inline calc::SystemTask taskOf(calc::SystemForm form, std::vector<std::string> formulas,
                               std::vector<std::string> initial, std::string ug, std::string og,
                               std::string count, calc::Method method = calc::Method::rk4) {
    calc::SystemTask task;
    task.form = form;
    task.formulas = std::move(formulas);
    task.initial = std::move(initial);
    task.ug = std::move(ug);
    task.og = std::move(og);
    task.count = std::move(count);
    task.method = method;
    return task;
}
