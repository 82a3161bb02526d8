// SPDX-License-Identifier: MIT
#include "DateTimeChecks.h"

#include "FuzzSupport.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>

namespace fuzz {
namespace {

using TReader = fw::TDateTime (*)(const fw::String&);
using TTryReader = bool (*)(const fw::String&, fw::TDateTime&);

bool ValidDay(fw::TDateTime aValue) {
    const fw::TDateParts parts = fw::DecodeDate(aValue);
    return fw::IsValidDate(parts.Year, parts.Month, parts.Day) &&
           fw::EncodeDate(parts.Year, parts.Month, parts.Day) == std::trunc(aValue);
}

// Runs aRead on aText: answers whether it accepted, with the value in aValue.
bool Read(const fw::String& aText, TReader aRead, TTryReader aTry, const char* aWhat,
          fw::TDateTime& aValue) {
    fw::TDateTime tried = -7;
    const bool triedOk = aTry(aText, tried);
    try {
        aValue = aRead(aText);
        Check(triedOk && tried == aValue, "the reader and its Try agree", aText);
        return true;
    } catch (const fw::EConvertError& e) {
        Check(!triedOk && tried == -7, "the Try reader refuses too, leaving its result", aText);
        Check(e.Message() == "'" + aText + "' is not a valid " + aWhat,
              "the message quotes the text", aText);
        return false;
    }
}

// Each value's own text: the date in the settings' order and the time with
// milliseconds.
fw::String DateText(fw::TDateTime aValue) {
    return fw::FormatDateTime(fw::FormatSettings().ShortDateFormat, aValue);
}

fw::String TimeText(fw::TDateTime aValue) {
    return fw::FormatDateTime("hh:nn:ss.zzz", aValue);
}

} // namespace

void CheckStrToDate(const fw::String& aText) {
    for (const TSettingsMaker settings : AllSettings) {
        fw::TFormatSettingsScope scope(settings());
        fw::TDateTime value = 0;
        if (!Read(aText, &fw::StrToDate, &fw::TryStrToDate, "date", value)) {
            continue;
        }
        Check(value == std::trunc(value) && ValidDay(value), "a whole valid day", aText);
        Check(fw::StrToDate(fw::DateToStr(value)) == value, "DateToStr reads back", aText);
    }
}

void CheckStrToTime(const fw::String& aText) {
    for (const TSettingsMaker settings : AllSettings) {
        fw::TFormatSettingsScope scope(settings());
        fw::TDateTime value = 0;
        if (!Read(aText, &fw::StrToTime, &fw::TryStrToTime, "time", value)) {
            continue;
        }
        Check(value >= 0 && value < 1, "a time of day", aText);
        Check(fw::StrToTime(TimeText(value)) == value, "the time with milliseconds reads back",
              aText);
        Check(SameToTheSecond(fw::StrToTime(fw::TimeToStr(value)), value),
              "TimeToStr reads back to the second", aText);
    }
}

void CheckStrToDateTime(const fw::String& aText) {
    for (const TSettingsMaker settings : AllSettings) {
        fw::TFormatSettingsScope scope(settings());
        fw::TDateTime value = 0;
        if (!Read(aText, &fw::StrToDateTime, &fw::TryStrToDateTime, "date and time", value)) {
            continue;
        }
        Check(ValidDay(value) || (value >= 0 && value < 1), "a valid day or a time of day", aText);
        const fw::String full = DateText(value) + " " + TimeText(value);
        Check(fw::StrToDateTime(full) == value, "date and time with milliseconds read back", aText);
        Check(SameToTheSecond(fw::StrToDateTime(fw::DateTimeToStr(value)), value),
              "DateTimeToStr reads back to the second", aText);
    }
}

} // namespace fuzz
