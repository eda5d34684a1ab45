// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/schemes.h"

class QComboBox;
class QLabel;
class QWidget;

// The right-hand side f(x, y): typed, or taken from the equations whose exact solution the
// program knows; the default at start. The label is its caption.
QComboBox* makeEquationChoice(QLabel* label, QWidget* parent);

// The one-step method: the fixed-step methods, then the pairs with step size control; the
// classical Runge-Kutta method at start.
QComboBox* makeMethodChoice(QLabel* label, QWidget* parent);

// The method or pair that the box made by makeMethodChoice shows.
calc::Scheme chosenScheme(const QComboBox* box);

// Shows the scheme in a box made by makeMethodChoice.
void showScheme(QComboBox* box, const calc::Scheme& scheme);
