// SPDX-License-Identifier: MIT
#pragma once
// Variant: a value of one of the types below, with the framework's conversions.
//
// Conversions (AsBoolean, AsInteger, AsDouble, AsDecimal, AsString, AsDateTime):
// - Unassigned converts to False, 0, 0.0, "" and the date-time 0.
// - Null raises EVariantTypeCastError (use VarToStr for "" on null).
// - Booleans convert to -1 (True) or 0 as numbers, "True"/"False" as text.
// - Doubles and decimals convert to integers rounded to the nearest, halves to even.
// - Decimals convert to text with FormatSettings().DecimalSeparator and all their
//   decimals ("1490.50"); doubles and integers convert to decimals exactly (a double
//   as the shortest decimal that reads back as it: 0.1 is 0.1).
// - Strings convert through StrToInt/StrToFloat/StrToDateTime with the current
//   FormatSettings, and to booleans from "True"/"False" (any letter case) or a number.
// Text that does not convert raises EVariantTypeCastError naming the value and the
// types; a number outside the 32-bit range (AsInteger) or the 64-bit range
// (AsInt64), decimal or hexadecimal, raises EVariantOverflowError.

#include "platform/rtl/Decimal.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <variant>

namespace fw {

enum class TVarType {
    varEmpty,
    varNull,
    varBoolean,
    varInteger,
    varDouble,
    varDate,
    varString,
    varDecimal
};
using enum TVarType;

class Variant {
public:
    Variant() = default;
    Variant(bool aValue) : FValue(aValue) {}
    Variant(int aValue) : FValue(static_cast<int64_t>(aValue)) {}
    Variant(long aValue) : FValue(static_cast<int64_t>(aValue)) {}
    Variant(long long aValue) : FValue(static_cast<int64_t>(aValue)) {}
    Variant(double aValue) : FValue(aValue) {}
    Variant(const char* aValue) : FValue(String(aValue)) {}
    Variant(String aValue) : FValue(std::move(aValue)) {}
    Variant(TDecimal aValue) : FValue(std::move(aValue)) {}

    static Variant Null();
    static Variant FromDateTime(TDateTime aValue);

    TVarType VarType() const;
    bool IsEmpty() const { return VarType() == varEmpty; }
    bool IsNull() const { return VarType() == varNull; }

    bool AsBoolean() const;
    int32_t AsInteger() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    TDecimal AsDecimal() const;
    TDateTime AsDateTime() const;
    String AsString() const;

    // Same type and same value.
    friend bool operator==(const Variant&, const Variant&) = default;

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    struct DateTag {
        TDateTime Value;
        friend bool operator==(DateTag, DateTag) = default;
    };
    std::variant<std::monostate, NullTag, bool, int64_t, double, DateTag, String, TDecimal> FValue;

    [[noreturn]] void CastError(const char* aTarget) const;
};

inline Variant Unassigned() {
    return Variant();
}
inline Variant Null() {
    return Variant::Null();
}
bool VarIsNull(const Variant& aValue);
bool VarIsEmpty(const Variant& aValue);
// The text of the variant; "" for null and unassigned.
String VarToStr(const Variant& aValue);
// "Empty", "Null", "Boolean", "Integer", "Double", "Date", "String", "Decimal".
const char* VarTypeName(TVarType aType);

} // namespace fw
