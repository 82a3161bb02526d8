// SPDX-License-Identifier: MIT
#pragma once
// Shared pieces of the fuzz targets: the input as text, property checks that stop
// the run with a report, the C locale a GUI application would set, and the format
// settings each target runs its input under.

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace fuzz {

fw::String Text(const uint8_t* aData, std::size_t aSize);

// Reports the failed property with the input (printable, escaped) and aborts, which
// libFuzzer records as a crash with the input saved.
[[noreturn]] void Fail(const char* aProperty, const fw::String& aInput);

inline void Check(bool aHolds, const char* aProperty, const fw::String& aInput) {
    if (!aHolds) {
        Fail(aProperty, aInput);
    }
}

// Sets the C library's locale to one with a decimal comma (ru_RU.UTF-8, else
// de_DE.UTF-8), as a Qt application does at start-up with the user's locale:
// number text must not change with it.
void UseCommaCLocale();

// Day-month-year with "." and a decimal comma, 24-hour times.
fw::TFormatSettings Russian();
// Month/day/year with "/", a decimal point and a 12-hour clock.
fw::TFormatSettings American();
// Year-month-day with "-", a decimal point, 24-hour times.
fw::TFormatSettings Iso();

using TSettingsMaker = fw::TFormatSettings (*)();
inline constexpr std::array<TSettingsMaker, 3> AllSettings{&Russian, &American, &Iso};

// The same day and the same time of day to the second: what a date-time's text
// shows.
bool SameToTheSecond(fw::TDateTime aFirst, fw::TDateTime aSecond);
// The same time of day to the second, whatever the days: what a time shows.
bool SameTimeOfDayToTheSecond(fw::TDateTime aFirst, fw::TDateTime aSecond);

// Lower-case ASCII letters only; other bytes stay.
fw::String AsciiLower(const fw::String& aText);

} // namespace fuzz
