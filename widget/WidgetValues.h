// SPDX-License-Identifier: MIT
#pragma once
// Conversions between the framework's strings and variants and Qt's, for the widget.

#include "platform/db/DataTypes.h"
#include "platform/rtl/Variant.h"

#include <QString>
#include <QVariant>

namespace quire {

inline QString ToQString(const fw::String& aText) {
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

inline fw::String ToString(const QString& aText) {
    QByteArray bytes = aText.toUtf8();
    return fw::String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A field's value as Qt hands it on: numbers as numbers, dates and times as QDate,
// QTime and QDateTime, NULL as an invalid QVariant.
QVariant ToQVariant(const fw::Variant& aValue, fw::TFieldType aType);

} // namespace quire
