// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/methods.h"

class QComboBox;
class QLabel;
class QWidget;

// The right-hand side f(x, y): typed, or taken from the equations whose exact solution the
// program knows; the default at start. The label is its caption.
QComboBox* makeEquationChoice(QLabel* label, QWidget* parent);

// The one-step method, one of the five; the classical Runge-Kutta method at start.
QComboBox* makeMethodChoice(QLabel* label, QWidget* parent);

// The method that the box made by makeMethodChoice shows.
calc::Method chosenMethod(const QComboBox* box);
