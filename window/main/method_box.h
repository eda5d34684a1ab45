// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// The box of the methods. The main window's form is as wide as the explicit fixed-step methods'
// names need; the longer names of the implicit methods and the pairs are shown in full in the
// opened list, and the chosen one in the box's tooltip.
class MethodBox : public QComboBox {
public:
    explicit MethodBox(QWidget* parent);

    // The size the box needs to show the explicit fixed-step methods' names in full.
    QSize explicitMethodsSizeHint() const;

    void showPopup() override;
};
