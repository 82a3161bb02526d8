// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "quire/editors/EnumPropEditors.h"
#include "quire/values/QuireStrings.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace quire {
namespace {

using test::TWatchedProp;

TEST(BooleanEditor, ShowsFalseTrueAndNone) {
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    TWatchedProp<TBooleanProp> prop;
    EXPECT_EQ(editor->GetValue(prop.get()), "False");
    *static_cast<uint8_t*>(prop->FValue) = 1;
    EXPECT_EQ(editor->GetValue(prop.get()), "True");
    *static_cast<uint8_t*>(prop->FValue) = 2;
    EXPECT_EQ(editor->GetValue(prop.get()), "None");
    EXPECT_EQ(editor->GetAttributes(), (TPropEditorAttributes{peaLookupValues, peaMultiSelect}));
}

TEST(BooleanEditor, ReadsNamesInAnyLetterCase) {
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    TWatchedProp<TBooleanProp> prop;
    for (const char* text : {"true", "TRUE", "True"}) {
        *static_cast<uint8_t*>(prop->FValue) = 0;
        editor->SetValue(prop.get(), text);
        EXPECT_EQ(prop->GetOrdValue(), 1) << text;
    }
    editor->SetValue(prop.get(), "fAlSe");
    EXPECT_EQ(prop->GetOrdValue(), 0);
}

TEST(BooleanEditor, RejectsOtherNamesLeavingTheValue) {
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    TWatchedProp<TBooleanProp> prop;
    editor->SetValue(prop.get(), "True");
    ASSERT_EQ(prop.Changes, 1);
    try {
        editor->SetValue(prop.get(), "yes");
        FAIL() << "no exception";
    } catch (const EPropEditor&) {
        FAIL() << "the general exception class, not EPropEditor";
    } catch (const fw::EConvertError&) {
        FAIL() << "the general exception class, not a conversion error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "Неверное значение: \"yes\"");
        EXPECT_STREQ(e.ClassName(), "Exception");
    }
    EXPECT_EQ(prop->GetOrdValue(), 1);
    EXPECT_EQ(prop.Changes, 1);
}

TEST(BooleanEditor, LookupListIsFalseThenTrueWithTheirValues) {
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    fw::TStringList values;
    values.Add("stale");
    editor->GetPropLookupValues(nullptr, &values);
    ASSERT_EQ(values.Count(), 2);
    EXPECT_EQ(values[0], "False");
    EXPECT_EQ(values.GetObject(0).Integer(), 0);
    EXPECT_EQ(values[1], "True");
    EXPECT_EQ(values.GetObject(1).Integer(), 1);
}

TEST(BooleanEditor, NamesFollowTheStringTable) {
    ResStrings().Replace({{SFalse, "Нет"}, {STrue, "Да"}, {SNone, "Пусто"}});
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    TWatchedProp<TBooleanProp> prop;
    editor->SetValue(prop.get(), "да");
    EXPECT_EQ(editor->GetValue(prop.get()), "Да") << "letter case ignored for Cyrillic too";
    *static_cast<uint8_t*>(prop->FValue) = 7;
    EXPECT_EQ(editor->GetValue(prop.get()), "Пусто");
    ResStrings().Reset();
}

// A host enumeration over a 32-bit property: members with gaps and a duplicate value;
// aCaseSensitive clears eooIgnoreCase.
class TColourEditor : public TEnumOrdPropEditor {
    FW_CLASS(TColourEditor, TEnumOrdPropEditor)
public:
    TColourEditor() = default;
    void GetEnumValues(const TAddEnumValueProc& aProc, TEnumOrdOptions& aOptions) override {
        aProc("Red", 10);
        aProc("Crimson", 10);
        aProc("Blue", -3);
        aOptions.Include(eooSorted);
    }
};
FW_IMPLEMENT_CLASS(TColourEditor)

class TExactColourEditor : public TColourEditor {
    FW_CLASS(TExactColourEditor, TColourEditor)
public:
    TExactColourEditor() = default;
    void GetEnumValues(const TAddEnumValueProc& aProc, TEnumOrdOptions& aOptions) override {
        inherited::GetEnumValues(aProc, aOptions);
        aOptions.Exclude(eooIgnoreCase);
    }
};
FW_IMPLEMENT_CLASS(TExactColourEditor)

TEST(EnumEditor, CollectsMembersThroughTheMostDerivedClassAtCreation) {
    auto editor = test::CreateEditor<TEnumOrdPropEditor>(TColourEditor::StaticClass());
    ASSERT_EQ(editor->FValues->Count(), 3);
    EXPECT_EQ(editor->FOptions, (TEnumOrdOptions{eooSorted, eooIgnoreCase}));
    EXPECT_EQ((*editor->FValues)[0], "Red") << "kept in the order added, not sorted";

    auto plain = fw::New<TEnumOrdPropEditor>();
    EXPECT_EQ(plain->FValues->Count(), 0);
    EXPECT_EQ(plain->FOptions, TEnumOrdOptions{eooIgnoreCase});
    TWatchedProp<TLongintProp> prop;
    EXPECT_EQ(plain->GetValue(prop.get()), "None");
    EXPECT_THROW(plain->SetValue(prop.get(), ""), fw::Exception);
}

TEST(EnumEditor, DuplicateValuesShowTheFirstName) {
    auto editor = test::CreateEditor(TColourEditor::StaticClass());
    TWatchedProp<TLongintProp> prop;
    editor->SetValue(prop.get(), "crimson");
    EXPECT_EQ(prop->GetOrdValue(), 10);
    EXPECT_EQ(editor->GetValue(prop.get()), "Red");
    editor->SetValue(prop.get(), "BLUE");
    EXPECT_EQ(prop->GetOrdValue(), -3);
    EXPECT_EQ(editor->GetValue(prop.get()), "Blue");
}

TEST(EnumEditor, WithoutIgnoreCaseTheListsOwnSearchFindsTheSameMembers) {
    auto exact = test::CreateEditor<TEnumOrdPropEditor>(TExactColourEditor::StaticClass());
    auto ignoring = test::CreateEditor<TEnumOrdPropEditor>(TColourEditor::StaticClass());
    EXPECT_FALSE(exact->FOptions.Contains(eooIgnoreCase));
    for (const char* name : {"Red", "red", "CRIMSON", "Blue"})
        EXPECT_EQ(exact->GetValueFromName(name), ignoring->GetValueFromName(name)) << name;
    EXPECT_THROW(exact->GetValueFromName("Green"), fw::Exception);
}

// An editor made any other way than through its class would have no members.
TEST(EnumEditor, IsMadeOnlyThroughItsClass) {
    EXPECT_FALSE(std::is_default_constructible_v<TEnumOrdPropEditor>);
    EXPECT_FALSE(std::is_default_constructible_v<TBooleanPropEditor>);
    EXPECT_EQ(fw::New<TBooleanPropEditor>()->FValues->Count(), 2);
}

// The lookups fill the caller's list as it is set up: sorted, unique, owning.
TEST(BooleanEditor, LookupsKeepTheCallersListSettings) {
    auto editor = test::CreateEditor(TBooleanPropEditor::StaticClass());
    fw::TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetDuplicates(fw::dupError);
    sorted.SetCaseSensitive(true);
    sorted.Add("stale");
    editor->GetLookupValues(&sorted);
    EXPECT_TRUE(sorted.Sorted());
    EXPECT_EQ(sorted.Duplicates(), fw::dupError);
    EXPECT_TRUE(sorted.CaseSensitive());
    ASSERT_EQ(sorted.Count(), 2);
    EXPECT_EQ(sorted[1], "True");
    EXPECT_EQ(sorted.GetObject(1).Integer(), 1);

    fw::TStringList owning(true);
    EXPECT_NO_THROW(editor->GetLookupValues(&owning));
    EXPECT_EQ(owning.Count(), 2);
}

TEST(EnumEditors, NamesWithControlCharactersAreNotMembers) {
    using namespace std::string_literals;
    auto boolean = test::CreateEditor(TBooleanPropEditor::StaticClass());
    TWatchedProp<TBooleanProp> flag;
    for (const fw::String& name : {"True\x00"s,
                                   "\x01"
                                   "False"s,
                                   "Tr\x07ue"s, "True\x1F"s}) {
        EXPECT_THROW(boolean->SetValue(flag.get(), name), fw::Exception) << name;
    }
    EXPECT_EQ(flag.Changes, 0);
    auto colours = test::CreateEditor(TColourEditor::StaticClass());
    TWatchedProp<TLongintProp> colour;
    EXPECT_THROW(colours->SetValue(colour.get(), "\x14Red"), fw::Exception);
    EXPECT_THROW(colours->SetValue(colour.get(), "Bl\x00ue"s), fw::Exception);
    EXPECT_EQ(colour.Changes, 0);
}

} // namespace
} // namespace quire
