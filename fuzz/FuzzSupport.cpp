// SPDX-License-Identifier: MIT
#include "FuzzSupport.h"

#include "platform/rtl/DateUtils.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

fw::String Text(const uint8_t* aData, std::size_t aSize) {
    return fw::String(reinterpret_cast<const char*>(aData), aSize);
}

void Fail(const char* aProperty, const fw::String& aInput) {
    std::fprintf(stderr, "\nproperty failed: %s\ninput (%zu bytes): \"", aProperty, aInput.size());
    for (const char c : aInput) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02X", byte);
        }
    }
    std::fprintf(stderr, "\"\n");
    std::abort();
}

void UseCommaCLocale() {
    for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            return;
        }
    }
    std::fprintf(stderr, "fuzz: no comma-decimal locale installed (run scripts/install-deps)\n");
}

fw::TFormatSettings Russian() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    settings.DateSeparator = '.';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "h:nn:ss";
    return settings;
}

fw::TFormatSettings American() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = '.';
    settings.ThousandSeparator = ',';
    settings.DateSeparator = '/';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "m/d/yyyy";
    settings.LongTimeFormat = "h:nn:ss AM/PM";
    return settings;
}

fw::TFormatSettings Iso() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = '.';
    settings.ThousandSeparator = ' ';
    settings.DateSeparator = '-';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "yyyy/mm/dd";
    settings.LongTimeFormat = "hh:nn:ss";
    return settings;
}

bool SameToTheSecond(fw::TDateTime aFirst, fw::TDateTime aSecond) {
    const fw::TDateParts firstDay = fw::DecodeDate(aFirst);
    const fw::TDateParts secondDay = fw::DecodeDate(aSecond);
    const fw::TTimeParts firstTime = fw::DecodeTime(aFirst);
    const fw::TTimeParts secondTime = fw::DecodeTime(aSecond);
    return firstDay.Year == secondDay.Year && firstDay.Month == secondDay.Month &&
           firstDay.Day == secondDay.Day && firstTime.Hour == secondTime.Hour &&
           firstTime.Minute == secondTime.Minute && firstTime.Second == secondTime.Second;
}

bool SameTimeOfDayToTheSecond(fw::TDateTime aFirst, fw::TDateTime aSecond) {
    const fw::TTimeParts first = fw::DecodeTime(aFirst);
    const fw::TTimeParts second = fw::DecodeTime(aSecond);
    return first.Hour == second.Hour && first.Minute == second.Minute &&
           first.Second == second.Second;
}

fw::String AsciiLower(const fw::String& aText) {
    fw::String lower = aText;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

} // namespace fuzz

// Every target runs with the C library in a comma-decimal locale: number text must not
// depend on it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::UseCommaCLocale();
    return 0;
}
