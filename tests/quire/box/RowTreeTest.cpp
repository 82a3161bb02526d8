// SPDX-License-Identifier: MIT
// Rows: building the subtree, the push-down / pull-up exchange of a date-time row
// with its Date and Time children, the update counter, and what a row reports.

#include "BoxFixture.h"

#include "quire/editors/PropEditorRegistry.h"
#include "quire/values/PropKinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quire {

// A host's kind without an editor of its own: registrations serve their class and
// its ancestors, never a descendant.
class TUnservedProp : public TLongintProp {
    FW_CLASS(TUnservedProp, TLongintProp)
};
FW_IMPLEMENT_CLASS(TUnservedProp)

namespace {

class RowTree : public ::testing::Test {
    fw::TFormatSettingsScope Format{test::RussianSettings()};
};

struct Heard {
    std::vector<std::string> Calls;
    TOnPropChange Handler() {
        return [this](fw::TObject*, const fw::String& aName, TProp* aProp, int32_t aIndex) {
            Calls.push_back(aName + "=" + std::to_string(aProp->GetFloatValue()) + "#" +
                            std::to_string(aIndex));
        };
    }
};

std::unique_ptr<TPropEditInfo> DateTimeRow(int32_t aCount) {
    return std::make_unique<TPropEditInfo>(nullptr, nullptr, "stamp", TDateTimeProp::StaticClass(),
                                           aCount);
}

double Value(TPropEditInfo& aRow, int32_t aIndex = 0) {
    return aRow.FProps->GetProp(aIndex)->GetFloatValue();
}

TEST_F(RowTree, ADateTimeRowBuildsDateAndTimeChildrenForEveryObject) {
    auto row = DateTimeRow(3);
    ASSERT_EQ(row->FItems.size(), 2u);
    EXPECT_EQ(row->FItems[0]->FName, "Date");
    EXPECT_EQ(row->FItems[1]->FName, "Time");
    EXPECT_TRUE(row->IsExpandable());
    EXPECT_TRUE(row->IsReadOnly());
    EXPECT_FALSE(row->IsEditable());
    for (auto& child : row->FItems) {
        EXPECT_EQ(child->FProps->GetCount(), 3);
        EXPECT_EQ(child->GetLevel(), 1);
        EXPECT_EQ(child->FParent, row.get());
        EXPECT_TRUE(child->IsEditable());
        EXPECT_FALSE(child->IsExpandable());
    }
    EXPECT_EQ(row->GetLevel(), 0);
    EXPECT_EQ(row->FProps->GetProp(2)->FEditInfo, row.get());
}

TEST_F(RowTree, ParentValueIsPushedDownAndChildrenArePulledUpOnce) {
    auto row = DateTimeRow(1);
    Heard heard;
    row->FOnPropChange = heard.Handler();
    row->SetValue("01.01.2000 18:00:00");
    // Both children hold the whole value; the box heard the parent once.
    EXPECT_EQ(Value(*row->FItems[0]), 36526.75);
    EXPECT_EQ(Value(*row->FItems[1]), 36526.75);
    ASSERT_EQ(heard.Calls.size(), 1u);
    EXPECT_EQ(heard.Calls[0].substr(0, 6), "stamp=");
    // A child's change recombines the parent, which reports under its own name.
    row->FItems[1]->SetValue("06:30:00");
    EXPECT_DOUBLE_EQ(Value(*row), 36526.0 + 6.5 / 24);
    EXPECT_EQ(heard.Calls.size(), 2u);
    EXPECT_EQ(row->FUpdateCount, 0);
}

TEST_F(RowTree, NestedUpdatesClearTheChangedFlagOnlyAtTheOutermost) {
    auto row =
        std::make_unique<TPropEditInfo>(nullptr, nullptr, "n", TLongintProp::StaticClass(), 1);
    row->BeginUpdate();
    row->SetValue("5");
    EXPECT_TRUE(row->FChanged);
    row->BeginUpdate();
    EXPECT_TRUE(row->FChanged);
    row->EndUpdate();
    row->EndUpdate();
    row->BeginUpdate();
    EXPECT_FALSE(row->FChanged);
    row->EndUpdate();
}

TEST_F(RowTree, ARejectedTextLeavesEarlierObjectsChangedAndTheRowUsable) {
    auto row =
        std::make_unique<TPropEditInfo>(nullptr, nullptr, "n", TLongintProp::StaticClass(), 2);
    EXPECT_THROW(row->SetValue("12x"), fw::Exception);
    EXPECT_EQ(Value(*row, 0), 0);
    row->SetValue("12");
    EXPECT_EQ(row->GetValue(), "12");
}

TEST_F(RowTree, ObjectsThatDisagreeShowNothingUntilOneTextIsSetIntoAll) {
    auto row =
        std::make_unique<TPropEditInfo>(nullptr, nullptr, "s", TStringProp::StaticClass(), 2);
    auto values = std::make_unique<TPropList>();
    for (const char* text : {"a", "b"}) {
        values->Add(fw::New<TStringProp>());
        values->GetProp(values->GetCount() - 1)->SetAsVariant(fw::Variant(fw::String(text)));
    }
    row->SetProps(values.get());
    EXPECT_FALSE(row->FAllEqual);
    EXPECT_EQ(row->GetValue(), "");
    row->SetValue("c");
    row->SetSubProps();
    EXPECT_TRUE(row->FAllEqual);
    row->GetProps(values.get());
    EXPECT_EQ(values->GetProp(1)->GetAsVariant().AsString(), "c");
}

TEST_F(RowTree, AChildDestroyedOnItsOwnLeavesItsParent) {
    auto row = DateTimeRow(1);
    row->FItems[0]->ClearListIndex();
    delete row->FItems.back().get();
    ASSERT_EQ(row->FItems.size(), 1u);
    EXPECT_EQ(row->FItems[0]->FName, "Date");
    delete row->FItems.back().get();
    EXPECT_FALSE(row->IsExpandable());
}

TEST_F(RowTree, APropertyClassWithoutEditorIsRefusedByName) {
    try {
        TPropEditInfo row(nullptr, nullptr, "odd", TUnservedProp::StaticClass(), 1);
        FAIL() << "a row was built without an editor";
    } catch (const EPropEditor& error) {
        EXPECT_NE(std::string(error.what()).find("odd"), std::string::npos) << error.what();
    }
}

TEST_F(RowTree, NameSpaceReachesEveryEditorOfTheTree) {
    auto row = DateTimeRow(1);
    fw::TStringList names;
    row->SetNameSpace(&names);
    EXPECT_EQ(row->GetNameSpace(), &names);
    EXPECT_EQ(row->FItems[1]->GetNameSpace(), &names);
}

} // namespace
} // namespace quire
