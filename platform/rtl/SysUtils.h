// SPDX-License-Identifier: MIT
#pragma once
// Conversions between numbers, dates, times and text, following FormatSettings().
// Text that does not convert raises EConvertError with a message quoting it.

#include "platform/rtl/Types.h"

#include <cstdint>

namespace fw {

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
using enum TFloatFormat;

String IntToStr(int64_t aValue);
// Decimal, or hexadecimal after "$" or "0x"; surrounding blanks are ignored.
// Values outside the 32-bit range raise.
int32_t StrToInt(const String& aText);
int64_t StrToInt64(const String& aText);
bool TryStrToInt(const String& aText, int32_t& aValue);
bool TryStrToInt64(const String& aText, int64_t& aValue);

// ffFixed: rounded to aPrecision significant digits, then shown with aDigits
// decimals; a number with more than aPrecision digits before the separator comes
// out in scientific notation instead. ffGeneral: the shortest form with up to
// aPrecision significant digits. ffExponent: d.ddddE+dddd. ffNumber: ffFixed with
// thousand separators.
String FloatToStrF(double aValue, TFloatFormat aFormat, int32_t aPrecision, int32_t aDigits);
// ffGeneral with 15 significant digits.
String FloatToStr(double aValue);
// Accepts an optional sign, digits with DecimalSeparator, an optional exponent;
// surrounding blanks are ignored. A value too large for a double raises; a value
// too small for one reads as the nearest there is, zero with the text's sign
// ("1e-400" is 0, "-1e-400" is -0), as IEEE arithmetic rounds it.
double StrToFloat(const String& aText);
bool TryStrToFloat(const String& aText, double& aValue);

// Formats ShortDateFormat and LongTimeFormat; DateTimeToStr leaves out the time at
// exactly midnight.
String DateTimeToStr(TDateTime aValue);
String DateToStr(TDateTime aValue);
String TimeToStr(TDateTime aValue);
// Reads the day, month and year in the order ShortDateFormat gives them,
// separated by DateSeparator; a missing year is the current one, a two-digit year
// falls within 50 years of the current one.
TDateTime StrToDate(const String& aText);
// Reads h[:n[:s[.zzz]]] with TimeSeparator and an optional AM/PM suffix.
TDateTime StrToTime(const String& aText);
// A date, a time, or a date followed by blanks and a time.
TDateTime StrToDateTime(const String& aText);
bool TryStrToDate(const String& aText, TDateTime& aValue);
bool TryStrToTime(const String& aText, TDateTime& aValue);
bool TryStrToDateTime(const String& aText, TDateTime& aValue);

// Formats a date-time by a pattern of the tokens of FormatSettings.h.
String FormatDateTime(const String& aFormat, TDateTime aValue);

} // namespace fw
