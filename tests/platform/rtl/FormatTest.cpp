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
