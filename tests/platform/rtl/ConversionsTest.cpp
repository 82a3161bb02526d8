// SPDX-License-Identifier: MIT
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

fw::TFormatSettings Settings(char aDecimal, char aDateSep, const char* aDateFormat,
                             const char* aTimeFormat = "hh:nn:ss") {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = aDecimal;
    settings.ThousandSeparator = aDecimal == ',' ? '.' : ',';
    settings.DateSeparator = aDateSep;
    settings.ShortDateFormat = aDateFormat;
    settings.TimeSeparator = ':';
    settings.LongTimeFormat = aTimeFormat;
    return settings;
}

const fw::TFormatSettings Point = Settings('.', '/', "m/d/yyyy");
const fw::TFormatSettings Comma = Settings(',', '.', "dd/mm/yyyy");

TEST(IntegerConversions, ParseAndFormat) {
    EXPECT_EQ(fw::IntToStr(-42), "-42");
    EXPECT_EQ(fw::StrToInt(" 17 "), 17);
    EXPECT_EQ(fw::StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(fw::StrToInt("$FF"), 255);
    EXPECT_EQ(fw::StrToInt("0x10"), 16);
    for (const char* bad : {"", "12a", "1.5", "2147483648", "--1", "$"}) {
        try {
            fw::StrToInt(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(FloatConversions, ParseOnlyWithTheSettingsSeparator) {
    {
        fw::TFormatSettingsScope scope(Point);
        EXPECT_DOUBLE_EQ(fw::StrToFloat("3.25"), 3.25);
        EXPECT_DOUBLE_EQ(fw::StrToFloat(" -1.5e3 "), -1500);
        EXPECT_DOUBLE_EQ(fw::StrToFloat(".5"), 0.5);
        EXPECT_THROW(fw::StrToFloat("3,25"), fw::EConvertError);
    }
    {
        fw::TFormatSettingsScope scope(Comma);
        EXPECT_DOUBLE_EQ(fw::StrToFloat("3,25"), 3.25);
        EXPECT_THROW(fw::StrToFloat("3.25"), fw::EConvertError);
    }
    for (const char* bad : {"", "abc", "1e", "1,2,3", "1e999", "--2"}) {
        fw::TFormatSettingsScope scope(Comma);
        try {
            fw::StrToFloat(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      "'" + std::string(bad) + "' is not a valid floating point value");
        }
    }
}

// Switches the C library to a locale for its lifetime, as a GUI application's
// start-up does with the user's locale.
class TCLocaleScope {
public:
    explicit TCLocaleScope(const char* aName) : FSaved(std::setlocale(LC_ALL, nullptr)) {
        FActive = std::setlocale(LC_ALL, aName) != nullptr;
    }
    ~TCLocaleScope() { std::setlocale(LC_ALL, FSaved.c_str()); }
    bool Active() const { return FActive; }

private:
    std::string FSaved;
    bool FActive = false;
};

TEST(FloatConversions, TextDoesNotDependOnTheCLibrarysLocale) {
    TCLocaleScope locale("ru_RU.UTF-8");
    ASSERT_TRUE(locale.Active()) << "ru_RU.UTF-8 is missing: run scripts/install-deps";
    {
        fw::TFormatSettingsScope scope(Point);
        EXPECT_EQ(fw::FloatToStr(1.5), "1.5");
        EXPECT_EQ(fw::FloatToStrF(2.25, fw::ffFixed, 15, 4), "2.2500");
        EXPECT_EQ(fw::FloatToStrF(-1234.5, fw::ffExponent, 5, 2), "-1.2345E+03");
        EXPECT_EQ(fw::Format("%.2f", {3.14159}), "3.14");
        EXPECT_DOUBLE_EQ(fw::StrToFloat("2.5"), 2.5);
    }
    fw::TFormatSettingsScope scope(Comma);
    EXPECT_EQ(fw::FloatToStr(1.5), "1,5");
    EXPECT_EQ(fw::FloatToStrF(2.25, fw::ffFixed, 15, 4), "2,2500");
    EXPECT_EQ(fw::FloatToStrF(1234567.5, fw::ffNumber, 15, 1), "1.234.567,5");
    EXPECT_EQ(fw::Format("%.2f", {3.14159}), "3,14");
    EXPECT_DOUBLE_EQ(fw::StrToFloat("2,5"), 2.5);
    EXPECT_THROW(fw::StrToFloat("2.5"), fw::EConvertError);
}

// Too small for a double reads as the nearest there is (zero with the sign, or a
// denormal); too large is refused.
TEST(FloatConversions, UnderflowReadsAsTheNearestValueOverflowRaises) {
    fw::TFormatSettingsScope scope(Comma);
    EXPECT_EQ(fw::StrToFloat("1e-371"), 0.0);
    EXPECT_TRUE(std::signbit(fw::StrToFloat("-1e-400")));
    EXPECT_EQ(fw::StrToFloat("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(fw::StrToFloat("0,0000000001e-320"), 0.0);
    EXPECT_EQ(fw::StrToFloat("1e-323"), 1e-323) << "a denormal stays";
    EXPECT_EQ(fw::StrToFloat("1000000e-329"), 1e-323);
    for (const char* huge : {"1e309", "-1e309", "1e99999999999999999999", "0,01e312"}) {
        EXPECT_THROW(fw::StrToFloat(huge), fw::EConvertError) << huge;
    }
}

TEST(FloatConversions, FixedFormatRoundsToPrecisionThenDigits) {
    struct Case {
        double Value;
        const char* Point;
        const char* Comma;
    };
    const Case cases[] = {
        {0, "0.0000", "0,0000"},
        {1.5, "1.5000", "1,5000"},
        {-2.25, "-2.2500", "-2,2500"},
        {0.00005, "0.0001", "0,0001"},
        {-0.00001, "0.0000", "0,0000"},
        {9.99995, "10.0000", "10,0000"},
        {1234567.123456789, "1234567.1235", "1234567,1235"},
        {123456789012345.0, "123456789012345.0000", "123456789012345,0000"},
        {1e16, "1E16", "1E16"},
        {-1.5e20, "-1.5E20", "-1,5E20"},
    };
    for (const Case& c : cases) {
        {
            fw::TFormatSettingsScope scope(Point);
            EXPECT_EQ(fw::FloatToStrF(c.Value, fw::ffFixed, 15, 4), c.Point) << c.Value;
        }
        fw::TFormatSettingsScope scope(Comma);
        EXPECT_EQ(fw::FloatToStrF(c.Value, fw::ffFixed, 15, 4), c.Comma) << c.Value;
    }
}

TEST(FloatConversions, GeneralFormatRoundTrips) {
    fw::TFormatSettingsScope scope(Comma);
    EXPECT_EQ(fw::FloatToStr(0.1), "0,1");
    EXPECT_EQ(fw::FloatToStr(100), "100");
    EXPECT_EQ(fw::FloatToStr(1e20), "1E20");
    EXPECT_EQ(fw::FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(fw::FloatToStr(0.0001), "0,0001");
    for (double v : {3.14159, -2.5e-7, 123456.789, 1.0 / 3}) {
        EXPECT_NEAR(fw::StrToFloat(fw::FloatToStr(v)), v, std::fabs(v) * 1e-14);
    }
}

TEST(DateArithmetic, DaysCountFromTheEndOf1899) {
    EXPECT_EQ(fw::EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(fw::EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(fw::EncodeDate(2000, 2, 29), 36585);
    EXPECT_THROW(fw::EncodeDate(2001, 2, 29), fw::EConvertError);
    const fw::TDateParts parts = fw::DecodeDate(36585.75);
    EXPECT_EQ(parts.Year, 2000);
    EXPECT_EQ(parts.Month, 2);
    EXPECT_EQ(parts.Day, 29);
    EXPECT_EQ(fw::DecodeTime(36585.75).Hour, 18);
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(fw::DecodeDate(-1.25).Day, 29);
    EXPECT_EQ(fw::DecodeTime(-1.25).Hour, 6);
    EXPECT_DOUBLE_EQ(fw::ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_DOUBLE_EQ(fw::ComposeDateTime(fw::DateOf(-1.25), fw::TimeOf(-1.25)), -1.25);
    EXPECT_EQ(fw::DecodeTime(fw::EncodeTime(23, 59, 59, 999)).MSec, 999);
}

TEST(DateConversions, TwoDateFormatsBothWays) {
    const double moment = fw::EncodeDate(2024, 3, 7) + fw::EncodeTime(14, 5, 9, 0);
    {
        fw::TFormatSettingsScope scope(Point);
        EXPECT_EQ(fw::DateToStr(moment), "3/7/2024");
        EXPECT_EQ(fw::DateTimeToStr(moment), "3/7/2024 14:05:09");
        EXPECT_DOUBLE_EQ(fw::StrToDate("3/7/2024"), fw::EncodeDate(2024, 3, 7));
        EXPECT_DOUBLE_EQ(fw::StrToDateTime("3/7/2024 14:05:09"), moment);
        EXPECT_THROW(fw::StrToDate("7.3.2024"), fw::EConvertError);
    }
    {
        fw::TFormatSettingsScope scope(Comma);
        EXPECT_EQ(fw::DateToStr(moment), "07.03.2024");
        EXPECT_EQ(fw::DateTimeToStr(fw::DateOf(moment)), "07.03.2024") << "no time at midnight";
        EXPECT_DOUBLE_EQ(fw::StrToDate("7.3.2024"), fw::EncodeDate(2024, 3, 7));
        EXPECT_DOUBLE_EQ(fw::StrToDateTime("07.03.2024 14:05:09"), moment);
        EXPECT_DOUBLE_EQ(fw::StrToDateTime("14:05"), fw::EncodeTime(14, 5, 0, 0));
    }
    fw::TFormatSettingsScope scope(Settings('.', '-', "yyyy/mm/dd"));
    EXPECT_EQ(fw::DateToStr(0), "1899-12-30");
    EXPECT_DOUBLE_EQ(fw::StrToDate("1899-12-30"), 0);
}

// A day is checked as a whole number: a day of 256 or more must not pass as its
// remainder.
TEST(DateArithmetic, DaysPastTheMonthsLengthAreRefusedHoweverLarge) {
    for (const int day : {30, 32, 256, 269, 525, 65536 + 13, INT32_MAX}) {
        EXPECT_FALSE(fw::IsValidDate(2024, 2, day)) << day;
        EXPECT_THROW(fw::EncodeDate(2024, 2, day), fw::EConvertError) << day;
    }
    EXPECT_TRUE(fw::IsValidDate(2024, 2, 29));
    EXPECT_TRUE(fw::IsValidDate(2024, 12, 31));
    fw::TFormatSettingsScope scope(Comma);
    for (const char* text : {"525.02.2024", "260.6", "269.2.2024 10:00"}) {
        EXPECT_THROW(fw::StrToDateTime(text), fw::EConvertError) << text;
    }
    try {
        fw::StrToDate("525.02.2024");
        ADD_FAILURE() << "accepted";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'525.02.2024' is not a valid date");
    }
}

TEST(DateConversions, ADateWithBlanksIsFollowedByATime) {
    fw::TFormatSettingsScope scope(Comma);
    const double day = fw::EncodeDate(2000, 1, 1);
    EXPECT_DOUBLE_EQ(fw::StrToDate("1. 1.2000"), day);
    EXPECT_DOUBLE_EQ(fw::StrToDateTime("1. 1.2000 18:00"), day + 0.75);
    EXPECT_DOUBLE_EQ(fw::StrToDateTime(" 1 . 1 . 2000\t18:00 "), day + 0.75);
    EXPECT_DOUBLE_EQ(fw::StrToDateTime("1.1.2000  6:00 PM"), day + 0.75);
    EXPECT_THROW(fw::StrToDateTime("1. 1.2000 18:00 x"), fw::EConvertError);
    // Trying every blank as the split takes a quarter of an hour here.
    fw::String blanks;
    for (int i = 0; i < 3000000; ++i) {
        blanks += "1 ";
    }
    EXPECT_THROW(fw::StrToDateTime(blanks + "x"), fw::EConvertError);
    EXPECT_DOUBLE_EQ(fw::StrToDateTime("1.1.2000" + fw::String(100000, ' ') + "18:00"), day + 0.75);
}

TEST(DateConversions, InvalidDatesAndTimesRaiseQuotingTheText) {
    fw::TFormatSettingsScope scope(Comma);
    const std::pair<const char*, const char*> cases[] = {
        {"31.02.2024", "'31.02.2024' is not a valid date"},
        {"1.2.3.4", "'1.2.3.4' is not a valid date"},
        {"abc", "'abc' is not a valid date"},
    };
    for (const auto& [text, message] : cases) {
        try {
            fw::StrToDate(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
    EXPECT_THROW(fw::StrToTime("24:00"), fw::EConvertError);
    EXPECT_THROW(fw::StrToTime("10:60"), fw::EConvertError);
    EXPECT_THROW(fw::StrToDateTime("07.03.2024 25:00"), fw::EConvertError);
}

TEST(TimeConversions, TwelveAndTwentyFourHourClocks) {
    fw::TFormatSettingsScope scope(Settings('.', '/', "m/d/yyyy", "h:nn:ss AM/PM"));
    const double evening = fw::EncodeTime(19, 30, 0, 0);
    EXPECT_EQ(fw::TimeToStr(evening), "7:30:00 PM");
    EXPECT_DOUBLE_EQ(fw::StrToTime("7:30:00 PM"), evening);
    EXPECT_DOUBLE_EQ(fw::StrToTime("12:15 am"), fw::EncodeTime(0, 15, 0, 0));
    EXPECT_DOUBLE_EQ(fw::StrToTime("19:30"), evening);
    EXPECT_DOUBLE_EQ(fw::StrToTime("10:00:01.5"), fw::EncodeTime(10, 0, 1, 500));
}

TEST(FormatSettings, LocalesGiveTheirSeparatorsAndOrders) {
    const fw::TFormatSettings german = fw::TFormatSettings::FromLocale("de_DE");
    EXPECT_EQ(german.DecimalSeparator, ',');
    EXPECT_EQ(german.DateSeparator, '.');
    const fw::TFormatSettings american = fw::TFormatSettings::FromLocale("en_US");
    EXPECT_EQ(american.DecimalSeparator, '.');
    fw::TFormatSettingsScope scope(american);
    const double date = fw::EncodeDate(2024, 3, 7);
    EXPECT_DOUBLE_EQ(fw::StrToDate(fw::DateToStr(date)), date);
    EXPECT_NE(fw::TFormatSettings::FromLocale("zh_CN").LongTimeFormat.front(), ' ')
        << "no blank before the time";
    // Locales that write two-digit years still round-trip a date of any century.
    for (const char* locale : {"en_US", "de_DE"}) {
        fw::TFormatSettingsScope localScope(fw::TFormatSettings::FromLocale(locale));
        for (const double day : {0.0, fw::EncodeDate(2150, 1, 31)})
            EXPECT_DOUBLE_EQ(fw::StrToDate(fw::DateToStr(day)), day) << locale;
    }
}

} // namespace
