// SPDX-License-Identifier: MIT
#include "platform/rtl/SysUtils.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace fw {
namespace {

// ---- integers ----

// The value of a run of at most nine decimal digits that the caller has checked.
int DigitsValue(std::string_view aDigits) {
    int value = 0;
    std::from_chars(aDigits.data(), aDigits.data() + aDigits.size(), value);
    return value;
}

std::optional<int64_t> ParseInt64(const String& aText) {
    const String text = Trim(aText);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (text.size() - pos > 2 && text[pos] == '0' && (text[pos + 1] | 0x20) == 'x') {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    uint64_t magnitude = 0;
    const char* begin = text.data() + pos;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(begin, end, magnitude, base);
    if (error != std::errc() || last != end) {
        return std::nullopt;
    }
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (magnitude > limit) {
        return std::nullopt;
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

std::optional<int32_t> ParseInt32(const String& aText) {
    const auto value = ParseInt64(aText);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*value);
}

// Stores a parsed value into aValue when there is one; answers whether there was.
template <class T> bool StoreParsed(const std::optional<T>& aParsed, T& aValue) {
    if (aParsed) {
        aValue = *aParsed;
    }
    return aParsed.has_value();
}

// The parsed value, or EConvertError quoting aText as not a valid aWhat.
template <class T>
T ParsedOrError(const std::optional<T>& aParsed, const String& aText, const char* aWhat) {
    if (!aParsed) {
        throw EConvertError("'" + aText + "' is not a valid " + aWhat);
    }
    return *aParsed;
}

// ---- floating point ----

// A decimal number as 0.d1d2d3... x 10^Exponent, trailing zeros removed.
struct TDecimal {
    bool Negative = false;
    String Digits;
    int Exponent = 0;
};

// Digits from std::to_chars: the C library's printf family would write the C
// locale's decimal point, which the host application may have changed.
TDecimal ToDecimal(double aValue, int aPrecision) {
    TDecimal result;
    result.Negative = std::signbit(aValue);
    if (aValue == 0) {
        return result;
    }
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(aValue),
                                       std::chars_format::scientific, aPrecision - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') {
            result.Digits += text[i];
        }
    }
    std::string_view exponent = text.substr(e + 1);
    const bool negativeExponent = exponent.front() == '-';
    exponent.remove_prefix(1);
    result.Exponent = DigitsValue(exponent) * (negativeExponent ? -1 : 1) + 1;
    while (!result.Digits.empty() && result.Digits.back() == '0') {
        result.Digits.pop_back();
    }
    return result;
}

// Rounds to aKeep digits after the start of Digits, halves away from zero.
void RoundDigits(TDecimal& aDecimal, int aKeep) {
    String& digits = aDecimal.Digits;
    if (aKeep >= static_cast<int>(digits.size())) {
        return;
    }
    if (aKeep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[aKeep] >= '5';
    digits.resize(aKeep);
    if (up) {
        int i = aKeep - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            ++aDecimal.Exponent;
        }
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
}

char DigitAt(const TDecimal& aDecimal, int aIndex) {
    return aIndex >= 0 && aIndex < static_cast<int>(aDecimal.Digits.size())
               ? aDecimal.Digits[aIndex]
               : '0';
}

String SpecialValue(double aValue) {
    if (std::isnan(aValue)) {
        return "NAN";
    }
    return aValue < 0 ? "-INF" : "INF";
}

String Scientific(const TDecimal& aDecimal, int aMinMantissa, bool aSignedExponent,
                  int aExponentDigits) {
    const TDecimal& d = aDecimal;
    String text = d.Negative ? "-" : "";
    text += DigitAt(d, 0);
    const int mantissa = std::max<int>(aMinMantissa, static_cast<int>(d.Digits.size()));
    if (mantissa > 1) {
        text += FormatSettings().DecimalSeparator;
        for (int i = 1; i < mantissa; ++i) {
            text += DigitAt(d, i);
        }
    }
    const int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
    text += 'E';
    if (exponent < 0) {
        text += '-';
    } else if (aSignedExponent) {
        text += '+';
    }
    String expDigits = std::to_string(std::abs(exponent));
    while (static_cast<int>(expDigits.size()) < aExponentDigits) {
        expDigits.insert(expDigits.begin(), '0');
    }
    return text + expDigits;
}

String GeneralText(double aValue, int aPrecision) {
    TDecimal d = ToDecimal(aValue, aPrecision);
    if (d.Digits.empty()) {
        return "0";
    }
    if (d.Exponent > aPrecision || d.Exponent < -3) {
        return Scientific(d, 1, false, 0);
    }
    String text = d.Negative ? "-" : "";
    if (d.Exponent <= 0) {
        text += '0';
    }
    for (int i = 0; i < d.Exponent; ++i) {
        text += DigitAt(d, i);
    }
    if (static_cast<int>(d.Digits.size()) > d.Exponent) {
        text += FormatSettings().DecimalSeparator;
        for (int i = d.Exponent; i < static_cast<int>(d.Digits.size()); ++i) {
            text += DigitAt(d, i);
        }
    }
    return text;
}

String FixedText(double aValue, int aPrecision, int aDigits, bool aThousands) {
    TDecimal d = ToDecimal(aValue, aPrecision);
    if (d.Exponent > aPrecision) {
        return GeneralText(aValue, aPrecision);
    }
    RoundDigits(d, d.Exponent + aDigits);
    String integer;
    for (int i = 0; i < d.Exponent; ++i) {
        integer += DigitAt(d, i);
    }
    if (integer.empty()) {
        integer.push_back('0');
    }
    if (aThousands) {
        for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3) {
            integer.insert(integer.begin() + i, FormatSettings().ThousandSeparator);
        }
    }
    String text = (d.Negative && !d.Digits.empty()) ? "-" + integer : integer;
    if (aDigits > 0) {
        text += FormatSettings().DecimalSeparator;
        for (int i = 0; i < aDigits; ++i) {
            text += DigitAt(d, d.Exponent + i);
        }
    }
    return text;
}

// Whether a number that std::from_chars found out of range (aNormal, the text
// ParseFloat handed it) was too small rather than too large: the decimal exponent
// of its first non-zero digit is below zero.
bool Underflowed(std::string_view aNormal) {
    const std::size_t e = aNormal.find('e');
    const std::string_view mantissa = aNormal.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return true;
    }
    const long long leading = first < point ? static_cast<long long>(point - first - 1)
                                            : -static_cast<long long>(first - point);
    if (e == std::string_view::npos) {
        return leading < 0;
    }
    std::string_view exponent = aNormal.substr(e + 1);
    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
        exponent.remove_prefix(1);
    }
    exponent.remove_prefix(std::min(exponent.find_first_not_of('0'), exponent.size()));
    // An exponent of more than nine digits outweighs any mantissa a text can hold.
    if (exponent.size() > 9) {
        return negative;
    }
    const long long scale = DigitsValue(exponent);
    return leading + (negative ? -scale : scale) < 0;
}

// A value too small for a double reads as the nearest one there is (zero with
// the text's sign, as IEEE arithmetic rounds); a value too large is refused.
std::optional<double> ParseFloat(const String& aText) {
    const String text = Trim(aText);
    const char separator = FormatSettings().DecimalSeparator;
    String normal;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            normal += c;
            ++mantissaDigits;
        } else if (c == separator && !seenSeparator) {
            normal += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] | 0x20) == 'e') {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            normal += text[i++];
        }
        int exponentDigits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            normal += text[i];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [last, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range && Underflowed(normal)) {
        value = 0;
    } else if (error != std::errc() || last != normal.data() + normal.size() ||
               !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// ---- dates and times ----

enum class TDateOrder { DMY, MDY, YMD };

TDateOrder DateOrder() {
    const String format = AnsiLowerCase(FormatSettings().ShortDateFormat);
    const auto d = format.find('d');
    const auto m = format.find('m');
    const auto y = format.find('y');
    if (y != String::npos && (d == String::npos || y < d) && (m == String::npos || y < m)) {
        return TDateOrder::YMD;
    }
    if (m != String::npos && d != String::npos && m < d) {
        return TDateOrder::MDY;
    }
    return TDateOrder::DMY;
}

struct TNumberPart {
    int Value;
    std::size_t Digits;
};

std::optional<std::vector<TNumberPart>> SplitNumbers(const String& aText, char aSeparator) {
    std::vector<TNumberPart> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = aText.find(aSeparator, start);
        const String piece =
            Trim(aText.substr(start, end == String::npos ? String::npos : end - start));
        if (piece.empty() || piece.size() > 9 ||
            piece.find_first_not_of("0123456789") != String::npos) {
            return std::nullopt;
        }
        parts.push_back(TNumberPart{DigitsValue(piece), piece.size()});
        if (end == String::npos) {
            return parts;
        }
        start = end + 1;
    }
}

int ExpandYear(const TNumberPart& aYear) {
    if (aYear.Digits > 2) {
        return aYear.Value;
    }
    const int currentYear = DecodeDate(Date()).Year;
    const int centuryBase = currentYear - 50;
    int year = aYear.Value + centuryBase / 100 * 100;
    if (year < centuryBase) {
        year += 100;
    }
    return year;
}

std::optional<TDateTime> ParseDate(const String& aText) {
    const auto parts = SplitNumbers(Trim(aText), FormatSettings().DateSeparator);
    if (!parts || parts->size() < 2 || parts->size() > 3) {
        return std::nullopt;
    }
    const auto& p = *parts;
    int year = 0;
    int month = 0;
    int day = 0;
    const TDateOrder order = DateOrder();
    if (p.size() == 2) {
        year = DecodeDate(Date()).Year;
        month = order == TDateOrder::DMY ? p[1].Value : p[0].Value;
        day = order == TDateOrder::DMY ? p[0].Value : p[1].Value;
    } else if (order == TDateOrder::YMD) {
        year = ExpandYear(p[0]);
        month = p[1].Value;
        day = p[2].Value;
    } else {
        year = ExpandYear(p[2]);
        month = order == TDateOrder::DMY ? p[1].Value : p[0].Value;
        day = order == TDateOrder::DMY ? p[0].Value : p[1].Value;
    }
    if (!IsValidDate(year, month, day)) {
        return std::nullopt;
    }
    return EncodeDate(year, month, day);
}

bool EndsWithWord(const String& aText, const String& aWord) {
    return !aWord.empty() && aText.size() >= aWord.size() &&
           AnsiSameText(aText.substr(aText.size() - aWord.size()), aWord);
}

std::optional<TDateTime> ParseTime(const String& aText) {
    String text = Trim(aText);
    int meridiem = 0; // 1 = AM, 2 = PM
    const TFormatSettings& settings = FormatSettings();
    for (const auto& [word, kind] : {std::pair{settings.TimeAMString, 1},
                                     {settings.TimePMString, 2},
                                     {String("AM"), 1},
                                     {String("PM"), 2}}) {
        if (meridiem == 0 && EndsWithWord(text, word)) {
            meridiem = kind;
            text = Trim(text.substr(0, text.size() - word.size()));
        }
    }
    int msec = 0;
    const std::size_t fraction = text.find_first_of(String(".") + settings.DecimalSeparator);
    if (fraction != String::npos && settings.TimeSeparator != '.') {
        String ms = text.substr(fraction + 1);
        if (ms.empty() || ms.size() > 3 || ms.find_first_not_of("0123456789") != String::npos) {
            return std::nullopt;
        }
        ms.resize(3, '0');
        msec = DigitsValue(ms);
        text = text.substr(0, fraction);
    }
    const auto parts = SplitNumbers(text, settings.TimeSeparator);
    if (!parts || parts->size() > 3) {
        return std::nullopt;
    }
    const auto& p = *parts;
    int hour = p[0].Value;
    const int minute = p.size() > 1 ? p[1].Value : 0;
    const int second = p.size() > 2 ? p[2].Value : 0;
    if (meridiem != 0) {
        if (hour < 1 || hour > 12) {
            return std::nullopt;
        }
        hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    if (!IsValidTime(hour, minute, second, msec)) {
        return std::nullopt;
    }
    return EncodeTime(hour, minute, second, msec);
}

bool IsBlank(char aChar) {
    return static_cast<unsigned char>(aChar) <= ' ';
}

// Where a date followed by blanks and a time can end: at the blank after one of
// its (at most three) numbers, in a beginning made of digits, blanks (as Trim
// counts them) and date separators only. A date may hold blanks itself ("1. 1.2000"),
// so the first blank is not always its end; at most three places keep the
// reading linear in the text's length.
std::vector<std::size_t> DateEnds(const String& aText) {
    const char separator = FormatSettings().DateSeparator;
    std::vector<std::size_t> ends;
    int numbers = 0;
    for (std::size_t i = 0; i < aText.size() && numbers < 3; ++i) {
        const char c = aText[i];
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !IsBlank(c) && c != separator) {
            break;
        }
        const bool last = i + 1 == aText.size();
        if (digit && (last || aText[i + 1] < '0' || aText[i + 1] > '9')) {
            ++numbers;
            if (!last && IsBlank(aText[i + 1])) {
                ends.push_back(i + 1);
            }
        }
    }
    return ends;
}

std::optional<TDateTime> ParseDateTime(const String& aText) {
    const String text = Trim(aText);
    if (auto date = ParseDate(text)) {
        return date;
    }
    for (const std::size_t end : DateEnds(text)) {
        const auto date = ParseDate(text.substr(0, end));
        if (!date) {
            continue;
        }
        if (const auto time = ParseTime(text.substr(end + 1))) {
            return ComposeDateTime(*date, *time);
        }
    }
    return ParseTime(text);
}

String Padded(int aValue, std::size_t aWidth) {
    String text = std::to_string(aValue);
    while (text.size() < aWidth) {
        text.insert(text.begin(), '0');
    }
    return text;
}

std::size_t RunLength(const String& aFormat, std::size_t aPos) {
    std::size_t end = aPos;
    const char c = static_cast<char>(aFormat[aPos] | 0x20);
    while (end < aFormat.size() && static_cast<char>(aFormat[end] | 0x20) == c) {
        ++end;
    }
    return end - aPos;
}

} // namespace

String IntToStr(int64_t aValue) {
    return std::to_string(aValue);
}

int64_t StrToInt64(const String& aText) {
    return ParsedOrError(ParseInt64(aText), aText, "integer value");
}

bool TryStrToInt64(const String& aText, int64_t& aValue) {
    return StoreParsed(ParseInt64(aText), aValue);
}

bool TryStrToInt(const String& aText, int32_t& aValue) {
    return StoreParsed(ParseInt32(aText), aValue);
}

int32_t StrToInt(const String& aText) {
    return ParsedOrError(ParseInt32(aText), aText, "integer value");
}

String FloatToStrF(double aValue, TFloatFormat aFormat, int32_t aPrecision, int32_t aDigits) {
    if (!std::isfinite(aValue)) {
        return SpecialValue(aValue);
    }
    const int precision = std::clamp(aPrecision, 1, 17);
    switch (aFormat) {
    case ffGeneral:
        return GeneralText(aValue, precision);
    case ffExponent:
        return Scientific(ToDecimal(aValue, precision), precision, true, std::clamp(aDigits, 0, 4));
    case ffFixed:
        return FixedText(aValue, precision, std::clamp(aDigits, 0, 18), false);
    case ffNumber:
        return FixedText(aValue, precision, std::clamp(aDigits, 0, 18), true);
    }
    return GeneralText(aValue, precision);
}

String FloatToStr(double aValue) {
    return FloatToStrF(aValue, ffGeneral, 15, 0);
}

bool TryStrToFloat(const String& aText, double& aValue) {
    return StoreParsed(ParseFloat(aText), aValue);
}

double StrToFloat(const String& aText) {
    return ParsedOrError(ParseFloat(aText), aText, "floating point value");
}

String FormatDateTime(const String& aFormat, TDateTime aValue) {
    const TDateParts date = DecodeDate(aValue);
    const TTimeParts time = DecodeTime(aValue);
    const TFormatSettings& settings = FormatSettings();
    const bool twelveHour = AnsiLowerCase(aFormat).find("am/pm") != String::npos;
    String text;
    std::size_t i = 0;
    while (i < aFormat.size()) {
        const char c = aFormat[i];
        const char lower = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            const std::size_t close = aFormat.find(c, i + 1);
            text += aFormat.substr(i + 1, close == String::npos ? String::npos : close - i - 1);
            i = close == String::npos ? aFormat.size() : close + 1;
            continue;
        }
        if (lower == 'a' && AnsiSameText(aFormat.substr(i, 5), "am/pm")) {
            text += time.Hour < 12 ? settings.TimeAMString : settings.TimePMString;
            i += 5;
            continue;
        }
        if (c == '/' || c == ':') {
            text += c == '/' ? settings.DateSeparator : settings.TimeSeparator;
            ++i;
            continue;
        }
        const std::size_t run =
            (lower >= 'a' && lower <= 'z') ? RunLength(aFormat, i) : std::size_t{1};
        const std::size_t width = run >= 2 ? 2 : 1;
        switch (lower) {
        case 'd':
            text += Padded(date.Day, width);
            break;
        case 'm':
            text += Padded(date.Month, width);
            break;
        case 'y':
            text += run >= 3 ? Padded(date.Year, 4) : Padded(date.Year % 100, 2);
            break;
        case 'h':
            text += Padded(twelveHour ? (time.Hour + 11) % 12 + 1 : time.Hour, width);
            break;
        case 'n':
            text += Padded(time.Minute, width);
            break;
        case 's':
            text += Padded(time.Second, width);
            break;
        case 'z':
            text += Padded(time.MSec, run >= 3 ? 3 : 1);
            break;
        default:
            text += aFormat.substr(i, run);
        }
        i += run;
    }
    return text;
}

String DateToStr(TDateTime aValue) {
    return FormatDateTime(FormatSettings().ShortDateFormat, aValue);
}

String TimeToStr(TDateTime aValue) {
    return FormatDateTime(FormatSettings().LongTimeFormat, aValue);
}

String DateTimeToStr(TDateTime aValue) {
    const TTimeParts time = DecodeTime(aValue);
    const bool midnight = time.Hour == 0 && time.Minute == 0 && time.Second == 0 && time.MSec == 0;
    return midnight ? DateToStr(aValue) : DateToStr(aValue) + " " + TimeToStr(aValue);
}

bool TryStrToDate(const String& aText, TDateTime& aValue) {
    return StoreParsed(ParseDate(aText), aValue);
}

bool TryStrToTime(const String& aText, TDateTime& aValue) {
    return StoreParsed(ParseTime(aText), aValue);
}

bool TryStrToDateTime(const String& aText, TDateTime& aValue) {
    return StoreParsed(ParseDateTime(aText), aValue);
}

TDateTime StrToDate(const String& aText) {
    return ParsedOrError(ParseDate(aText), aText, "date");
}

TDateTime StrToTime(const String& aText) {
    return ParsedOrError(ParseTime(aText), aText, "time");
}

TDateTime StrToDateTime(const String& aText) {
    return ParsedOrError(ParseDateTime(aText), aText, "date and time");
}

} // namespace fw
