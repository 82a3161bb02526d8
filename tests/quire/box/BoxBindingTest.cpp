// SPDX-License-Identifier: MIT
// The box bound to real tables: rows built from the current record, rebuilt on every
// record change, values written back into fields and reaching the database on post,
// refused writes that change nothing, and the list operations hosts call.

#include "BoxFixture.h"

#include "quire/values/PropKinds.h"

#include "platform/controls/Application.h"
#include "platform/controls/WinApi.h"
#include "platform/db/Field.h"
#include "platform/graphics/Gdi.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

namespace quire::test {

// A host's kind that nobody registered an editor for.
class TOrphanProp : public TLongintProp {
    FW_CLASS(TOrphanProp, TLongintProp)
};
FW_IMPLEMENT_CLASS(TOrphanProp)

namespace {

using Names = std::vector<std::string>;

Names ItemNames(const TQuire& aBox) {
    Names names;
    for (int32_t i = 0; i < aBox.Count(); ++i) {
        names.push_back(aBox.Items()->Get(i));
    }
    return names;
}

class BoxOnDatabase : public BoxFixture,
                      public ::testing::WithParamInterface<dbtest::TBackendKind> {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowForm();
        if (!OpenSample(GetParam())) {
            GTEST_SKIP() << SkipReason;
        }
    }
};

INSTANTIATE_TEST_SUITE_P(Backends, BoxOnDatabase,
                         ::testing::Values(dbtest::TBackendKind::SQLite,
                                           dbtest::TBackendKind::PostgreSQL));

using BoxOnSqlite = BoxFixture;

TEST_F(BoxOnSqlite, ARecordItCannotShowLeavesItEmptyNotShowingAnother) {
    ShowSample();
    // SQLite keeps a value the integer row cannot take.
    Db->ExecSQL("UPDATE goods SET total = 5000000000 WHERE name = 'Стол'");
    Table->Refresh();
    EXPECT_THROW(Table->Next(), fw::Exception);
    EXPECT_EQ(Table->FieldByName("name").AsString(), "Стол");
    EXPECT_EQ(Box->Count(), 0); // not the rows of the record before
    Table->Next();
    EXPECT_EQ(Row("name")->GetValue(), "Empty");
}

TEST_P(BoxOnDatabase, ShowsOneRowPerShownFieldWithItsValue) {
    EXPECT_EQ(ItemNames(*Box), (Names{"name", "qty", "total", "price", "active", "born", "opens",
                                      "stamp", "notes"}));
    EXPECT_EQ(Row("name")->GetValue(), "Lamp");
    EXPECT_EQ(Row("qty")->GetValue(), "3");
    EXPECT_EQ(Row("price")->GetValue(), "2,5000");
    EXPECT_EQ(Row("active")->GetValue(), "True");
    EXPECT_EQ(Row("born")->GetValue(), "29.02.2024");
    EXPECT_EQ(Row("opens")->GetValue(), "13:45:30");
    EXPECT_EQ(Row("stamp")->GetValue(), "01.01.2000 18:00:00");
    EXPECT_EQ(Row("notes")->GetValue(), "(Text)");
    // The first item is selected and the strip lies on it with its text.
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("name"));
    EXPECT_TRUE(Box->FSelection->Visible());
    EXPECT_EQ(Box->FSelection->FEdit->Text(), "Lamp");
}

TEST_P(BoxOnDatabase, AValueSetInARowReachesTheDatabaseAfterPost) {
    std::vector<std::string> heard;
    Box->SetOnPropChange(
        [&](fw::TObject* aSender, const fw::String& aName, TProp*, int32_t aIndex) {
            EXPECT_EQ(aSender, Box);
            heard.push_back(aName + "#" + std::to_string(aIndex));
        });
    TPropEditInfo* name = Row("name");
    name->SetValue("Лампа");
    Row("price")->SetValue("3,75");
    Row("active")->SetValue("False");
    // The box's own writes do not rebuild the rows.
    EXPECT_EQ(Row("name"), name);
    EXPECT_EQ(heard, (std::vector<std::string>{"name#0", "price#0", "active#0"}));
    EXPECT_EQ(Table->State(), fw::dsEdit);
    EXPECT_EQ(Table->FieldByName("name").AsVariant().AsString(), "Лампа");
    Table->Post();
    EXPECT_EQ(Stored("price", "Лампа").AsDouble(), 3.75);
    EXPECT_FALSE(Stored("active", "Лампа").AsBoolean());
    // Posting is a record change: the rows are built again from what was stored.
    EXPECT_EQ(Row("name")->GetValue(), "Лампа");
}

TEST_P(BoxOnDatabase, AChildRowChangesOnlyItsPartOfTheDateTimeField) {
    Box->ExpandItem(ItemOf("stamp"));
    EXPECT_EQ(ItemNames(*Box)[8], "Date");
    EXPECT_EQ(ItemNames(*Box)[9], "Time");
    Box->GetEditInfo(9)->SetValue("07:30:00");
    EXPECT_EQ(Row("stamp")->GetValue(), "01.01.2000 07:30:00");
    Table->Post();
    EXPECT_EQ(Stored("stamp", "Lamp").AsDateTime(), fw::EncodeDate(2000, 1, 1) + 7.5 / 24);
}

TEST_P(BoxOnDatabase, ARecordChangeRebuildsTheRowsKeepingTheSelectedName) {
    Box->SetItemIndex(ItemOf("price"));
    Box->UpdatePropSelection();
    Box->ExpandItem(ItemOf("stamp"));
    Table->Next();
    EXPECT_EQ(Row("name")->GetValue(), "Стол");
    EXPECT_EQ(Box->ItemIndex(), ItemOf("price"));
    EXPECT_EQ(Box->FSelection->FEdit->Text(), "0,2500");
    // Every row comes back collapsed.
    EXPECT_EQ(Box->Count(), 9);
    EXPECT_FALSE(Row("stamp")->FExpanded);
    // Dates before 1900 show as they are.
    EXPECT_EQ(Row("stamp")->GetValue(), "29.12.1899 06:00:00");
    // Null fields show the initial values.
    Table->Next();
    EXPECT_EQ(Row("qty")->GetValue(), "0");
    EXPECT_EQ(Row("born")->GetValue(), "30.12.1899");
    EXPECT_EQ(Row("active")->GetValue(), "False");
}

// Paints aRect of aControl's client area red outside WM_PAINT: it stays until the
// control paints that place again.
void PaintRed(fw::TWinControl& aControl, const fw::TRect& aRect) {
    fw::HDC dc = fw::GetDC(aControl.Handle());
    fw::HBRUSH red = fw::CreateSolidBrush(fw::clRed);
    fw::FillRect(dc, aRect, red);
    fw::ReleaseDC(aControl.Handle(), dc);
    fw::DeleteObject(red);
}

// The window pixel in the middle of aRect, client coordinates (the edge is at most
// two pixels wide).
fw::COLORREF MiddlePixel(fw::TWinControl& aControl, const fw::TRect& aRect) {
    return fw::WindowPixel(aControl, (aRect.Left + aRect.Right) / 2 + 2,
                           (aRect.Top + aRect.Bottom) / 2 + 2);
}

TEST_P(BoxOnDatabase, ARecordChangeRepaintsOnlyTheRowsWhoseTextChanges) {
    int heard = 0;
    Box->SetOnPropChange([&](fw::TObject*, const fw::String&, TProp*, int32_t) { ++heard; });
    fw::Application->ProcessMessages();
    // The memo shows "(Text)" on both records; the quantity changes.
    const fw::TRect notes = Box->ItemRect(ItemOf("notes"));
    const fw::TRect qty = Box->ItemRect(ItemOf("qty"));
    const fw::TRect stripName = Box->FSelection->FNameRect;
    PaintRed(*Box, notes);
    PaintRed(*Box, qty);
    PaintRed(*Box->FSelection, stripName);
    Table->Next();
    fw::Application->ProcessMessages();
    EXPECT_EQ(MiddlePixel(*Box, notes), fw::clRed);
    EXPECT_NE(MiddlePixel(*Box, qty), fw::clRed);
    // The strip stays on the row of the same name without painting itself again.
    EXPECT_EQ(MiddlePixel(*Box->FSelection, stripName), fw::clRed);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("name"));
    EXPECT_EQ(Box->FSelection->FEdit->Text(), "Стол");
    // Loading a record is no change of a row: nothing is reported nor written.
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(Table->State(), fw::dsBrowse);
}

TEST_P(BoxOnDatabase, ARefusedWriteRaisesAndLeavesRowAndFieldAsTheyWere) {
    TPropEditInfo* name = Row("name");
    Row("qty")->SetValue("5");
    try {
        name->SetValue("much too long a name");
        FAIL() << "the field took a text longer than its size";
    } catch (const fw::EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("name"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("much too long"), std::string::npos);
    }
    EXPECT_FALSE(Box->FUpdatingData);
    EXPECT_EQ(name->GetValue(), "Lamp");
    EXPECT_EQ(Table->FieldByName("name").AsVariant().AsString(), "Lamp");
    // What was written before is kept.
    EXPECT_EQ(Table->FieldByName("qty").AsVariant().AsInteger(), 5);
    Table->Post();
    EXPECT_EQ(Stored("qty", "Lamp").AsInteger(), 5);
}

TEST_P(BoxOnDatabase, ClosingClearsAndDetachingLeavesNoRows) {
    Table->Close();
    EXPECT_EQ(Box->Count(), 0);
    EXPECT_TRUE(Box->FRows.empty());
    EXPECT_FALSE(Box->FSelection->Visible());
    Table->Open();
    EXPECT_EQ(Box->Count(), 9);
    // Destroying the data set detaches it from the source, and the box lets go.
    Table.reset();
    EXPECT_EQ(Box->Count(), 0);
    EXPECT_EQ(Box->GetDataSource(), Source.get());
    Source.reset();
    EXPECT_EQ(Box->GetDataSource(), nullptr);
    EXPECT_FALSE(Box->FSelection->Visible());
}

TEST_P(BoxOnDatabase, AMemoRowNeverEmptiesItsField) {
    TPropEditInfo* notes = Row("notes");
    // Typed text is ignored by the text row: the field keeps its lines.
    notes->SetValue("");
    EXPECT_EQ(Table->FieldByName("notes").AsVariant().AsString(), "first line\nsecond");
    // Writing the row's own value back keeps the text, the trailing line break too.
    auto lines = fw::New<TPropList>();
    lines->Add(fw::New<TTextProp>());
    lines->GetProp(0)->SetAsVariant(fw::Variant(fw::String("one\ntwo\n")));
    Box->SetProps("notes", lines.get());
    EXPECT_EQ(Table->FieldByName("notes").AsVariant().AsString(), "one\ntwo\n");
    Table->Post();
    EXPECT_EQ(Stored("notes", "Lamp").AsString(), "one\ntwo\n");
}

// --- without a database -------------------------------------------------------------------

class BoxModel : public BoxFixture {
protected:
    // Two objects per property: the first agrees in "same", the second differs in
    // "diff"; a date-time "when".
    std::unique_ptr<TMultiPropList> TwoObjects() {
        auto props = fw::New<TMultiPropList>();
        TPropList* same = props->AddList("same", TLongintProp::StaticClass(), 2);
        same->GetProp(0)->SetAsVariant(fw::Variant(7));
        same->GetProp(1)->SetAsVariant(fw::Variant(7));
        TPropList* diff = props->AddList("diff", TStringProp::StaticClass(), 2);
        diff->GetProp(0)->SetAsVariant(fw::Variant(fw::String("a")));
        diff->GetProp(1)->SetAsVariant(fw::Variant(fw::String("b")));
        TPropList* when = props->AddList("when", TDateTimeProp::StaticClass(), 2);
        when->GetProp(0)->SetAsVariant(fw::Variant::FromDateTime(36526.75));
        when->GetProp(1)->SetAsVariant(fw::Variant::FromDateTime(36526.75));
        return props;
    }
};

TEST_F(BoxModel, DividerPositionIsAPercentageOfTheWidth) {
    Box->SetWidth(200);
    EXPECT_EQ(Box->GetDividerPos(), 50);
    Box->SetWidth(121);
    EXPECT_EQ(Box->GetDividerPos(), 83);
    Box->SetWidth(0);
    EXPECT_EQ(Box->GetDividerPos(), 50);
    Box->SetDividerPos(50);
    EXPECT_EQ(Box->FDividerPos, 100);
    Box->SetDividerPos(30);
    EXPECT_EQ(Box->FDividerPos, 0);
    Box->SetWidth(300);
    Box->SetDividerPos(-10);
    EXPECT_EQ(Box->FDividerPos, -30);
}

TEST_F(BoxModel, RowsOfObjectsThatDisagreeShowNoValueUntilSet) {
    ShowForm();
    auto props = TwoObjects();
    Box->NewProps(props.get());
    EXPECT_TRUE(Row("same")->FAllEqual);
    EXPECT_EQ(Row("same")->GetValue(), "7");
    TPropEditInfo* diff = Row("diff");
    EXPECT_FALSE(diff->FAllEqual);
    EXPECT_EQ(diff->GetValue(), "");
    diff->SetValue("c");
    diff->SetSubProps();
    EXPECT_TRUE(diff->FAllEqual);
    EXPECT_EQ(diff->GetValue(), "c");
    // The box keeps no reference to the collection it was built from.
    props.reset();
    EXPECT_EQ(Row("when")->FItems.size(), 2u);
    EXPECT_EQ(Row("when")->FItems[0]->FProps->GetCount(), 2);
}

TEST_F(BoxModel, ExpandAndCollapseInsertAndRemoveExactlyTheChildren) {
    ShowForm();
    auto props = TwoObjects();
    Box->NewProps(props.get());
    const int32_t when = ItemOf("when");
    Box->ExpandItem(ItemOf("same")); // no children: nothing
    EXPECT_EQ(Box->Count(), 3);
    Box->ExpandItem(when);
    EXPECT_EQ(ItemNames(*Box), (Names{"same", "diff", "when", "Date", "Time"}));
    EXPECT_EQ(Box->GetEditInfo(3)->FListIndex, 3);
    EXPECT_EQ(Box->GetEditInfo(3)->GetLevel(), 1);
    Box->ExpandItem(when); // already expanded: nothing
    EXPECT_EQ(Box->Count(), 5);
    // A selected child hands the selection to its parent when it is hidden.
    Box->SetItemIndex(4);
    Box->UpdatePropSelection();
    Box->CollapseItem(when);
    EXPECT_EQ(ItemNames(*Box), (Names{"same", "diff", "when"}));
    EXPECT_EQ(Row("when")->FItems[0]->FListIndex, -1);
    EXPECT_EQ(Box->ItemIndex(), when);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("when"));
    Box->CollapseItem(when);
    EXPECT_EQ(Box->Count(), 3);
    EXPECT_THROW(Box->ExpandItem(7), fw::EListError);
}

TEST_F(BoxModel, SetAndGetPropsFindTopRowsByExactName) {
    ShowForm();
    auto props = TwoObjects();
    Box->NewProps(props.get());
    auto other = fw::New<TPropList>();
    for (int i = 0; i < 2; ++i) {
        other->Add(fw::New<TLongintProp>());
        other->GetProp(i)->SetAsVariant(fw::Variant(40 + i));
    }
    Box->SetProps("SAME", other.get()); // letter case counts: nothing
    EXPECT_EQ(Row("same")->GetValue(), "7");
    Box->SetProps("same", other.get());
    EXPECT_EQ(Row("same")->FProps->GetProp(1)->GetAsVariant().AsInteger(), 41);
    EXPECT_FALSE(Row("same")->FAllEqual);
    auto copy = fw::New<TPropList>();
    copy->Add(fw::New<TLongintProp>());
    Box->GetProps("same", copy.get());
    EXPECT_EQ(copy->GetProp(0)->GetAsVariant().AsInteger(), 40);
    Box->GetProps("nothing", copy.get());
    EXPECT_EQ(copy->GetProp(0)->GetAsVariant().AsInteger(), 40);
}

TEST_F(BoxModel, ARebuildThatCannotBeBuiltLeavesTheBoxAsItWas) {
    ShowForm();
    auto props = TwoObjects();
    Box->NewProps(props.get());
    Box->SetItemIndex(ItemOf("diff"));
    Box->UpdatePropSelection();
    props->AddList("orphan", TOrphanProp::StaticClass(), 2);
    EXPECT_THROW(Box->NewProps(props.get()), EPropEditor);
    EXPECT_EQ(ItemNames(*Box), (Names{"same", "diff", "when"}));
    EXPECT_EQ(Box->GetEditInfo(2)->FListIndex, 2);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("diff"));
    EXPECT_TRUE(Box->FSelection->Visible());
    // Null lists load nothing.
    Box->UpdateProps(nullptr);
    Box->SetProps("same", nullptr);
    Box->GetProps("same", nullptr);
    EXPECT_EQ(Row("same")->GetValue(), "7");
}

TEST_F(BoxModel, ASelectedChildNameFallsBackToTheFirstItemOnRebuild) {
    ShowForm();
    auto props = TwoObjects();
    Box->NewProps(props.get());
    Box->ExpandItem(ItemOf("when"));
    Box->SetItemIndex(ItemOf("Time"));
    Box->UpdatePropSelection();
    Box->NewProps(props.get());
    EXPECT_EQ(Box->ItemIndex(), 0);
    Box->NewProps(nullptr);
    EXPECT_EQ(Box->Count(), 0);
    EXPECT_FALSE(Box->FSelection->Visible());
}

} // namespace
} // namespace quire::test
