// SPDX-License-Identifier: MIT
#pragma once
// Date-time arithmetic on TDateTime: days since 30 December 1899 in the integer
// part, the time of day as the fraction. Before that day the integer part is
// negative and the fraction still counts forward from midnight: -1.25 is
// 29 December 1899, 06:00.

#include "platform/rtl/Types.h"

#include <cstdint>

namespace fw {

struct TDateParts {
    int32_t Year = 0;
    int32_t Month = 0;
    int32_t Day = 0;
};

struct TTimeParts {
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;
    int32_t MSec = 0;
};

inline constexpr double MSecsPerDay = 86400000.0;

bool IsValidDate(int32_t aYear, int32_t aMonth, int32_t aDay);
bool IsValidTime(int32_t aHour, int32_t aMinute, int32_t aSecond, int32_t aMSec);
// Raise EConvertError naming the parts when they are out of range.
TDateTime EncodeDate(int32_t aYear, int32_t aMonth, int32_t aDay);
TDateTime EncodeTime(int32_t aHour, int32_t aMinute, int32_t aSecond, int32_t aMSec);
TDateParts DecodeDate(TDateTime aValue);
// The time of day, rounded to the nearest millisecond.
TTimeParts DecodeTime(TDateTime aValue);

// The day (integer part) and the time of day (fraction, never negative).
TDateTime DateOf(TDateTime aValue);
TDateTime TimeOf(TDateTime aValue);
// A day and a time of day joined into one value (the inverse of DateOf/TimeOf).
TDateTime ComposeDateTime(TDateTime aDate, TDateTime aTime);

// Day number 1 = Monday ... 7 = Sunday.
int32_t DayOfTheWeek(TDateTime aValue);
// Today's date and the current date-time from the system clock.
TDateTime Date();
TDateTime Now();

} // namespace fw
