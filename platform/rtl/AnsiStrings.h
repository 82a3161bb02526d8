// SPDX-License-Identifier: MIT
#pragma once
// Locale-aware string comparison and small text helpers. Comparisons use the
// Unicode collation of the system locale (the root collation when the locale is
// "C"), so letters of every script, Cyrillic included, fold their case.
// Results are -1, 0 or 1.

#include "platform/rtl/Types.h"

#include <cstddef>

namespace fw {

// Case-sensitive. Texts that the collation ranks equal but whose bytes differ are
// ordered by their bytes, so only identical texts compare 0.
int32_t AnsiCompareStr(const String& aLeft, const String& aRight);
// Case-insensitive: texts that differ in more than letter case (a control
// character the collation skips, say) never compare 0.
int32_t AnsiCompareText(const String& aLeft, const String& aRight);
bool AnsiSameText(const String& aLeft, const String& aRight);
String AnsiUpperCase(const String& aText);
String AnsiLowerCase(const String& aText);

String Trim(const String& aText);

// The longest prefix of aText of at most aMaxBytes bytes that ends on a UTF-8
// character boundary: a cut never leaves half a character. Bytes that belong to
// no character (stray continuation bytes) count as characters of their own, so
// invalid UTF-8 loses at most three bytes more than the limit asks.
String Utf8Truncate(const String& aText, std::size_t aMaxBytes);

} // namespace fw
