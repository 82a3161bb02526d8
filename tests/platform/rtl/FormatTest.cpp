// SPDX-License-Identifier: MIT
#include "platform/rtl/Format.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, SpecifiersWidthsPrecisionsAndIndexes) {
    fw::TFormatSettingsScope scope(fw::TFormatSettings{});
    EXPECT_EQ(fw::Format("Не найдено имя свойства \"%s\"", {"Дата"}),
              "Не найдено имя свойства \"Дата\"");
    EXPECT_EQ(fw::Format("%d|%5d|%-5d|%.3d", {7, 42, 42, 5}), "7|   42|42   |005");
    EXPECT_EQ(fw::Format("%x %.2f %s%%", {255, 3.14159, "ok"}), "FF 3.14 ok%");
    EXPECT_EQ(fw::Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(fw::Format("%.2s", {"abcdef"}), "ab");
    EXPECT_EQ(fw::Format("%.3s", {"Дата"}), "Д") << "a cut never splits a character";
}

TEST(Format, MismatchedOrMissingArgumentsRaiseNamingTheFormat) {
    try {
        fw::Format("%d items", {"three"});
        FAIL() << "no exception";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%d items' invalid or incompatible with argument");
    }
    EXPECT_THROW(fw::Format("%s %s", {"one"}), fw::EConvertError);
    EXPECT_THROW(fw::Format("%q", {1}), fw::EConvertError);
}

TEST(Format, NumbersInADirectiveAreBounded) {
    for (const char* format : {"%3000000000d", "%3000000000:d", "%.3000000000d", "%888888888P",
                               "%.999999d", "%4097s", "%0:.4097s", "%99999999999999999999d"}) {
        try {
            fw::Format(format, {1});
            ADD_FAILURE() << "accepted " << format;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      "Format '" + fw::String(format) + "' invalid or incompatible with argument");
        }
    }
    EXPECT_EQ(fw::Format("%4096d", {7}), fw::String(4095, ' ') + "7");
    EXPECT_EQ(fw::Format("%-4096d|", {7}), "7" + fw::String(4095, ' ') + "|");
    EXPECT_EQ(fw::Format("%.4096d", {-7}), "-" + fw::String(4095, '0') + "7");
}

TEST(Format, HexadecimalKeepsItsDigitsAtAnyPrecision) {
    EXPECT_EQ(fw::Format("%.33x", {42}), fw::String(31, '0') + "2A");
    EXPECT_EQ(fw::Format("%.3x|%x", {42, -1}), "02A|FFFFFFFFFFFFFFFF");
    EXPECT_EQ(fw::Format("%p", {0xBEEF}), "0000BEEF");
    EXPECT_EQ(fw::Format("%d", {INT64_MIN}), "-9223372036854775808");
}

TEST(MulDiv, RoundsToNearestAndGuardsZero) {
    EXPECT_EQ(fw::MulDiv(10, 50, 100), 5);
    EXPECT_EQ(fw::MulDiv(3, 1, 2), 2);
    EXPECT_EQ(fw::MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(fw::MulDiv(1 << 30, 8, 16), 1 << 29);
    EXPECT_EQ(fw::MulDiv(1, 2, 0), -1);
    EXPECT_EQ(fw::MulDiv(1 << 30, 4, 1), -1) << "a result past 32 bits is not wrapped";
    EXPECT_EQ(fw::MulDiv(-(1 << 30), 4, 1), -1);
    EXPECT_EQ(fw::MulDiv(-(1 << 30), 2, 1), INT32_MIN);
}

} // namespace
