// SPDX-License-Identifier: MIT
#pragma once
// Process-wide format settings used by every conversion between numbers, dates,
// times and text. Initialised from the system locale at start-up; hosts and tests
// may change them at any time on the GUI thread.
//
// ShortDateFormat uses the tokens d, dd, m, mm, yy, yyyy; "/" stands for
// DateSeparator. LongTimeFormat uses h, hh, n, nn, s, ss, and optionally "AM/PM"
// for a 12-hour clock; ":" stands for TimeSeparator. Any other character is copied.

#include "platform/rtl/Types.h"

namespace fw {

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    String ShortDateFormat = "yyyy/mm/dd";
    String LongTimeFormat = "hh:nn:ss";
    String TimeAMString = "AM";
    String TimePMString = "PM";

    // Settings read from the system's locale; a locale whose formats cannot be
    // expressed with the tokens above keeps the defaults for that format.
    static TFormatSettings FromSystemLocale();
    // Settings of a named locale such as "de_DE" or "en_US".
    static TFormatSettings FromLocale(const String& aLocaleName);
};

// The process-wide settings.
TFormatSettings& FormatSettings();

// Sets the process-wide settings for its lifetime and restores the previous ones
// afterwards; used by tests and by code that converts in a fixed format.
class TFormatSettingsScope {
public:
    explicit TFormatSettingsScope(const TFormatSettings& aSettings);
    ~TFormatSettingsScope();
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

} // namespace fw
