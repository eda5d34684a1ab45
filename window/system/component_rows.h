// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/system_examples.h"

#include <QList>
#include <QString>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The rows of a system's components, each a formula and an initial value beside their labels:
// "y1' =" and "y1(ug) =" for a first-order system, shown for as many components as it has;
// for the second-order form "y'' =" and "y(ug) =", then "y'(ug) =" under the latter.
class ComponentRows {
public:
    static constexpr std::size_t rows = calc::max_components;

    // Puts the rows into `grid` from `firstRow` on, in four columns: label, formula, label,
    // initial value; the widgets belong to `parent`.
    ComponentRows(QWidget* parent, QGridLayout* grid, int firstRow);

    // Shows the rows the form has, named after it: `size` components of a first-order system,
    // or the one formula and two initial values of the second-order form.
    void showForm(calc::SystemForm form, std::size_t size);

    // The texts the form uses, as typed, in the order of the form.
    std::vector<std::string> formulas() const;
    std::vector<std::string> initialValues() const;

    // Writes the texts of a form into its fields and empties the fields it does not use.
    void fill(const std::vector<std::string>& formulas, const std::vector<std::string>& initial);

    QLineEdit* formula(std::size_t i) const { return m_formulas.at(i); }
    QLineEdit* initialValue(std::size_t i) const { return m_initial.at(i); }

    // Every field in reading order: formula and initial value of a row, row after row.
    QList<QWidget*> readingOrder() const;

private:
    calc::SystemForm m_form = calc::SystemForm::first_order;
    std::size_t m_size = 0;
    std::array<QLabel*, rows> m_formulaLabels{};
    std::array<QLineEdit*, rows> m_formulas{};
    std::array<QLabel*, rows> m_initialLabels{};
    std::array<QLineEdit*, rows> m_initial{};
};
