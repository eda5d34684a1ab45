// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/choices.h"

#include "calc/problem/equation.h"
#include "qt/qt_text.h"
#include "window/main/method_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The label is the box's buddy, so assistive tools announce the box by its caption.
template <class Box = QComboBox> Box* makeChoice(const char* name, QLabel* label, QWidget* parent) {
    auto* box = new Box(parent);
    box->setObjectName(name);
    box->setAccessibleName(label->text());
    label->setBuddy(box);
    return box;
}

} // namespace

QComboBox* makeEquationChoice(QLabel* label, QWidget* parent) {
    QComboBox* box = makeChoice("cboGleichung", label, parent);
    // Editable through an editor of its own: setEditable would also build the drop-down's
    // popup, which can wait for the first click (docs/PERFORMANCE.md).
    box->setLineEdit(new QLineEdit(box));
    // A typed equation is used as it stands: it neither joins the list nor gets completed to
    // one of the list, which would turn "x" into "x+y" unasked.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // The box keeps its editor's limit of 32,767 characters, far more than the calculation
    // reads: it refuses all past 1,000 (docs/PERFORMANCE.md).
    for (const calc::KnownEquation& known : calc::catalogue) {
        box->addItem(fromUtf8(known.text));
    }
    box->setEditText(fromUtf8(calc::default_equation));
    return box;
}

QComboBox* makeMethodChoice(QLabel* label, QWidget* parent) {
    MethodBox* box = makeChoice<MethodBox>("cboVerfahren", label, parent);
    for (const calc::SchemeInfo& scheme : calc::scheme_table) {
        box->addItem(fromUtf8(scheme.name));
    }
    showScheme(box, calc::Method::rk4);
    return box;
}

// The box lists scheme_table in its order, so an item's index is the scheme's.
calc::Scheme chosenScheme(const QComboBox* box) {
    const int index = box->currentIndex();
    return index < 0 ? calc::Scheme{calc::Method::rk4}
                     : calc::scheme_at(static_cast<std::size_t>(index)).id;
}

void showScheme(QComboBox* box, const calc::Scheme& scheme) {
    box->setCurrentIndex(static_cast<int>(calc::scheme_index(scheme)));
}
