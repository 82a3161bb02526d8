// SPDX-License-Identifier: MIT
// Several records at once, as a person edits them: the chosen records' values in
// each row (grey where they disagree), typed values written into every chosen
// record as one write, and a refusal on one record leaving all of them as they were.

#include "BoxFixture.h"

#include "quire/editors/FormDateTime.h"

#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace quire::test {
namespace {

using dbtest::TBackendKind;
using fw::Application;

class MultiRecord : public BoxFixture, public ::testing::WithParamInterface<TBackendKind> {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowForm();
        Db = dbtest::Connect(GetParam(), Dir, SkipReason);
        if (!Db) {
            GTEST_SKIP() << SkipReason;
        }
        const bool pg = GetParam() == TBackendKind::PostgreSQL;
        Db->ExecSQL("DROP TABLE IF EXISTS shelf");
        Db->ExecSQL(std::string("CREATE TABLE shelf (id INTEGER PRIMARY KEY, title VARCHAR(20),"
                                " qty INTEGER, cap INTEGER, stamp ") +
                    (pg ? "TIMESTAMP" : "DATETIME") + ", CHECK (qty <= cap))");
        // Records 1 and 2 share the day, 1 and 3 the time of day; record 7 takes
        // at most 8.
        const char* stamps[] = {"2024-05-01 10:00:00", "2024-05-01 11:30:00",
                                "2024-05-03 10:00:00"};
        for (int i = 1; i <= 10; ++i) {
            Db->ExecSQL("INSERT INTO shelf VALUES (?, ?, ?, ?, ?)",
                        {fw::Variant(i), fw::Variant("Book " + std::to_string(i)), fw::Variant(i),
                         fw::Variant(i == 7 ? 8 : 20),
                         fw::Variant(fw::String(stamps[i <= 3 ? i - 1 : 2]))});
        }
        Table = fw::New<fw::TSqlTable>();
        Table->SetConnection(Db.get());
        Table->SetTableName("shelf");
        Source = fw::New<fw::TDataSource>();
        Source->SetDataSet(Table.get());
        Box->SetDataSource(Source.get());
        Table->Open();
        fw::Application->ProcessMessages();
    }

    std::vector<int64_t> StoredQty() {
        std::vector<int64_t> values;
        auto query = fw::New<fw::TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL("SELECT qty FROM shelf ORDER BY id");
        for (query->Open(); !query->Eof(); query->Next()) {
            values.push_back(query->Fields(0).AsLargeInt());
        }
        return values;
    }
    fw::String StoredStamp(int aId) {
        auto query = fw::New<fw::TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL("SELECT stamp FROM shelf WHERE id = ?");
        query->SetParams({fw::Variant(aId)});
        query->Open();
        return fw::DateTimeToStr(query->Fields(0).AsDateTime());
    }
    void TypeInto(const std::string& aRow, const std::string& aText) {
        Box->SetItemIndex(ItemOf(aRow));
        Box->UpdatePropSelection();
        Input::Type(Edit(), aText);
        Input::Key(Edit(), fw::VK_RETURN);
    }
    static std::vector<int64_t> AllTen() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; }
};

INSTANTIATE_TEST_SUITE_P(Backends, MultiRecord,
                         ::testing::Values(TBackendKind::SQLite, TBackendKind::PostgreSQL));

TEST_P(MultiRecord, ATypedValueReachesEveryChosenRecordAndTheRowsAgree) {
    Box->SelectRecords(AllTen());
    ASSERT_EQ(Row("qty")->FProps->GetCount(), 10);
    EXPECT_FALSE(Row("qty")->FAllEqual);
    EXPECT_EQ(Row("qty")->GetValue(), "");
    ClickRow("qty");
    Input::Type(Edit(), "5");
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
    EXPECT_EQ(StoredQty(), std::vector<int64_t>(10, 5));
    EXPECT_TRUE(Row("qty")->FAllEqual);
    EXPECT_EQ(Row("qty")->GetValue(), "5");
    EXPECT_EQ(Edit().Text(), "5");
    // The cursor never left the first record, which shows the stored value.
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_EQ(Table->RecNo(), 1);
    EXPECT_EQ(Table->FieldByName("qty").AsInteger(), 5);
}

TEST_P(MultiRecord, ARefusalOnTheSeventhRecordLeavesAllTenAsTheyWere) {
    Box->SelectRecords(AllTen());
    TypeInto("qty", "9");
    EXPECT_NE(Application->LastExceptionMessage().find("record 7 (id = 7)"), std::string::npos)
        << Application->LastExceptionMessage();
    EXPECT_EQ(StoredQty(), (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(Row("qty")->FAllEqual);
    EXPECT_EQ(Edit().Text(), "");

    // Inside a transaction the host opened, its own write survives the refusal.
    Application->ClearLastException();
    Db->StartTransaction();
    Db->ExecSQL("UPDATE shelf SET title = 'kept' WHERE id = 1");
    // Read again: on PostgreSQL a row changed since it was read is refused.
    Table->Refresh();
    Box->SelectRecords(AllTen());
    TypeInto("qty", "9");
    EXPECT_NE(Application->LastExceptionMessage().find("record 7"), std::string::npos)
        << Application->LastExceptionMessage();
    TypeInto("qty", "8");
    Db->Commit();
    EXPECT_EQ(StoredQty(), std::vector<int64_t>(10, 8));
    Table->Refresh();
    EXPECT_EQ(Table->FieldByName("title").AsString(), "kept");
}

TEST_P(MultiRecord, AHandlerThatRefreshesDoesNotStopTheValueReachingEveryRecord) {
    std::vector<int32_t> heard;
    Box->SetOnPropChange([&](fw::TObject*, const fw::String&, TProp*, int32_t aIndex) {
        heard.push_back(aIndex);
        if (heard.size() == 1) {
            Table->Refresh(); // rebuilds the rows while the value is being set
        }
    });
    Box->SelectRecords({2, 4, 6});
    TypeInto("qty", "3");
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
    EXPECT_EQ(StoredQty(), (std::vector<int64_t>{1, 3, 3, 3, 5, 3, 7, 8, 9, 10}));
    EXPECT_EQ(heard.front(), 0);
    EXPECT_EQ(Row("qty")->GetValue(), "3");
}

TEST_P(MultiRecord, DateAndTimeAgreeOnTheirOwnPartAndAreWrittenSo) {
    Box->SelectRecords({1, 2});
    Box->ExpandItem(ItemOf("stamp"));
    EXPECT_FALSE(Row("stamp")->FAllEqual);
    EXPECT_TRUE(Row("Date")->FAllEqual);
    EXPECT_EQ(Row("Date")->GetValue(), "01.05.2024");
    EXPECT_FALSE(Row("Time")->FAllEqual);

    Box->SelectRecords({2, 3});
    Box->ExpandItem(ItemOf("stamp"));
    // The parts are edited in their dialogs (Ctrl+Enter), on the first record's
    // value, and the change goes to every chosen record.
    Box->SetItemIndex(ItemOf("Time"));
    Box->UpdatePropSelection();
    Application->OnModalShown = [](fw::TWinControl* aForm) {
        auto* form = dynamic_cast<TFormDateTime*>(aForm);
        ASSERT_NE(form, nullptr);
        Input::Type(*form->Picker, "120000");
        Input::Key(*form->Picker, fw::VK_RETURN);
    };
    Input::Key(Edit(), fw::VK_RETURN, {fw::ssCtrl});
    Application->OnModalShown = nullptr;
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
    EXPECT_EQ(StoredStamp(2), "01.05.2024 12:00:00");
    EXPECT_EQ(StoredStamp(3), "03.05.2024 12:00:00");
    EXPECT_EQ(StoredStamp(1), "01.05.2024 10:00:00");
    EXPECT_TRUE(Row("Time")->FAllEqual);
    EXPECT_FALSE(Row("Date")->FAllEqual);
}

TEST_P(MultiRecord, TheChoiceHoldsOverMovesAndEndsWhenTheRecordsChange) {
    EXPECT_THROW(Box->SelectRecords({2, 11}), fw::EDatabaseError);
    EXPECT_TRUE(Box->SelectedRecords().empty());
    EXPECT_EQ(Row("title")->GetValue(), "Book 1");

    Box->SelectRecords({4, 5, 4});
    EXPECT_EQ(Box->SelectedRecords(), (std::vector<int64_t>{4, 5}));
    Table->Next();
    EXPECT_EQ(Row("title")->FProps->GetCount(), 2);
    EXPECT_EQ(Row("cap")->GetValue(), "20");
    Table->Append();
    if (!Table->FieldByName("id").ReadOnly()) { // SQLite assigns its row id itself
        Table->FieldByName("id").SetAsInteger(11);
    }
    Table->FieldByName("cap").SetAsInteger(1);
    Table->Post();
    EXPECT_TRUE(Box->SelectedRecords().empty());
    EXPECT_EQ(Row("cap")->GetValue(), "1");
    Box->SelectRecords({1, 2});
    Table->Close();
    Table->Open();
    EXPECT_TRUE(Box->SelectedRecords().empty());
    EXPECT_EQ(Row("title")->FProps->GetCount(), 1);
}

} // namespace
} // namespace quire::test
