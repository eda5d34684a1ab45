// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/text/number_text.h"

#include <QLocale>

// How the locale writes numbers, in the terms of the calculation.
inline calc::NumberLocale calcNumberLocale(const QLocale& locale) {
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString(),
            locale.negativeSign().toStdString()};
}
