// SPDX-License-Identifier: MIT
#pragma once
// Readers written apart from the library's, to check its answers against: they
// share no code with platform/rtl and follow the documented grammar directly.

#include "platform/rtl/Types.h"

#include <optional>

namespace fuzz {

// An integer as StrToInt64 documents it: blanks (bytes up to the space) trimmed,
// an optional sign, then decimal digits or "$"/"0x" and hexadecimal digits. The
// magnitude saturates just past the 64-bit range, so a value too large for it
// stays too large.
std::optional<__int128> ReferenceInteger(const fw::String& aText);

// A number as StrToFloat documents it, with aSeparator as the decimal separator,
// read by the C library's strtod in the "C" locale. Answers nothing when the text
// does not follow the grammar; an infinite value when it is too large.
std::optional<double> ReferenceFloat(const fw::String& aText, char aSeparator);

} // namespace fuzz
