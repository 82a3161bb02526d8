// SPDX-License-Identifier: MIT
#include "platform/rtl/Decimal.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Variant.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using fw::TDecimal;

TDecimal Dec(const char* aText) {
    return TDecimal::Parse(aText);
}

TEST(Decimal, ReadsAndWritesTextExactly) {
    struct Case {
        const char* Text;
        const char* Written;
        int32_t Scale;
    };
    const std::vector<Case> cases{
        {"1490.50", "1490.50", 2},
        {" -0.05 ", "-0.05", 2},
        {"+007", "7", 0},
        {"-0.00", "0.00", 2},
        {".5", "0.5", 1},
        {"12.", "12", 0},
        {"1.5e3", "1500", 0},
        {"25E-4", "0.0025", 4},
        {"12345678901234567890123456789.123456789", "12345678901234567890123456789.123456789", 9},
    };
    for (const Case& c : cases) {
        const TDecimal value = Dec(c.Text);
        EXPECT_EQ(value.ToString(), c.Written) << c.Text;
        EXPECT_EQ(value.Scale(), c.Scale) << c.Text;
        EXPECT_EQ(Dec(value.ToString().c_str()).ToString(), c.Written) << c.Text;
    }
    for (const char* bad : {"", "-", ".", "1.2.3", "1,5", "12x", "1e", "e5", "1e+", "--1"})
        EXPECT_THROW(Dec(bad), fw::EConvertError) << bad;
    // No text makes a value of unbounded size.
    EXPECT_THROW(Dec("1e1001"), fw::EConvertError);
    EXPECT_THROW(Dec("1e-1001"), fw::EConvertError);
    EXPECT_EQ(Dec("0e99999999999").ToString(), "0");
    try {
        Dec("12x");
        FAIL();
    } catch (const fw::EConvertError& e) {
        EXPECT_NE(e.Message().find("'12x'"), std::string::npos) << e.Message();
    }
}

TEST(Decimal, ArithmeticIsExact) {
    EXPECT_EQ(Dec("0.1") + Dec("0.2"), Dec("0.3"));
    EXPECT_EQ((Dec("0.1") + Dec("0.2")).ToString(), "0.3");
    EXPECT_EQ((Dec("1490.50") - Dec("1490.5")).ToString(), "0.00");
    EXPECT_EQ((Dec("1490.50") * Dec("3")).ToString(), "4471.50");
    EXPECT_EQ((Dec("9223372036854775807") + Dec("1")).ToString(), "9223372036854775808");
    EXPECT_EQ(Dec("1.5"), Dec("1.50"));
    EXPECT_LT(Dec("-2"), Dec("-1.99"));
    EXPECT_GT(Dec("10"), Dec("9.999999999999999999999"));
}

TEST(Decimal, CountsDigitsAndRescalesRoundingHalfAwayFromZero) {
    EXPECT_EQ(Dec("1490.500").SignificantScale(), 1);
    EXPECT_EQ(Dec("1490.500").IntegerDigits(), 4);
    EXPECT_EQ(Dec("-0.0120").IntegerDigits(), 0);
    EXPECT_EQ(Dec("-0.0120").SignificantDigits(), 2);
    EXPECT_EQ(Dec("1200").SignificantDigits(), 2);
    EXPECT_EQ(Dec("2.345").Rescaled(2).ToString(), "2.35");
    EXPECT_EQ(Dec("-2.345").Rescaled(2).ToString(), "-2.35");
    EXPECT_EQ(Dec("2.344").Rescaled(2).ToString(), "2.34");
    EXPECT_EQ(Dec("-0.004").Rescaled(2).ToString(), "0.00");
    EXPECT_EQ(Dec("7").Rescaled(3).ToString(), "7.000");
    int64_t number = 0;
    ASSERT_TRUE(Dec("2.5").TryRoundToInt64(number));
    EXPECT_EQ(number, 2) << "halves to even, as doubles";
    ASSERT_TRUE(Dec("-3.5").TryRoundToInt64(number));
    EXPECT_EQ(number, -4);
    ASSERT_TRUE(Dec("-9223372036854775808").TryRoundToInt64(number));
    EXPECT_EQ(number, std::numeric_limits<int64_t>::min());
    EXPECT_FALSE(Dec("9223372036854775807.5").TryRoundToInt64(number));
}

TEST(Decimal, DoublesBecomeTheirShortestDecimal) {
    EXPECT_EQ(TDecimal::FromDouble(0.1).ToString(), "0.1");
    EXPECT_EQ(TDecimal::FromDouble(0.1 + 0.2).ToString(), "0.30000000000000004");
    EXPECT_EQ(TDecimal::FromDouble(1e20).ToString(), "100000000000000000000");
    EXPECT_EQ(TDecimal::FromDouble(-1.5e-7).ToString(), "-0.00000015");
    EXPECT_DOUBLE_EQ(Dec("1490.50").ToDouble(), 1490.5);
    EXPECT_THROW(TDecimal::FromDouble(std::numeric_limits<double>::infinity()), fw::EConvertError);
}

TEST(Decimal, VariantsCarryDecimalsInTheFormatSettings) {
    fw::TFormatSettings comma;
    comma.DecimalSeparator = ',';
    fw::TFormatSettingsScope scope(comma);
    const fw::Variant value(Dec("1490.50"));
    EXPECT_EQ(value.VarType(), fw::varDecimal);
    EXPECT_EQ(value.AsString(), "1490,50");
    EXPECT_EQ(value.AsInteger(), 1490);
    EXPECT_DOUBLE_EQ(value.AsDouble(), 1490.5);
    EXPECT_EQ(fw::Variant("0,1").AsDecimal() + fw::Variant("0.2").AsDecimal(), Dec("0.3"));
    EXPECT_EQ(fw::Variant(0.1).AsDecimal().ToString(), "0.1");
    EXPECT_EQ(fw::Variant(9223372036854775807LL).AsDecimal().ToString(), "9223372036854775807");
    EXPECT_EQ(value, fw::Variant(Dec("1490.5")));
    EXPECT_THROW(fw::Variant(Dec("1e30")).AsInt64(), fw::EVariantOverflowError);
    EXPECT_THROW(fw::Variant("abc").AsDecimal(), fw::EVariantTypeCastError);
    EXPECT_THROW(fw::Null().AsDecimal(), fw::EVariantTypeCastError);
}

} // namespace
