// SPDX-License-Identifier: MIT
#include "widget/WidgetValues.h"

#include "platform/rtl/DateUtils.h"

#include <QDateTime>

namespace quire {

namespace {

QDate ToQDate(fw::TDateTime aValue) {
    fw::TDateParts parts = fw::DecodeDate(aValue);
    return QDate(parts.Year, parts.Month, parts.Day);
}

QTime ToQTime(fw::TDateTime aValue) {
    fw::TTimeParts parts = fw::DecodeTime(aValue);
    return QTime(parts.Hour, parts.Minute, parts.Second, parts.MSec);
}

} // namespace

QVariant ToQVariant(const fw::Variant& aValue, fw::TFieldType aType) {
    if (aValue.IsNull() || aValue.IsEmpty()) {
        return QVariant();
    }
    switch (aType) {
    case fw::ftBoolean:
        return QVariant(aValue.AsBoolean());
    case fw::ftSmallint:
    case fw::ftInteger:
    case fw::ftWord:
    case fw::ftLargeint:
    case fw::ftAutoInc:
        return QVariant(static_cast<qlonglong>(aValue.AsInt64()));
    case fw::ftFloat:
        return QVariant(aValue.AsDouble());
    case fw::ftDate:
        return QVariant(ToQDate(aValue.AsDateTime()));
    case fw::ftTime:
        return QVariant(ToQTime(aValue.AsDateTime()));
    case fw::ftDateTime:
        return QVariant(QDateTime(ToQDate(aValue.AsDateTime()), ToQTime(aValue.AsDateTime())));
    default:
        return QVariant(ToQString(aValue.AsString()));
    }
}

} // namespace quire
