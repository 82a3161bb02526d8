// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "quire/editors/ScalarPropEditors.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quire {
namespace {

using test::Settings;
using test::TWatchedProp;

TEST(StringEditor, ShowsAndStoresTextCutTo250Bytes) {
    auto editor = fw::New<TStringPropEditor>();
    TWatchedProp<TStringProp> prop;
    editor->SetValue(prop.get(), "Smith & Sons");
    EXPECT_EQ(editor->GetValue(prop.get()), "Smith & Sons");
    EXPECT_EQ(prop.Changes, 1);
    editor->SetValue(prop.get(), "Smith & Sons");
    EXPECT_EQ(prop.Changes, 1) << "same text: no change";

    const fw::String longText(300, 'x');
    editor->SetValue(prop.get(), longText);
    EXPECT_EQ(editor->GetValue(prop.get()), fw::String(250, 'x'));

    // 249 ASCII bytes and a two-byte letter: the letter does not fit and is dropped
    // whole.
    editor->SetValue(prop.get(), fw::String(249, 'a') + "ж");
    EXPECT_EQ(editor->GetValue(prop.get()), fw::String(249, 'a'));
    editor->SetValue(prop.get(), "");
    EXPECT_EQ(editor->GetValue(prop.get()), "");
}

TEST(StringEditor, RejectsOtherKinds) {
    auto editor = fw::New<TStringPropEditor>();
    TWatchedProp<TTextProp> text;
    EXPECT_THROW(editor->GetValue(text.get()), EPropEditor);
    EXPECT_THROW(editor->SetValue(text.get(), "x"), EPropEditor);
}

TEST(SmallintEditor, ShowsSixteenBitsAndKeepsTheLowSixteenBits) {
    auto editor = fw::New<TSmallintPropEditor>();
    TWatchedProp<TSmallintProp> prop;
    std::memset(prop->FValue, 0xFF, 2);
    EXPECT_EQ(editor->GetValue(prop.get()), "-1");
    const struct {
        const char* Typed;
        const char* Shown;
    } cases[] = {
        {"40000", "-25536"}, {"70000", "4464"}, {"-32768", "-32768"}, {" 12 ", "12"}, {"0", "0"}};
    for (const auto& c : cases) {
        editor->SetValue(prop.get(), c.Typed);
        EXPECT_EQ(editor->GetValue(prop.get()), c.Shown) << c.Typed;
    }
}

TEST(IntegerEditors, BadTextRaisesAndLeavesTheValue) {
    auto smallint = fw::New<TSmallintPropEditor>();
    auto longint = fw::New<TLongintPropEditor>();
    TWatchedProp<TSmallintProp> small;
    TWatchedProp<TLongintProp> large;
    smallint->SetValue(small.get(), "5");
    longint->SetValue(large.get(), "-2147483648");
    EXPECT_EQ(longint->GetValue(large.get()), "-2147483648");
    for (const char* bad : {"", "12a", "1.5", "abc", "99999999999"}) {
        EXPECT_THROW(smallint->SetValue(small.get(), bad), fw::EConvertError) << bad;
        EXPECT_THROW(longint->SetValue(large.get(), bad), fw::EConvertError) << bad;
    }
    EXPECT_EQ(small->GetOrdValue(), 5);
    EXPECT_EQ(large->GetOrdValue(), INT32_MIN);
    EXPECT_EQ(small.Changes, 1);
    EXPECT_EQ(large.Changes, 1);
}

TEST(WordAndLargeintEditors, ShowAndWriteTheTrueValueAndRefuseOutOfRange) {
    auto word = fw::New<TWordPropEditor>();
    auto largeint = fw::New<TLargeintPropEditor>();
    TWatchedProp<TWordProp> small;
    TWatchedProp<TLargeintProp> large;
    word->SetValue(small.get(), "40000");
    EXPECT_EQ(word->GetValue(small.get()), "40000");
    EXPECT_EQ(small->GetAsVariant().AsInteger(), 40000);
    largeint->SetValue(large.get(), "-9223372036854775808");
    EXPECT_EQ(largeint->GetValue(large.get()), "-9223372036854775808");
    for (const char* bad : {"-1", "65536", "1.5"})
        EXPECT_THROW(word->SetValue(small.get(), bad), fw::EConvertError) << bad;
    for (const char* bad : {"9223372036854775808", "1.5", ""})
        EXPECT_THROW(largeint->SetValue(large.get(), bad), fw::EConvertError) << bad;
    EXPECT_THROW(small->SetAsVariant(fw::Variant(70000)), fw::EVariantOverflowError);
    EXPECT_EQ(word->GetValue(small.get()), "40000");
    EXPECT_EQ(small.Changes, 1);
    EXPECT_EQ(large.Changes, 1);
}

TEST(DecimalEditor, WithoutAPrecisionTakesAnyNumberExactly) {
    fw::TFormatSettingsScope scope(Settings(','));
    auto editor = fw::New<TDecimalPropEditor>();
    TWatchedProp<TDecimalProp> prop;
    editor->SetValue(prop.get(), "0.1");
    EXPECT_EQ(editor->GetValue(prop.get()), "0,1");
    editor->SetValue(prop.get(), "1234567890123456789012,000001");
    EXPECT_EQ(editor->GetValue(prop.get()), "1234567890123456789012,000001");
    editor->SetValue(prop.get(), "1234567890123456789012.0000010");
    EXPECT_EQ(prop.Changes, 2) << "the same number: no change";
    EXPECT_THROW(editor->SetValue(prop.get(), "1,2,3"), fw::EConvertError);
    TWatchedProp<TDoubleProp> other;
    EXPECT_THROW(editor->GetValue(other.get()), EPropEditor);
}

TEST(DoubleEditor, PointAsSeparator) {
    fw::TFormatSettingsScope scope(Settings('.'));
    auto editor = fw::New<TDoublePropEditor>();
    TWatchedProp<TDoubleProp> prop;
    EXPECT_EQ(editor->GetValue(prop.get()), "0.0000");
    editor->SetValue(prop.get(), "1,5");
    EXPECT_EQ(prop->GetFloatValue(), 1.5);
    editor->SetValue(prop.get(), "2.75");
    EXPECT_EQ(prop->GetFloatValue(), 2.75);
    prop->SetFloatValue(3.14159);
    EXPECT_EQ(editor->GetValue(prop.get()), "3.1416");
    prop->SetFloatValue(-12.5);
    EXPECT_EQ(editor->GetValue(prop.get()), "-12.5000");

    const int changes = prop.Changes;
    EXPECT_THROW(editor->SetValue(prop.get(), "1,234.5"), fw::EConvertError);
    EXPECT_THROW(editor->SetValue(prop.get(), "x"), fw::EConvertError);
    EXPECT_EQ(prop->GetFloatValue(), -12.5);
    EXPECT_EQ(prop.Changes, changes);
}

TEST(DoubleEditor, CommaAsSeparator) {
    fw::TFormatSettingsScope scope(Settings(','));
    auto editor = fw::New<TDoublePropEditor>();
    TWatchedProp<TDoubleProp> prop;
    editor->SetValue(prop.get(), "1.5");
    EXPECT_EQ(prop->GetFloatValue(), 1.5);
    EXPECT_EQ(editor->GetValue(prop.get()), "1,5000");
    editor->SetValue(prop.get(), "-2,25");
    EXPECT_EQ(prop->GetFloatValue(), -2.25);
    EXPECT_EQ(prop.Changes, 2);
    editor->SetValue(prop.get(), "-2.25");
    EXPECT_EQ(prop.Changes, 2) << "the same number: no change";
}

TEST(ParseFloatText, ReplacesOnlyTheFirstForeignSeparator) {
    {
        fw::TFormatSettingsScope scope(Settings('.'));
        EXPECT_EQ(ParseFloatText("10"), 10.0);
        EXPECT_THROW(ParseFloatText("1,5,0"), fw::EConvertError);
        try {
            ParseFloatText("1,234.5");
            FAIL() << "no exception";
        } catch (const fw::EConvertError& e) {
            EXPECT_NE(e.Message().find("1.234.5"), fw::String::npos) << e.Message();
        }
    }
    fw::TFormatSettings other = Settings('.');
    other.DecimalSeparator = '/';
    fw::TFormatSettingsScope scope(other);
    EXPECT_EQ(ParseFloatText("1,5"), 1.5);
    EXPECT_EQ(ParseFloatText("1.5"), 1.5);
    EXPECT_EQ(ParseFloatText("1/5"), 1.5);
}

} // namespace
} // namespace quire
