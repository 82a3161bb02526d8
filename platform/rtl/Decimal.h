// SPDX-License-Identifier: MIT
#pragma once
// TDecimal: an exact decimal number, an integer of any size scaled by a power of
// ten (1490.50 is 149050 with scale 2). Arithmetic is done by GMP; nothing passes
// through a binary double, so 0.1 + 0.2 is 0.3 and a number with thirty digits
// keeps all of them.
//
// The scale is part of the value as written ("1.50" has scale 2) but not of its
// identity: 1.5 and 1.50 compare equal. Text and scale are limited to MaxDigits
// digits each, so no text can make a value that takes unbounded memory. Errors
// raise EConvertError naming the text or the value.

#include "platform/rtl/Types.h"

#include <compare>
#include <cstdint>

namespace fw {

class TDecimal {
public:
    static constexpr int32_t MaxDigits = 1000;

    TDecimal() = default;
    static TDecimal FromInt64(int64_t aValue);
    // The shortest decimal that reads back as the same double (0.1 is 0.1, not
    // 0.1000000000000000055...). Raises for an infinity or NaN.
    static TDecimal FromDouble(double aValue);
    // An optional sign, digits with at most one aSeparator, an optional exponent
    // ("1.5e3"); blanks around are ignored. Raises for anything else.
    static TDecimal Parse(const String& aText, char aSeparator = '.');
    static bool TryParse(const String& aText, TDecimal& aValue, char aSeparator = '.');

    // Plain notation with Scale() decimals: "-1490.50", "0.05", "12".
    String ToString(char aSeparator = '.') const;
    int32_t Scale() const { return FScale; }
    // Digits before the decimal point, 0 for a value below 1.
    int32_t IntegerDigits() const;
    // Decimals without the trailing zeros: 2 for 1.250.
    int32_t SignificantScale() const;
    // Digits from the first non-zero one to the last non-zero one: 3 for 0.0120.
    int32_t SignificantDigits() const;
    bool IsZero() const { return FUnscaled == "0"; }
    bool IsNegative() const { return FUnscaled[0] == '-'; }

    // The value with aScale decimals; dropped digits round half away from zero.
    TDecimal Rescaled(int32_t aScale) const;
    // The nearest integer, halves to even; false when it does not fit in 64 bits.
    bool TryRoundToInt64(int64_t& aValue) const;
    // The nearest double.
    double ToDouble() const;

    friend TDecimal operator+(const TDecimal& aLeft, const TDecimal& aRight);
    friend TDecimal operator-(const TDecimal& aLeft, const TDecimal& aRight);
    friend TDecimal operator*(const TDecimal& aLeft, const TDecimal& aRight);
    friend std::strong_ordering operator<=>(const TDecimal& aLeft, const TDecimal& aRight);
    friend bool operator==(const TDecimal& aLeft, const TDecimal& aRight) {
        return (aLeft <=> aRight) == 0;
    }

private:
    // The scaled integer in decimal digits, with a "-" when negative: canonical, so
    // zero is "0" and there are no leading zeros.
    String FUnscaled = "0";
    int32_t FScale = 0;

    TDecimal(String aUnscaled, int32_t aScale);
};

// The value with FormatSettings().DecimalSeparator, no thousand separators.
String DecimalToStr(const TDecimal& aValue);
// Text with FormatSettings().DecimalSeparator (or '.'); raises EConvertError naming it.
TDecimal StrToDecimal(const String& aText);
bool TryStrToDecimal(const String& aText, TDecimal& aValue);

} // namespace fw
