// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/system/component_rows.h"

#include "calc/problem/system.h"
#include "qt/qt_text.h"
#include "window/system/captions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr char formula_names[ComponentRows::rows][7] = {"txtF1", "txtF2", "txtF3", "txtF4"};
constexpr char initial_names[ComponentRows::rows][7] = {"txtY1", "txtY2", "txtY3", "txtY4"};

std::string initialCaption(calc::SystemForm form, std::size_t i) {
    return calc::component_name(form, i) + "(ug) =";
}

std::string formulaCaption(calc::SystemForm form, std::size_t i) {
    return calc::derivative_name(form, i) + " =";
}

void setCaption(QLabel* label, QLineEdit* field, const std::string& caption) {
    label->setText(fromUtf8(caption));
    attachCaption(label, field);
}

} // namespace

ComponentRows::ComponentRows(QWidget* parent, QGridLayout* grid, int firstRow) {
    for (std::size_t i = 0; i < rows; ++i) {
        const int row = firstRow + static_cast<int>(i);
        m_formulaLabels[i] = new QLabel(parent);
        m_formulas[i] = makeEntryField(formula_names[i], m_formulaLabels[i], parent);
        m_initialLabels[i] = new QLabel(parent);
        m_initial[i] = makeEntryField(initial_names[i], m_initialLabels[i], parent);
        grid->addWidget(m_formulaLabels[i], row, 0);
        grid->addWidget(m_formulas[i], row, 1);
        grid->addWidget(m_initialLabels[i], row, 2);
        grid->addWidget(m_initial[i], row, 3);
    }
}

// The second-order form keeps y'(ug) in the second row, under y(ug), with no formula beside it:
// y1' = y2 is part of the form.
void ComponentRows::showForm(calc::SystemForm form, std::size_t size) {
    m_form = form;
    m_size = form == calc::SystemForm::second_order ? 2 : size;
    const std::size_t formulaCount = form == calc::SystemForm::second_order ? 1 : m_size;
    for (std::size_t i = 0; i < rows; ++i) {
        const bool hasFormula = i < formulaCount;
        const bool hasInitial = i < m_size;
        if (hasFormula) {
            setCaption(m_formulaLabels[i], m_formulas[i], formulaCaption(form, i));
        }
        if (hasInitial) {
            setCaption(m_initialLabels[i], m_initial[i], initialCaption(form, i));
        }
        m_formulaLabels[i]->setVisible(hasFormula);
        m_formulas[i]->setVisible(hasFormula);
        m_initialLabels[i]->setVisible(hasInitial);
        m_initial[i]->setVisible(hasInitial);
    }
}

std::vector<std::string> ComponentRows::formulas() const {
    const std::size_t count = m_form == calc::SystemForm::second_order ? 1 : m_size;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        texts.push_back(m_formulas[i]->text().toStdString());
    }
    return texts;
}

std::vector<std::string> ComponentRows::initialValues() const {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < m_size; ++i) {
        texts.push_back(m_initial[i]->text().toStdString());
    }
    return texts;
}

void ComponentRows::fill(const std::vector<std::string>& formulas,
                         const std::vector<std::string>& initial) {
    for (std::size_t i = 0; i < rows; ++i) {
        m_formulas[i]->setText(i < formulas.size() ? fromUtf8(formulas[i]) : QString());
        m_initial[i]->setText(i < initial.size() ? fromUtf8(initial[i]) : QString());
    }
}

QList<QWidget*> ComponentRows::readingOrder() const {
    QList<QWidget*> order;
    for (std::size_t i = 0; i < rows; ++i) {
        order.append(m_formulas[i]);
        order.append(m_initial[i]);
    }
    return order;
}
