// SPDX-License-Identifier: MIT
#include "platform/rtl/Variant.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <limits>
#include <optional>

namespace fw {
namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

int32_t CheckedInt32(int64_t aValue) {
    if (aValue < std::numeric_limits<int32_t>::min() ||
        aValue > std::numeric_limits<int32_t>::max()) {
        throw EVariantOverflowError("Variant value " + std::to_string(aValue) +
                                    " does not fit in a 32-bit integer");
    }
    return static_cast<int32_t>(aValue);
}

int64_t RoundToInt64(double aValue) {
    if (!std::isfinite(aValue) || std::fabs(aValue) >= 9.2e18) {
        throw EVariantOverflowError("Variant value " + FloatToStr(aValue) +
                                    " does not fit in an integer");
    }
    return static_cast<int64_t>(std::nearbyint(aValue));
}

// An optional sign, "$" or "0x", and hexadecimal digits only: an integer that
// StrToInt64 reads unless it is too large.
bool IsHexInteger(const String& aText) {
    std::size_t pos = !aText.empty() && (aText[0] == '+' || aText[0] == '-') ? 1 : 0;
    if (aText.compare(pos, 1, "$") == 0) {
        pos += 1;
    } else if (aText.size() > pos + 1 && aText[pos] == '0' && (aText[pos + 1] | 0x20) == 'x') {
        pos += 2;
    } else {
        return false;
    }
    return pos < aText.size() &&
           aText.find_first_not_of("0123456789abcdefABCDEF", pos) == String::npos;
}

// An integer, or a number rounded to one; nothing for other text. Raises
// EVariantOverflowError for a number past the 64-bit range, in either base.
std::optional<int64_t> IntegerFromText(const String& aText) {
    const String text = Trim(aText);
    int64_t integer = 0;
    if (TryStrToInt64(text, integer)) {
        return integer;
    }
    if (IsHexInteger(text)) {
        throw EVariantOverflowError("Variant value '" + text + "' does not fit in an integer");
    }
    double number = 0;
    if (!TryStrToFloat(text, number)) {
        return std::nullopt;
    }
    return RoundToInt64(number);
}

int64_t DecimalToInt64(const TDecimal& aValue) {
    int64_t number = 0;
    if (!aValue.TryRoundToInt64(number)) {
        throw EVariantOverflowError("Variant value " + aValue.ToString() +
                                    " does not fit in an integer");
    }
    return number;
}

} // namespace

Variant Variant::Null() {
    Variant value;
    value.FValue = NullTag{};
    return value;
}

Variant Variant::FromDateTime(TDateTime aValue) {
    Variant value;
    value.FValue = DateTag{aValue};
    return value;
}

TVarType Variant::VarType() const {
    return static_cast<TVarType>(FValue.index());
}

void Variant::CastError(const char* aTarget) const {
    String message = "Could not convert variant of type (" + String(VarTypeName(VarType())) +
                     ") into type (" + aTarget + ")";
    if (const auto* text = std::get_if<String>(&FValue)) {
        message += ": '" + *text + "'";
    }
    throw EVariantTypeCastError(message);
}

bool Variant::AsBoolean() const {
    return std::visit(Overloaded{[](std::monostate) { return false; },
                                 [this](NullTag) -> bool { CastError("Boolean"); },
                                 [](bool v) { return v; }, [](int64_t v) { return v != 0; },
                                 [](double v) { return v != 0; },
                                 [](DateTag v) { return v.Value != 0; },
                                 [](const TDecimal& v) { return !v.IsZero(); },
                                 [this](const String& v) -> bool {
                                     if (AnsiSameText(v, "True")) {
                                         return true;
                                     }
                                     if (AnsiSameText(v, "False")) {
                                         return false;
                                     }
                                     double number = 0;
                                     if (!TryStrToFloat(v, number)) {
                                         CastError("Boolean");
                                     }
                                     return number != 0;
                                 }},
                      FValue);
}

int64_t Variant::AsInt64() const {
    return std::visit(Overloaded{[](std::monostate) -> int64_t { return 0; },
                                 [this](NullTag) -> int64_t { CastError("Integer"); },
                                 [](bool v) -> int64_t { return v ? -1 : 0; },
                                 [](int64_t v) { return v; },
                                 [](double v) { return RoundToInt64(v); },
                                 [](DateTag v) { return RoundToInt64(v.Value); },
                                 [](const TDecimal& v) { return DecimalToInt64(v); },
                                 [this](const String& v) -> int64_t {
                                     const auto integer = IntegerFromText(v);
                                     if (!integer) {
                                         CastError("Integer");
                                     }
                                     return *integer;
                                 }},
                      FValue);
}

int32_t Variant::AsInteger() const {
    return CheckedInt32(AsInt64());
}

double Variant::AsDouble() const {
    return std::visit(Overloaded{[](std::monostate) { return 0.0; },
                                 [this](NullTag) -> double { CastError("Double"); },
                                 [](bool v) { return v ? -1.0 : 0.0; },
                                 [](int64_t v) { return static_cast<double>(v); },
                                 [](double v) { return v; }, [](DateTag v) { return v.Value; },
                                 [](const TDecimal& v) { return v.ToDouble(); },
                                 [this](const String& v) {
                                     double number = 0;
                                     if (!TryStrToFloat(v, number)) {
                                         CastError("Double");
                                     }
                                     return number;
                                 }},
                      FValue);
}

TDecimal Variant::AsDecimal() const {
    return std::visit(Overloaded{[](std::monostate) { return TDecimal(); },
                                 [this](NullTag) -> TDecimal { CastError("Decimal"); },
                                 [](bool v) { return TDecimal::FromInt64(v ? -1 : 0); },
                                 [](int64_t v) { return TDecimal::FromInt64(v); },
                                 [this](double v) {
                                     if (!std::isfinite(v)) {
                                         CastError("Decimal");
                                     }
                                     return TDecimal::FromDouble(v);
                                 },
                                 [](DateTag v) { return TDecimal::FromDouble(v.Value); },
                                 [](const TDecimal& v) { return v; },
                                 [this](const String& v) {
                                     TDecimal number;
                                     if (!TryStrToDecimal(v, number)) {
                                         CastError("Decimal");
                                     }
                                     return number;
                                 }},
                      FValue);
}

TDateTime Variant::AsDateTime() const {
    if (const auto* text = std::get_if<String>(&FValue)) {
        TDateTime value = 0;
        if (!TryStrToDateTime(*text, value)) {
            CastError("Date");
        }
        return value;
    }
    if (IsNull()) {
        CastError("Date");
    }
    return AsDouble();
}

String Variant::AsString() const {
    return std::visit(Overloaded{[](std::monostate) { return String(); },
                                 [this](NullTag) -> String { CastError("String"); },
                                 [](bool v) { return String(v ? "True" : "False"); },
                                 [](int64_t v) { return IntToStr(v); },
                                 [](double v) { return FloatToStr(v); },
                                 [](DateTag v) { return DateTimeToStr(v.Value); },
                                 [](const String& v) { return v; },
                                 [](const TDecimal& v) { return DecimalToStr(v); }},
                      FValue);
}

bool VarIsNull(const Variant& aValue) {
    return aValue.IsNull();
}

bool VarIsEmpty(const Variant& aValue) {
    return aValue.IsEmpty();
}

String VarToStr(const Variant& aValue) {
    return aValue.IsNull() ? String() : aValue.AsString();
}

const char* VarTypeName(TVarType aType) {
    switch (aType) {
    case varEmpty:
        return "Empty";
    case varNull:
        return "Null";
    case varBoolean:
        return "Boolean";
    case varInteger:
        return "Integer";
    case varDouble:
        return "Double";
    case varDate:
        return "Date";
    case varString:
        return "String";
    case varDecimal:
        return "Decimal";
    }
    return "Unknown";
}

} // namespace fw
