// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

// calc's UTF-8 texts as Qt strings.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Texts> QStringList fromUtf8List(const Texts& texts) {
    QStringList list;
    for (const auto& text : texts) {
        list.append(fromUtf8(text));
    }
    return list;
}
