// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"

#include <string>

// The numbers as a German window writes them.
inline const calc::NumberLocale german{",", ".", "-"};

// What the system window holds once the Arenstorf example is chosen, with its pair and tolerance.
inline calc::SystemTask arenstorf_task() {
    const calc::SystemExample& example = calc::system_example(calc::SystemExampleId::arenstorf);
    calc::SystemTask task;
    task.form = example.form;
    task.formulas = calc::example_formulas(example, german);
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], german));
    }
    task.ug = calc::format_general(example.ug, german);
    task.og = calc::format_general(example.og, german);
    task.count = std::to_string(example.count);
    task.pair = example.pair;
    task.tolerance = std::string(example.tolerance);
    return task;
}
