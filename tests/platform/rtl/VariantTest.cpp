// SPDX-License-Identifier: MIT
#include "platform/rtl/Variant.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

fw::TFormatSettings CommaSettings() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.DateSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    return settings;
}

TEST(Variant, ConvertsBetweenTypesByTheFrameworkRules) {
    fw::TFormatSettingsScope scope(CommaSettings());
    EXPECT_EQ(fw::Variant(true).AsInteger(), -1);
    EXPECT_EQ(fw::Variant(2.5).AsInteger(), 2) << "halves round to even";
    EXPECT_EQ(fw::Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(fw::Variant("  12 ").AsInteger(), 12);
    EXPECT_EQ(fw::Variant("7,6").AsInteger(), 8);
    EXPECT_DOUBLE_EQ(fw::Variant("1,25").AsDouble(), 1.25);
    EXPECT_TRUE(fw::Variant("TRUE").AsBoolean());
    EXPECT_FALSE(fw::Variant("false").AsBoolean());
    EXPECT_TRUE(fw::Variant("2").AsBoolean());
    EXPECT_EQ(fw::Variant(1.5).AsString(), "1,5");
    EXPECT_EQ(fw::Variant(false).AsString(), "False");
    EXPECT_EQ(fw::Variant::FromDateTime(2).AsString(), "01.01.1900");
    EXPECT_DOUBLE_EQ(fw::Variant("01.01.1900").AsDateTime(), 2);
    EXPECT_EQ(fw::Unassigned().AsInteger(), 0);
    EXPECT_EQ(fw::Unassigned().AsString(), "");
}

TEST(Variant, UnconvertibleValuesRaiseNamingTheValue) {
    try {
        fw::Variant("twelve").AsInteger();
        FAIL() << "no exception";
    } catch (const fw::EVariantTypeCastError& e) {
        EXPECT_EQ(e.Message(),
                  "Could not convert variant of type (String) into type (Integer): 'twelve'");
    }
    EXPECT_THROW(fw::Variant("maybe").AsBoolean(), fw::EVariantTypeCastError);
    EXPECT_THROW(fw::Variant("x").AsDouble(), fw::EVariantTypeCastError);
    EXPECT_THROW(fw::Variant("31.02.2024").AsDateTime(), fw::EVariantTypeCastError);
    EXPECT_THROW(fw::Null().AsString(), fw::EVariantTypeCastError);
    EXPECT_THROW(fw::Variant(int64_t{1} << 40).AsInteger(), fw::EVariantOverflowError);
    EXPECT_EQ(fw::VarToStr(fw::Null()), "");
    EXPECT_TRUE(fw::VarIsNull(fw::Null()));
    EXPECT_FALSE(fw::VarIsNull(fw::Unassigned()));
}

TEST(Variant, IntegerTextTooLargeRaisesTheOverflowErrorInAnyBase) {
    for (const char* text : {"4294967296", "$80000000", "0x2147483648", "-$80000001"}) {
        EXPECT_THROW(fw::Variant(text).AsInteger(), fw::EVariantOverflowError) << text;
    }
    for (const char* text : {"$10000000000000000", "0xFFFFFFFFFFFFFFFFFF", "-$8000000000000001"}) {
        EXPECT_THROW(fw::Variant(text).AsInt64(), fw::EVariantOverflowError) << text;
    }
    EXPECT_EQ(fw::Variant("$7FFFFFFF").AsInteger(), INT32_MAX);
    EXPECT_EQ(fw::Variant("-$80000000").AsInteger(), INT32_MIN);
    EXPECT_EQ(fw::Variant("$80000000").AsInt64(), 0x80000000LL);
    EXPECT_EQ(fw::Variant("9223372036854775807").AsInt64(), INT64_MAX) << "exact, not rounded";
    for (const char* text : {"$", "0x", "$12G", "0x-1", "$ 1"}) {
        EXPECT_THROW(fw::Variant(text).AsInteger(), fw::EVariantTypeCastError) << text;
    }
}

TEST(Variant, EqualityNeedsTheSameTypeAndValue) {
    EXPECT_EQ(fw::Variant(3), fw::Variant(3L));
    EXPECT_NE(fw::Variant(3), fw::Variant(3.0));
    EXPECT_NE(fw::Variant::FromDateTime(3), fw::Variant(3.0));
    EXPECT_EQ(fw::Variant::FromDateTime(3).VarType(), fw::varDate);
    EXPECT_EQ(fw::Null(), fw::Null());
}

} // namespace
