// SPDX-License-Identifier: MIT
#include "platform/rtl/DateUtils.h"

#include "platform/rtl/Exceptions.h"

#include <chrono>
#include <cmath>

namespace fw {
namespace {

using namespace std::chrono;

constexpr sys_days Epoch = sys_days{year{1899} / December / 30};

String DateText(int32_t aYear, int32_t aMonth, int32_t aDay) {
    return std::to_string(aYear) + "-" + std::to_string(aMonth) + "-" + std::to_string(aDay);
}

} // namespace

bool IsValidDate(int32_t aYear, int32_t aMonth, int32_t aDay) {
    if (aYear < 1 || aYear > 9999 || aMonth < 1 || aMonth > 12 || aDay < 1) {
        return false;
    }
    // Compared as integers: std::chrono::day keeps only 0..255, so day 525 would
    // pass as day 13.
    const year_month_day_last last{year{aYear},
                                   month_day_last{month{static_cast<unsigned>(aMonth)}}};
    return aDay <= static_cast<int32_t>(unsigned(last.day()));
}

bool IsValidTime(int32_t aHour, int32_t aMinute, int32_t aSecond, int32_t aMSec) {
    return aHour >= 0 && aHour < 24 && aMinute >= 0 && aMinute < 60 && aSecond >= 0 &&
           aSecond < 60 && aMSec >= 0 && aMSec < 1000;
}

TDateTime EncodeDate(int32_t aYear, int32_t aMonth, int32_t aDay) {
    if (!IsValidDate(aYear, aMonth, aDay)) {
        throw EConvertError("Invalid argument to date encode: " + DateText(aYear, aMonth, aDay));
    }
    const sys_days days{year_month_day{year{aYear}, month{static_cast<unsigned>(aMonth)},
                                       day{static_cast<unsigned>(aDay)}}};
    return static_cast<double>((days - Epoch).count());
}

TDateTime EncodeTime(int32_t aHour, int32_t aMinute, int32_t aSecond, int32_t aMSec) {
    if (!IsValidTime(aHour, aMinute, aSecond, aMSec)) {
        throw EConvertError("Invalid argument to time encode: " + std::to_string(aHour) + ":" +
                            std::to_string(aMinute) + ":" + std::to_string(aSecond) + "." +
                            std::to_string(aMSec));
    }
    return ((aHour * 3600000.0) + (aMinute * 60000.0) + (aSecond * 1000.0) + aMSec) / MSecsPerDay;
}

TDateParts DecodeDate(TDateTime aValue) {
    const auto dayNumber = static_cast<int64_t>(std::trunc(aValue));
    const year_month_day ymd{Epoch + days{dayNumber}};
    return TDateParts{static_cast<int>(ymd.year()), static_cast<int32_t>(unsigned(ymd.month())),
                      static_cast<int32_t>(unsigned(ymd.day()))};
}

TTimeParts DecodeTime(TDateTime aValue) {
    auto msecs = static_cast<int64_t>(std::llround(TimeOf(aValue) * MSecsPerDay));
    if (msecs >= static_cast<int64_t>(MSecsPerDay)) {
        msecs = static_cast<int64_t>(MSecsPerDay) - 1;
    }
    TTimeParts parts;
    parts.Hour = static_cast<int32_t>(msecs / 3600000);
    parts.Minute = static_cast<int32_t>(msecs / 60000 % 60);
    parts.Second = static_cast<int32_t>(msecs / 1000 % 60);
    parts.MSec = static_cast<int32_t>(msecs % 1000);
    return parts;
}

TDateTime DateOf(TDateTime aValue) {
    return std::trunc(aValue);
}

TDateTime TimeOf(TDateTime aValue) {
    return std::fabs(aValue - std::trunc(aValue));
}

TDateTime ComposeDateTime(TDateTime aDate, TDateTime aTime) {
    const double day = std::trunc(aDate);
    const double time = std::fabs(aTime - std::trunc(aTime));
    return day < 0 ? day - time : day + time;
}

int32_t DayOfTheWeek(TDateTime aValue) {
    const weekday wd{Epoch + days{static_cast<int64_t>(std::trunc(aValue))}};
    return static_cast<int32_t>(wd.iso_encoding());
}

TDateTime Now() {
    const auto now = system_clock::now();
    const auto today = floor<days>(now);
    const auto msecs = duration_cast<milliseconds>(now - today).count();
    // The system clock is UTC; the local time of day comes from the C library.
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const TDateTime day = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const TDateTime time =
        EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int32_t>(msecs % 1000));
    return ComposeDateTime(day, time);
}

TDateTime Date() {
    return DateOf(Now());
}

} // namespace fw
