// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "quire/editors/DatePropEditors.h"
#include "quire/editors/EnumPropEditors.h"
#include "quire/editors/PropEditorRegistry.h"
#include "quire/editors/ScalarPropEditors.h"
#include "quire/editors/TextPropEditor.h"

#include <gtest/gtest.h>

namespace quire {
namespace {

class THostStringProp : public TStringProp {
    FW_CLASS(THostStringProp, TStringProp)
protected:
    THostStringProp() = default;
};
FW_IMPLEMENT_CLASS(THostStringProp)

class THostDoubleProp : public TDoubleProp {
    FW_CLASS(THostDoubleProp, TDoubleProp)
protected:
    THostDoubleProp() = default;
};
FW_IMPLEMENT_CLASS(THostDoubleProp)

class THostEditor : public TStringPropEditor {
    FW_CLASS(THostEditor, TStringPropEditor)
public:
    THostEditor() = default;
};
FW_IMPLEMENT_CLASS(THostEditor)

// Each test starts from a freshly started library: the registry holds exactly the
// standard editors.
class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        FinalizeEditorsUnit();
        InitializeEditorsUnit();
    }
};

TEST_F(Registry, HoldsTheTwelveStandardEditorsInOrderWithEmptyNames) {
    const std::vector<TRegPropEditorInfo> records = RegisteredPropEditors();
    const std::pair<fw::TClass, fw::TClass> expected[] = {
        {TBooleanProp::StaticClass(), TBooleanPropEditor::StaticClass()},
        {TSmallintProp::StaticClass(), TSmallintPropEditor::StaticClass()},
        {TLongintProp::StaticClass(), TLongintPropEditor::StaticClass()},
        {TStringProp::StaticClass(), TStringPropEditor::StaticClass()},
        {TDoubleProp::StaticClass(), TDoublePropEditor::StaticClass()},
        {TTextProp::StaticClass(), TTextPropEditor::StaticClass()},
        {TDateProp::StaticClass(), TDatePropEditor::StaticClass()},
        {TTimeProp::StaticClass(), TTimePropEditor::StaticClass()},
        {TDateTimeProp::StaticClass(), TDateTimePropEditor::StaticClass()},
        {TWordProp::StaticClass(), TWordPropEditor::StaticClass()},
        {TLargeintProp::StaticClass(), TLargeintPropEditor::StaticClass()},
        {TDecimalProp::StaticClass(), TDecimalPropEditor::StaticClass()},
    };
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].Name, "") << i;
        EXPECT_EQ(records[i].PropClass, expected[i].first) << i;
        EXPECT_EQ(records[i].EditorClass, expected[i].second) << i;
        EXPECT_EQ(GetPropEditorClass(expected[i].first), expected[i].second) << i;
    }
}

TEST_F(Registry, NearestRegistrationWinsAndTiesKeepTheEarliest) {
    // The date and time records reach TDateTimeProp at distance 1; its own at 0.
    EXPECT_EQ(GetPropEditorClass(TDateTimeProp::StaticClass()), TDateTimePropEditor::StaticClass());
    // Every standard record reaches TProp; the boolean one first, at distance 1.
    EXPECT_EQ(GetPropEditorClass(TProp::StaticClass()), TBooleanPropEditor::StaticClass());
    // The walk goes up from the registered class: TObject is reached too.
    EXPECT_EQ(GetPropEditorClass(fw::TObject::StaticClass()), TBooleanPropEditor::StaticClass());
    EXPECT_EQ(GetPropEditorClass(TPropEditor::StaticClass()), nullptr);
    EXPECT_EQ(GetPropEditorClass(nullptr), nullptr);
}

TEST_F(Registry, HostClassesFindNothingUntilRegistered) {
    EXPECT_EQ(GetPropEditorClass(THostStringProp::StaticClass()), nullptr);
    RegisterPropEditor("Anything", THostStringProp::StaticClass(), THostEditor::StaticClass());
    EXPECT_EQ(GetPropEditorClass(THostStringProp::StaticClass()), THostEditor::StaticClass());
    EXPECT_EQ(GetPropEditorClass(TStringProp::StaticClass()), TStringPropEditor::StaticClass());
    EXPECT_EQ(RegisteredPropEditors().size(), 13u);
    EXPECT_EQ(RegisteredPropEditors().back().Name, "Anything");
}

TEST_F(Registry, ASecondRegistrationForAServedClassChangesNothing) {
    RegisterPropEditor("", TStringProp::StaticClass(), THostEditor::StaticClass());
    EXPECT_EQ(GetPropEditorClass(TStringProp::StaticClass()), TStringPropEditor::StaticClass());
    EXPECT_EQ(RegisteredPropEditors().size(), 13u) << "appended, not replaced";
}

TEST_F(Registry, NamesPlayNoPartInTheLookup) {
    RegisterPropEditor("Salary", THostDoubleProp::StaticClass(), TLongintPropEditor::StaticClass());
    EXPECT_EQ(GetPropEditorClass(THostDoubleProp::StaticClass()),
              TLongintPropEditor::StaticClass());
    auto prop = fw::New<THostDoubleProp>();
    EXPECT_EQ(GetPropEditorClass(prop->ClassType()), TLongintPropEditor::StaticClass());
}

TEST_F(Registry, StartUpAndShutDownAreCounted) {
    InitializeEditorsUnit(); // a second load does nothing
    EXPECT_EQ(RegisteredPropEditors().size(), 12u);
    FinalizeEditorsUnit(); // back to one load: the registry stays
    EXPECT_EQ(GetPropEditorClass(TStringProp::StaticClass()), TStringPropEditor::StaticClass());
    FinalizeEditorsUnit(); // last unload frees it
    EXPECT_EQ(GetPropEditorClass(TStringProp::StaticClass()), nullptr);
    EXPECT_TRUE(RegisteredPropEditors().empty());
    EXPECT_THROW(RegisterPropEditor("x", TStringProp::StaticClass(), THostEditor::StaticClass()),
                 EPropEditor);
    FinalizeEditorsUnit(); // an unbalanced shut-down is ignored
    InitializeEditorsUnit();
    EXPECT_EQ(RegisteredPropEditors().size(), 12u);
}

TEST_F(Registry, EditorsAreCreatedThroughTheirClass) {
    for (const TRegPropEditorInfo& record : RegisteredPropEditors()) {
        std::unique_ptr<TPropEditor> editor = fw::CreateAs<TPropEditor>(record.EditorClass);
        EXPECT_EQ(editor->ClassType(), record.EditorClass);
        EXPECT_EQ(editor->FBox, nullptr);
        EXPECT_EQ(editor->FNameSpace, nullptr);
    }
}

} // namespace
} // namespace quire
