// SPDX-License-Identifier: MIT
#include "platform/rtl/Decimal.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

#include <gmpxx.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace fw {
namespace {

mpz_class Unscaled(const String& aDigits) {
    return mpz_class(aDigits, 10);
}

mpz_class PowerOfTen(int32_t aExponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(aExponent));
    return power;
}

bool IsDigit(char aChar) {
    return aChar >= '0' && aChar <= '9';
}

bool IsBlank(char aChar) {
    return aChar == ' ' || (aChar >= '\t' && aChar <= '\r');
}

// The parts of a number's text: sign, the digits without the separator, how many
// of them follow it, and the exponent. False when the text is not a number.
struct TNumberText {
    bool Negative = false;
    String Digits;
    int64_t Decimals = 0;
    int64_t Exponent = 0;
};

bool SplitExponent(const String& aText, std::size_t aPos, int64_t& aExponent) {
    bool negative = false;
    if (aPos < aText.size() && (aText[aPos] == '+' || aText[aPos] == '-'))
        negative = aText[aPos++] == '-';
    if (aPos >= aText.size())
        return false;
    int64_t exponent = 0;
    for (; aPos < aText.size(); ++aPos) {
        if (!IsDigit(aText[aPos]))
            return false;
        // Past this the value has too many digits anyway.
        if (exponent < 100000)
            exponent = exponent * 10 + (aText[aPos] - '0');
    }
    aExponent = negative ? -exponent : exponent;
    return true;
}

bool SplitNumber(const String& aText, char aSeparator, TNumberText& aParts) {
    std::size_t begin = 0;
    std::size_t end = aText.size();
    while (begin < end && IsBlank(aText[begin]))
        ++begin;
    while (end > begin && IsBlank(aText[end - 1]))
        --end;
    const String text = aText.substr(begin, end - begin);
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        aParts.Negative = text[pos++] == '-';
    bool separatorSeen = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            aParts.Digits += c;
            if (separatorSeen)
                ++aParts.Decimals;
        } else if (c == aSeparator && !separatorSeen) {
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (aParts.Digits.empty())
        return false;
    if (pos == text.size())
        return true;
    if (text[pos] != 'e' && text[pos] != 'E')
        return false;
    return SplitExponent(text, pos + 1, aParts.Exponent);
}

String WithoutLeadingZeros(const String& aDigits) {
    const std::size_t first = aDigits.find_first_not_of('0');
    return first == String::npos ? String("0") : aDigits.substr(first);
}

} // namespace

TDecimal::TDecimal(String aUnscaled, int32_t aScale)
    : FUnscaled(std::move(aUnscaled)), FScale(aScale) {
    if (FUnscaled == "-0")
        FUnscaled = "0";
}

TDecimal TDecimal::FromInt64(int64_t aValue) {
    return TDecimal(std::to_string(aValue), 0);
}

TDecimal TDecimal::FromDouble(double aValue) {
    if (!std::isfinite(aValue))
        throw EConvertError("The number " + std::to_string(aValue) + " is no finite decimal");
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, aValue);
    return Parse(String(text, result.ptr));
}

bool TDecimal::TryParse(const String& aText, TDecimal& aValue, char aSeparator) {
    TNumberText parts;
    if (!SplitNumber(aText, aSeparator, parts))
        return false;
    String digits = WithoutLeadingZeros(parts.Digits);
    int64_t scale = parts.Decimals - parts.Exponent;
    if (digits == "0")
        scale = std::max<int64_t>(0, std::min<int64_t>(scale, MaxDigits));
    if (scale < 0) {
        if (static_cast<int64_t>(digits.size()) - scale > MaxDigits)
            return false;
        digits.append(static_cast<std::size_t>(-scale), '0');
        scale = 0;
    }
    if (scale > MaxDigits || static_cast<int64_t>(digits.size()) > MaxDigits)
        return false;
    aValue = TDecimal((parts.Negative ? "-" : "") + digits, static_cast<int32_t>(scale));
    return true;
}

TDecimal TDecimal::Parse(const String& aText, char aSeparator) {
    TDecimal value;
    if (!TryParse(aText, value, aSeparator))
        throw EConvertError("'" + aText + "' is not a valid decimal number");
    return value;
}

String TDecimal::ToString(char aSeparator) const {
    const bool negative = IsNegative();
    String digits = FUnscaled.substr(negative ? 1 : 0);
    if (FScale > 0) {
        const std::size_t width = static_cast<std::size_t>(FScale) + 1;
        if (digits.size() < width)
            digits.insert(0, width - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(FScale), 1, aSeparator);
    }
    return (negative ? "-" : "") + digits;
}

int32_t TDecimal::IntegerDigits() const {
    const int32_t digits = static_cast<int32_t>(FUnscaled.size()) - (IsNegative() ? 1 : 0);
    return std::max(0, digits - FScale);
}

int32_t TDecimal::SignificantScale() const {
    const std::size_t last = FUnscaled.find_last_not_of('0');
    const int32_t trailingZeros = static_cast<int32_t>(FUnscaled.size() - 1 - last);
    return IsZero() ? 0 : std::max(0, FScale - trailingZeros);
}

int32_t TDecimal::SignificantDigits() const {
    if (IsZero())
        return 0;
    const std::size_t first = IsNegative() ? 1 : 0;
    const std::size_t last = FUnscaled.find_last_not_of('0');
    return static_cast<int32_t>(last - first + 1);
}

TDecimal TDecimal::Rescaled(int32_t aScale) const {
    if (aScale < 0 || aScale > MaxDigits)
        throw EConvertError("Cannot give " + ToString() + " " + std::to_string(aScale) +
                            " decimals");
    if (aScale >= FScale) {
        if (IsZero())
            return TDecimal("0", aScale);
        return TDecimal(FUnscaled + String(static_cast<std::size_t>(aScale - FScale), '0'), aScale);
    }
    const mpz_class divisor = PowerOfTen(FScale - aScale);
    const mpz_class value = Unscaled(FUnscaled);
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), value.get_mpz_t(),
                divisor.get_mpz_t());
    if (2 * abs(remainder) >= divisor)
        quotient += sgn(value);
    return TDecimal(quotient.get_str(10), aScale);
}

bool TDecimal::TryRoundToInt64(int64_t& aValue) const {
    const mpz_class divisor = PowerOfTen(FScale);
    const mpz_class value = Unscaled(FUnscaled);
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), value.get_mpz_t(),
                divisor.get_mpz_t());
    const int half = cmp(2 * abs(remainder), divisor);
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t())))
        quotient += sgn(value);
    const String text = quotient.get_str(10);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), aValue);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

double TDecimal::ToDouble() const {
    const String text = FScale > 0 ? FUnscaled + "e-" + std::to_string(FScale) : FUnscaled;
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large for a double, or too small: infinity or zero, with the sign.
        const double magnitude =
            IntegerDigits() > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return IsNegative() ? -magnitude : magnitude;
    }
    return value;
}

TDecimal operator+(const TDecimal& aLeft, const TDecimal& aRight) {
    const int32_t scale = std::max(aLeft.FScale, aRight.FScale);
    const mpz_class sum =
        Unscaled(aLeft.Rescaled(scale).FUnscaled) + Unscaled(aRight.Rescaled(scale).FUnscaled);
    return TDecimal(sum.get_str(10), scale);
}

TDecimal operator-(const TDecimal& aLeft, const TDecimal& aRight) {
    const int32_t scale = std::max(aLeft.FScale, aRight.FScale);
    const mpz_class difference =
        Unscaled(aLeft.Rescaled(scale).FUnscaled) - Unscaled(aRight.Rescaled(scale).FUnscaled);
    return TDecimal(difference.get_str(10), scale);
}

TDecimal operator*(const TDecimal& aLeft, const TDecimal& aRight) {
    const int32_t scale = aLeft.FScale + aRight.FScale;
    if (scale > TDecimal::MaxDigits)
        throw EConvertError("The product of " + aLeft.ToString() + " and " + aRight.ToString() +
                            " has more than " + std::to_string(TDecimal::MaxDigits) + " decimals");
    const mpz_class product = Unscaled(aLeft.FUnscaled) * Unscaled(aRight.FUnscaled);
    return TDecimal(product.get_str(10), scale);
}

std::strong_ordering operator<=>(const TDecimal& aLeft, const TDecimal& aRight) {
    const int32_t scale = std::max(aLeft.FScale, aRight.FScale);
    const int order =
        cmp(Unscaled(aLeft.Rescaled(scale).FUnscaled), Unscaled(aRight.Rescaled(scale).FUnscaled));
    return order <=> 0;
}

String DecimalToStr(const TDecimal& aValue) {
    return aValue.ToString(FormatSettings().DecimalSeparator);
}

bool TryStrToDecimal(const String& aText, TDecimal& aValue) {
    const char separator = FormatSettings().DecimalSeparator;
    return TDecimal::TryParse(aText, aValue, separator) ||
           (separator != '.' && TDecimal::TryParse(aText, aValue, '.'));
}

TDecimal StrToDecimal(const String& aText) {
    TDecimal value;
    if (!TryStrToDecimal(aText, value))
        throw EConvertError("'" + aText + "' is not a valid decimal number");
    return value;
}

} // namespace fw
