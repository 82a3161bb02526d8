// SPDX-License-Identifier: MIT
#include "platform/db/Field.h"

#include "platform/db/DataSet.h"
#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <limits>

namespace fw {

FW_IMPLEMENT_ABSTRACT_CLASS(TField)

namespace {

std::size_t Utf8Length(const String& aText) {
    std::size_t count = 0;
    for (unsigned char c : aText)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}

// A short, readable form of a value for error messages.
String Describe(const Variant& aValue) {
    if (aValue.IsNull())
        return "Null";
    String text;
    try {
        text = aValue.AsString();
    } catch (const Exception&) {
        text = VarTypeName(aValue.VarType());
    }
    constexpr std::size_t limit = 60;
    if (text.size() > limit)
        text = Utf8Truncate(text, limit) + "...";
    return "'" + text + "'";
}

bool IsIntegerType(TFieldType aType) {
    return aType == ftSmallint || aType == ftInteger || aType == ftWord || aType == ftAutoInc ||
           aType == ftLargeint;
}

bool IsDecimalType(TFieldType aType) {
    return aType == ftCurrency || aType == ftBCD;
}

bool IsDateTimeType(TFieldType aType) {
    return aType == ftDate || aType == ftTime || aType == ftDateTime;
}

} // namespace

TField::TField(TDataSet& aDataSet, const TFieldDef& aDef, int32_t aIndex)
    : FDataSet(&aDataSet), FFieldName(aDef.Name), FDataType(aDef.DataType), FSize(aDef.Size),
      FPrecision(aDef.Precision), FScale(aDef.Scale), FIndex(aIndex), FReadOnly(aDef.ReadOnly),
      FRequired(aDef.Required) {}

const Variant& TField::Value() const {
    return FDataSet->FieldValue(FIndex);
}

bool TField::IsNull() const {
    const Variant& value = Value();
    return value.IsNull() || value.IsEmpty();
}

Variant TField::AsVariant() const {
    return IsNull() ? Null() : Value();
}

String TField::AsString() const {
    if (IsNull())
        return "";
    const Variant& value = Value();
    // A stored value the type could not read is kept and shown as it is.
    if (value.VarType() == varString || (IsDateTimeType(FDataType) && value.VarType() != varDate))
        return value.AsString();
    switch (FDataType) {
    case ftDate:
        return DateToStr(value.AsDateTime());
    case ftTime:
        return TimeToStr(value.AsDateTime());
    case ftDateTime:
        return DateTimeToStr(value.AsDateTime());
    case ftFloat:
        return FloatToStr(value.AsDouble());
    case ftCurrency:
    case ftBCD:
        return DecimalToStr(AsDecimal());
    default:
        return value.AsString();
    }
}

int32_t TField::AsInteger() const {
    return IsNull() ? 0 : Value().AsInteger();
}
int64_t TField::AsLargeInt() const {
    return IsNull() ? 0 : Value().AsInt64();
}
double TField::AsFloat() const {
    return IsNull() ? 0.0 : Value().AsDouble();
}
TDecimal TField::AsDecimal() const {
    if (IsNull())
        return TDecimal();
    TDecimal value = Value().AsDecimal();
    // A stored 1490 of a NUMERIC(10,2) column reads as 1490.00; more decimals than
    // the scale (SQLite does not enforce it) are kept.
    if (IsDecimalType(FDataType) && FPrecision > 0 && value.Scale() < FScale)
        value = value.Rescaled(FScale);
    return value;
}
bool TField::AsBoolean() const {
    return IsNull() ? false : Value().AsBoolean();
}
TDateTime TField::AsDateTime() const {
    return IsNull() ? 0.0 : Value().AsDateTime();
}

void TField::SetAsVariant(const Variant& aValue) {
    const TDataSetState state = FDataSet->State();
    if (state != dsEdit && state != dsInsert)
        ValueError(aValue, "cannot be written: data set '" + FDataSet->Name() +
                               "' is not in edit or insert mode");
    if (FReadOnly)
        ValueError(aValue, "cannot be written: the field is read-only");
    FDataSet->SetFieldValue(*this, Convert(aValue));
}

void TField::SetAsString(const String& aValue) {
    // An empty text clears every field but a text field.
    if (aValue.empty() && FDataType != ftString && FDataType != ftMemo)
        SetAsVariant(Null());
    else
        SetAsVariant(Variant(aValue));
}

void TField::ValueError(const Variant& aValue, const String& aReason) const {
    throw EDatabaseError("Field '" + FFieldName + "': " + Describe(aValue) + " " + aReason);
}

Variant TField::Convert(const Variant& aValue) const {
    if (aValue.IsNull() || aValue.IsEmpty())
        return Null();
    if (IsIntegerType(FDataType)) {
        switch (FDataType) {
        case ftSmallint:
            return ConvertInteger(aValue, -32768, 32767);
        case ftWord:
            return ConvertInteger(aValue, 0, 65535);
        case ftLargeint:
            return ConvertInteger(aValue, std::numeric_limits<int64_t>::min(),
                                  std::numeric_limits<int64_t>::max());
        default:
            return ConvertInteger(aValue, std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max());
        }
    }
    if (FDataType == ftFloat)
        return ConvertFloat(aValue);
    if (IsDecimalType(FDataType))
        return ConvertDecimal(aValue);
    if (IsDateTimeType(FDataType))
        return ConvertDateTime(aValue);
    if (FDataType == ftBoolean) {
        try {
            return Variant(aValue.AsBoolean());
        } catch (const Exception&) {
            ValueError(aValue, "is not a valid boolean");
        }
    }
    return ConvertString(aValue);
}

Variant TField::ConvertInteger(const Variant& aValue, int64_t aMin, int64_t aMax) const {
    int64_t number = 0;
    try {
        if (aValue.VarType() == varDouble) {
            const double value = aValue.AsDouble();
            if (!std::isfinite(value) || value != std::floor(value) || value < -9.2e18 ||
                value > 9.2e18)
                ValueError(aValue, "is not a valid integer");
            number = static_cast<int64_t>(value);
        } else {
            number = aValue.AsInt64();
        }
    } catch (const EDatabaseError&) {
        throw;
    } catch (const Exception&) {
        ValueError(aValue, "is not a valid integer");
    }
    if (number < aMin || number > aMax)
        ValueError(aValue, "is out of range for " + String(FieldTypeName(FDataType)) + " (" +
                               IntToStr(aMin) + " to " + IntToStr(aMax) + ")");
    return Variant(static_cast<long long>(number));
}

Variant TField::ConvertFloat(const Variant& aValue) const {
    double number = 0.0;
    try {
        number = aValue.AsDouble();
    } catch (const Exception&) {
        ValueError(aValue, "is not a valid number");
    }
    if (!std::isfinite(number))
        ValueError(aValue, "is not a finite number");
    return Variant(number);
}

Variant TField::ConvertDecimal(const Variant& aValue) const {
    TDecimal number;
    try {
        number = aValue.AsDecimal();
    } catch (const Exception&) {
        ValueError(aValue, "is not a valid number");
    }
    if (FPrecision <= 0)
        return Variant(number);
    // A double is an approximation anyway: it is rounded like the database would.
    if (aValue.VarType() == varDouble && number.Scale() > FScale)
        number = number.Rescaled(FScale);
    if (number.SignificantScale() > FScale)
        ValueError(aValue, "has more than " + IntToStr(FScale) + " decimals");
    number = number.Rescaled(FScale);
    if (number.IntegerDigits() > FPrecision - FScale)
        ValueError(aValue, "has more than " + IntToStr(FPrecision - FScale) +
                               " digits before the decimal point (" + IntToStr(FPrecision) +
                               " digits, " + IntToStr(FScale) + " of them decimals)");
    return Variant(number);
}

Variant TField::ConvertDateTime(const Variant& aValue) const {
    TDateTime value = 0.0;
    try {
        value = aValue.AsDateTime();
    } catch (const Exception&) {
        ValueError(aValue, "is not a valid date or time");
    }
    // Year 1 to year 9999, the range both the calendar and the databases cover.
    if (!std::isfinite(value) || value < -693593.0 || value >= 2958466.0)
        ValueError(aValue, "is outside the supported dates");
    if (FDataType == ftDate)
        value = DateOf(value);
    else if (FDataType == ftTime)
        value = TimeOf(value);
    return Variant::FromDateTime(value);
}

Variant TField::ConvertString(const Variant& aValue) const {
    String text;
    try {
        text = aValue.AsString();
    } catch (const Exception&) {
        ValueError(aValue, "is not a valid text");
    }
    if (FDataType == ftString && FSize > 0 && Utf8Length(text) > static_cast<std::size_t>(FSize))
        ValueError(aValue, "is longer than " + IntToStr(FSize) + " characters");
    return Variant(std::move(text));
}

} // namespace fw
