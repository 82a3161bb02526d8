// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "quire/values/SubPropList.h"

#include <gtest/gtest.h>

namespace quire {
namespace {

using test::TWatchedProp;

TEST(BaseEditor, ShowsEmptyTextIgnoresTypingAndOffersNothing) {
    auto editor = fw::New<TPropEditor>();
    TWatchedProp<TLongintProp> prop;
    prop->SetOrdValue(42);
    prop.Changes = 0;
    EXPECT_EQ(editor->GetValue(prop.get()), "(Пусто)");
    editor->SetValue(prop.get(), "7");
    EXPECT_EQ(prop->GetOrdValue(), 42);
    editor->Edit(prop.get());
    EXPECT_EQ(prop.Changes, 0);

    EXPECT_EQ(editor->GetAttributes(), TPropEditorAttributes{peaMultiSelect});
    EXPECT_EQ(editor->GetAttributes().ToBits(), 1u << 2);
    EXPECT_EQ(editor->GetEditLimit(), 255);

    fw::TStringList values;
    values.Add("stale");
    editor->GetLookupValues(&values);
    EXPECT_EQ(values.Count(), 1) << "adds nothing";
    TPropInfoList info;
    editor->GetSubPropsInfo(&info);
    EXPECT_EQ(info.Count(), 0);
}

// An editor whose lookups depend on nothing but GetLookupValues.
class TTwoValuesEditor : public TPropEditor {
    FW_CLASS(TTwoValuesEditor, TPropEditor)
public:
    TTwoValuesEditor() = default;
    void GetLookupValues(fw::TStringList* aValues) override {
        aValues->Add("a");
        aValues->Add("b");
    }
};
FW_IMPLEMENT_CLASS(TTwoValuesEditor)

TEST(BaseEditor, PropLookupValuesDelegateToLookupValues) {
    std::unique_ptr<TPropEditor> editor =
        fw::CreateAs<TPropEditor>(TTwoValuesEditor::StaticClass());
    fw::TStringList values;
    editor->GetPropLookupValues(nullptr, &values);
    ASSERT_EQ(values.Count(), 2);
    EXPECT_EQ(values[1], "b");
}

TEST(BaseEditor, AttributeSetLayout) {
    TPropEditorAttributes attributes{peaLookupValues, peaPaint};
    EXPECT_EQ(attributes.ToBits(), 0b100001u);
    EXPECT_TRUE(attributes.Contains(peaPaint));
    EXPECT_FALSE(attributes.Contains(peaReadOnly));
    attributes.Include(peaReadOnly).Exclude(peaLookupValues);
    EXPECT_EQ(attributes, (TPropEditorAttributes{peaReadOnly, peaPaint}));
    static_assert(sizeof(TPropEditorAttributes) == 1);
}

TEST(NameSpace, FindObjectAndGetObject) {
    auto editor = fw::New<TPropEditor>();
    EXPECT_EQ(editor->FindObject("Table"), nullptr);
    try {
        editor->GetObject("Table");
        FAIL() << "no exception";
    } catch (const EPropEditor& e) {
        EXPECT_EQ(e.Message(), "TPropEditor.GetObject: Не найден объект \"Table\"");
    }

    auto table = fw::New<fw::TStringList>();
    fw::TStringList nameSpace;
    nameSpace.AddObject("Table", table.get());
    nameSpace.AddObject("Counter", 5); // a name with no object
    editor->FNameSpace = &nameSpace;
    EXPECT_EQ(editor->FindObject("TABLE"), table.get()) << "letter case ignored";
    EXPECT_EQ(editor->GetObject("table"), table.get());
    EXPECT_EQ(editor->FindObject("Counter"), nullptr);
    EXPECT_THROW(editor->GetObject("Counter"), EPropEditor);
    EXPECT_THROW(editor->GetObject("Missing"), EPropEditor);
}

TEST(PropInfoList, KeepsEntriesInOrderWithTheirClasses) {
    TPropInfoList info;
    info.AddInfo("Zeta", TDateProp::StaticClass());
    info.AddInfo("Alpha", TTimeProp::StaticClass());
    info.AddInfo("Zeta", TLongintProp::StaticClass());
    ASSERT_EQ(info.Count(), 3);
    EXPECT_EQ(info[0], "Zeta");
    EXPECT_EQ(info.GetPropClass(1), TTimeProp::StaticClass());
    EXPECT_EQ(info.GetPropClass(2), TLongintProp::StaticClass());
    EXPECT_THROW(info.GetPropClass(3), fw::EStringListError);
}

} // namespace
} // namespace quire
