// SPDX-License-Identifier: MIT
// The data set core, fields and the data-link routing, on the in-memory data set.
#include "DbTestSupport.h"

#include "platform/db/DataSource.h"
#include "platform/db/MemoryDataSet.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace fw;
using dbtest::TRecordingLink;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class MemoryDataSetTest : public ::testing::Test {
protected:
    std::unique_ptr<TMemoryDataSet> Data = New<TMemoryDataSet>();

    void SetUp() override {
        Data->SetName("People");
        Data->FieldDefs().Add("Id", ftInteger, 0, true);
        Data->FieldDefs().Add("Name", ftString, 10);
        Data->FieldDefs().Add("Age", ftSmallint);
        Data->FieldDefs().Add("Born", ftDate);
        Data->FieldDefs().Add("Notes", ftMemo);
        Data->Open();
        for (int i = 1; i <= 3; ++i)
            AddPerson(i, "P" + std::to_string(i));
        Data->First();
    }

    void AddPerson(int aId, const std::string& aName) {
        Data->Append();
        Data->FieldByName("Id").SetAsInteger(aId);
        Data->FieldByName("Name").SetAsString(aName);
        Data->Post();
    }

    int CurrentId() const { return Data->FieldByName("Id").AsInteger(); }
};

TEST_F(MemoryDataSetTest, CursorMovesAndReportsBofEofAndRecNo) {
    EXPECT_TRUE(Data->Bof());
    EXPECT_FALSE(Data->Eof());
    EXPECT_EQ(Data->RecNo(), 1);
    EXPECT_EQ(Data->RecordCount(), 3);

    Data->Next();
    EXPECT_FALSE(Data->Bof());
    EXPECT_EQ(CurrentId(), 2);
    Data->Next();
    Data->Next(); // past the last: stays on it
    EXPECT_TRUE(Data->Eof());
    EXPECT_EQ(CurrentId(), 3);

    Data->Prior();
    EXPECT_FALSE(Data->Eof());
    EXPECT_EQ(Data->RecNo(), 2);
    EXPECT_EQ(Data->MoveBy(-5), -1);
    EXPECT_TRUE(Data->Bof());
    Data->Last();
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_TRUE(Data->Eof());
    Data->SetRecNo(2);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_THROW(Data->SetRecNo(4), EDatabaseError);

    int visited = 0;
    for (Data->First(); !Data->Eof(); Data->Next())
        ++visited;
    EXPECT_EQ(visited, 3);
}

TEST_F(MemoryDataSetTest, FieldsAreFoundByNameIgnoringCase) {
    EXPECT_EQ(Data->FindField("name"), &Data->Fields(1));
    EXPECT_EQ(Data->FindField("Missing"), nullptr);
    try {
        Data->FieldByName("Missing");
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("'Missing'"));
        EXPECT_THAT(error.Message(), HasSubstr("People"));
    }
    EXPECT_THROW(Data->Fields(5), EListError);
    EXPECT_EQ(Data->Fields(3).DataType(), ftDate);
}

TEST_F(MemoryDataSetTest, WritesAreRefusedWithClearErrorsAndStoreNothing) {
    TField& name = Data->FieldByName("Name");
    TField& age = Data->FieldByName("Age");
    try {
        name.SetAsString("X");
        FAIL() << "write outside edit state";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("'Name'"));
        EXPECT_THAT(error.Message(), HasSubstr("'X'"));
    }
    Data->Edit();
    age.SetAsInteger(30);
    for (const Variant& bad : {Variant(40000), Variant("abc"), Variant(1.5)}) {
        try {
            age.SetAsVariant(bad);
            ADD_FAILURE() << "accepted " << bad.AsString();
        } catch (const EDatabaseError& error) {
            EXPECT_THAT(error.Message(), HasSubstr("Field 'Age'"));
            EXPECT_THAT(error.Message(), HasSubstr(bad.AsString()));
        }
        EXPECT_EQ(age.AsInteger(), 30);
    }
    EXPECT_THROW(name.SetAsString("much too long"), EDatabaseError);
    try {
        // The value is shortened in the message, never inside a character.
        name.SetAsString(std::string(59, 'a') + "яяя");
        ADD_FAILURE() << "too long a text accepted";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("'" + std::string(59, 'a') + "...'"));
    }
    EXPECT_EQ(name.AsString(), "P1");
    name.SetAsString("Ünïcødé10c"); // ten characters, more bytes
    EXPECT_EQ(name.AsString(), "Ünïcødé10c");
    EXPECT_THROW(Data->FieldByName("Born").SetAsString("no date"), EDatabaseError);

    Data->FieldByName("Id").SetReadOnly(true);
    try {
        Data->FieldByName("Id").SetAsInteger(9);
        ADD_FAILURE() << "read-only field written";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("'Id'"));
        EXPECT_THAT(error.Message(), HasSubstr("'9'"));
    }
    EXPECT_EQ(CurrentId(), 1);
}

TEST(DecimalFieldTest, KeepsValuesExactWithinPrecisionAndScale) {
    TFormatSettings comma;
    comma.DecimalSeparator = ',';
    TFormatSettingsScope scope(comma);
    auto data = New<TMemoryDataSet>();
    TFieldDef& def = data->FieldDefs().Add("Price", ftBCD);
    def.Precision = 10;
    def.Scale = 2;
    data->FieldDefs().Add("Any", ftBCD);
    data->Open();
    data->Append();
    TField& price = data->FieldByName("Price");
    price.SetAsString("1490,5");
    EXPECT_EQ(price.AsString(), "1490,50");
    price.SetAsFloat(0.1 + 0.2); // a double is rounded to the scale
    EXPECT_EQ(price.AsDecimal().ToString(), "0.30");
    price.SetAsFloat(2.675); // just below 2.675 as a double; its shortest decimal rounds up
    EXPECT_EQ(price.AsString(), "2,68");
    for (const char* bad : {"1,234", "123456789", "abc"}) {
        try {
            price.SetAsString(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const EDatabaseError& error) {
            EXPECT_THAT(error.Message(), HasSubstr("Field 'Price': '" + std::string(bad) + "'"));
        }
    }
    EXPECT_THROW(price.SetAsDecimal(TDecimal::Parse("0.001")), EDatabaseError);
    price.SetAsString("12,3400");
    EXPECT_EQ(price.AsDecimal().ToString(), "12.34");
    TField& any = data->FieldByName("Any");
    any.SetAsString("0,000000000000000000001");
    EXPECT_EQ(any.AsString(), "0,000000000000000000001");
    data->Post();
    EXPECT_EQ(data->FieldByName("Price").AsDecimal() + TDecimal::Parse("0.66"),
              TDecimal::Parse("13"));
}

TEST_F(MemoryDataSetTest, NullFieldsReadAsEmptyValues) {
    TField& born = Data->FieldByName("Born");
    EXPECT_TRUE(born.IsNull());
    EXPECT_TRUE(VarIsNull(born.AsVariant()));
    EXPECT_EQ(born.AsString(), "");
    EXPECT_EQ(born.AsDateTime(), 0.0);
    Data->Edit();
    born.SetAsDateTime(EncodeDate(2024, 2, 29) + 0.5);
    EXPECT_EQ(born.AsDateTime(), EncodeDate(2024, 2, 29)); // a date field keeps the day only
    born.SetAsString("");
    EXPECT_TRUE(born.IsNull());
}

TEST_F(MemoryDataSetTest, PostStoresAndCancelRestores) {
    Data->SetRecNo(2);
    Data->Edit();
    Data->FieldByName("Name").SetAsString("Changed");
    EXPECT_TRUE(Data->Modified());
    Data->Cancel();
    EXPECT_EQ(Data->State(), dsBrowse);
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "P2");

    Data->Edit();
    Data->FieldByName("Notes").SetAsString("line 1\nline 2\n");
    Data->Post();
    Data->First();
    Data->SetRecNo(2);
    EXPECT_EQ(Data->FieldByName("Notes").AsString(), "line 1\nline 2\n");

    // Insert goes before the current record; cancelling it returns to that record.
    Data->Insert();
    EXPECT_EQ(Data->State(), dsInsert);
    EXPECT_TRUE(Data->FieldByName("Name").IsNull());
    Data->Cancel();
    EXPECT_EQ(CurrentId(), 2);
    Data->Insert();
    Data->FieldByName("Id").SetAsInteger(7);
    Data->Post();
    EXPECT_EQ(Data->RecNo(), 2);
    EXPECT_EQ(Data->RecordCount(), 4);
    Data->Delete();
    EXPECT_EQ(Data->RecordCount(), 3);
    EXPECT_EQ(CurrentId(), 2);
}

TEST_F(MemoryDataSetTest, AppendOverAnUnpostedRecordStillAddsAtTheEnd) {
    Data->Append();
    Data->FieldByName("Id").SetAsInteger(4);
    Data->Append(); // posts record 4 first
    Data->FieldByName("Id").SetAsInteger(5);
    Data->Post();
    std::vector<int> ids;
    for (Data->First(); !Data->Eof(); Data->Next())
        ids.push_back(CurrentId());
    EXPECT_THAT(ids, ElementsAre(1, 2, 3, 4, 5));

    // Insert goes before the record that is current once the pending one is posted.
    Data->SetRecNo(2);
    Data->Edit();
    Data->FieldByName("Name").SetAsString("edited");
    Data->Insert();
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "");
    Data->FieldByName("Id").SetAsInteger(9);
    Data->Post();
    EXPECT_EQ(Data->RecNo(), 2);
    Data->Next();
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "edited");
}

TEST_F(MemoryDataSetTest, RefusedPostKeepsEditStateAndValues) {
    Data->BeforePost = [](TDataSet& aDataSet) {
        if (aDataSet.FieldByName("Age").AsInteger() < 0)
            throw EDatabaseError("Age must not be negative");
    };
    Data->Edit();
    Data->FieldByName("Age").SetAsInteger(-1);
    Data->FieldByName("Name").SetAsString("Typed");
    EXPECT_THROW(Data->Post(), EDatabaseError);
    EXPECT_EQ(Data->State(), dsEdit);
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "Typed");
    EXPECT_EQ(Data->FieldByName("Age").AsInteger(), -1);
    // Scrolling posts first, so a refused record does not let the cursor move.
    EXPECT_THROW(Data->Next(), EDatabaseError);
    EXPECT_EQ(CurrentId(), 1);

    Data->FieldByName("Age").SetAsInteger(5);
    Data->Post();
    EXPECT_EQ(Data->State(), dsBrowse);
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "Typed");

    Data->Append();
    EXPECT_THROW(Data->Post(), EDatabaseError); // Id is required
    EXPECT_EQ(Data->State(), dsInsert);
}

TEST(MemoryDataSetKeysTest, AutoIncrementFieldsAreNumberedOnPost) {
    auto data = New<TMemoryDataSet>();
    data->FieldDefs().Add("Id", ftAutoInc);
    data->FieldDefs().Add("Name", ftString, 10);
    data->Open();
    EXPECT_TRUE(data->FieldByName("Id").ReadOnly());
    for (const char* name : {"a", "b"}) {
        data->Append();
        data->FieldByName("Name").SetAsString(name);
        data->Post();
    }
    EXPECT_EQ(data->FieldByName("Id").AsInteger(), 2);
    data->First();
    EXPECT_EQ(data->FieldByName("Id").AsInteger(), 1);
}

TEST_F(MemoryDataSetTest, ReadOnlyDataSetRefusesEditing) {
    Data->SetReadOnly(true);
    EXPECT_THROW(Data->Edit(), EDatabaseError);
    EXPECT_THROW(Data->Append(), EDatabaseError);
    EXPECT_THROW(Data->Delete(), EDatabaseError);
    EXPECT_EQ(Data->State(), dsBrowse);
}

TEST_F(MemoryDataSetTest, ForEachRecordReadsOthersLeavingTheEditAlone) {
    Data->Edit();
    Data->FieldByName("Name").SetAsString("Typed");
    std::vector<std::string> names;
    Data->ForEachRecord({3, 2}, [&] { names.push_back(Data->FieldByName("Name").AsString()); });
    EXPECT_THAT(names, ElementsAre("P3", "P2"));
    EXPECT_EQ(Data->State(), dsEdit);
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "Typed");
    EXPECT_EQ(Data->RecNo(), 1);
    // A number outside the records is refused before anything is read.
    names.clear();
    EXPECT_THROW(Data->ForEachRecord({2, 4}, [&] { names.push_back("read"); }), EDatabaseError);
    EXPECT_TRUE(names.empty());
}

TEST_F(MemoryDataSetTest, PostRecordsWithoutTransactionsWritesRefusedBatchesBack) {
    Data->BeforePost = [](TDataSet& aDataSet) {
        if (aDataSet.FieldByName("Id").AsInteger() == 3)
            throw EDatabaseError("not this one");
    };
    const std::vector<TRecordEdit> edits{{1, {{"Age", Variant(40)}}},
                                         {2, {{"Age", Variant(40)}, {"Name", Variant("X")}}},
                                         {3, {{"Age", Variant(40)}}}};
    EXPECT_THROW(
        {
            try {
                Data->PostRecords(edits);
            } catch (const EDatabaseError& error) {
                EXPECT_THAT(error.Message(), HasSubstr("record 3 refused"));
                EXPECT_THAT(error.Message(), HasSubstr("not this one"));
                throw;
            }
        },
        EDatabaseError);
    for (Data->First(); !Data->Eof(); Data->Next()) {
        EXPECT_TRUE(Data->FieldByName("Age").IsNull()) << CurrentId();
        EXPECT_EQ(Data->FieldByName("Name").AsString(), "P" + std::to_string(CurrentId()));
    }
    Data->BeforePost = nullptr;
    Data->PostRecords(edits);
    Data->SetRecNo(2);
    EXPECT_EQ(Data->FieldByName("Name").AsString(), "X");
    EXPECT_EQ(Data->FieldByName("Age").AsInteger(), 40);
}

TEST_F(MemoryDataSetTest, EmptyDataSetDropsAPendingRecordToo) {
    Data->Edit();
    Data->FieldByName("Name").SetAsString("typed");
    EXPECT_NO_THROW(Data->EmptyDataSet());
    EXPECT_EQ(Data->State(), dsBrowse);
    EXPECT_TRUE(Data->IsEmpty());
    Data->Append();
    Data->FieldByName("Id").SetAsInteger(8);
    Data->EmptyDataSet();
    EXPECT_EQ(Data->RecordCount(), 0) << "the appended record is not posted into the empty set";
}

TEST_F(MemoryDataSetTest, EmptyDataSetEditsByInserting) {
    Data->EmptyDataSet();
    EXPECT_TRUE(Data->IsEmpty());
    EXPECT_TRUE(Data->Bof() && Data->Eof());
    EXPECT_EQ(Data->RecNo(), 0);
    Data->Edit();
    EXPECT_EQ(Data->State(), dsInsert);
    EXPECT_THROW(Data->FieldDefs(), EDatabaseError); // definitions change only while closed
}

// ---- data links -------------------------------------------------------------------

class DataLinkTest : public MemoryDataSetTest {
protected:
    std::unique_ptr<TDataSource> Source = New<TDataSource>();
    TRecordingLink Link;

    void SetUp() override {
        MemoryDataSetTest::SetUp();
        Data->Close();
        Source->SetDataSet(Data.get());
        Link.SetDataSource(Source.get());
    }
};

TEST_F(DataLinkTest, EveryRecordChangeReachesRecordChangedInOrder) {
    Data->Open();
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(on)"));
    EXPECT_TRUE(Link.Active());

    Data->Next();
    EXPECT_THAT(Link.Take(),
                ElementsAre("DataSetScrolled(1)", "DataSetChanged", "RecordChanged()"));
    Data->Next();
    Data->Next(); // no move: nothing
    EXPECT_THAT(Link.Take(),
                ElementsAre("DataSetScrolled(1)", "DataSetChanged", "RecordChanged()"));

    Data->Edit();
    EXPECT_THAT(Link.Take(), ElementsAre("EditingChanged(on)", "RecordChanged()"));
    Data->FieldByName("Name").SetAsString("N");
    EXPECT_THAT(Link.Take(), ElementsAre("RecordChanged(Name)"));
    Data->Post();
    EXPECT_THAT(Link.Take(),
                ElementsAre("EditingChanged(off)", "DataSetChanged", "RecordChanged()"));

    Data->Edit();
    Data->FieldByName("Age").SetAsInteger(3);
    Link.Take();
    Data->Cancel();
    EXPECT_THAT(Link.Take(),
                ElementsAre("EditingChanged(off)", "DataSetChanged", "RecordChanged()"));

    Data->Insert();
    EXPECT_THAT(Link.Take(),
                ElementsAre("EditingChanged(on)", "DataSetChanged", "RecordChanged()"));
    Data->Cancel();
    Link.Take();
    Data->Delete();
    EXPECT_THAT(Link.Take(), ElementsAre("DataSetChanged", "RecordChanged()"));
    Data->Refresh();
    EXPECT_THAT(Link.Take(), ElementsAre("DataSetChanged", "RecordChanged()"));

    Data->Close();
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(off)"));
    EXPECT_FALSE(Link.Active());
}

TEST_F(DataLinkTest, EditAnswersWhetherEditStateWasReached) {
    Data->Open();
    Link.SetReadOnly(true);
    EXPECT_FALSE(Link.Edit());
    EXPECT_EQ(Data->State(), dsBrowse);
    Link.SetReadOnly(false);
    Source->SetAutoEdit(false);
    EXPECT_FALSE(Link.Edit());
    Source->SetAutoEdit(true);
    EXPECT_TRUE(Link.Edit());
    EXPECT_TRUE(Link.Editing());
    EXPECT_EQ(Data->State(), dsEdit);
    EXPECT_EQ(Link.DataSet(), Data.get());
}

TEST_F(DataLinkTest, DisabledControlsHearOneChangeAtTheEnd) {
    Data->Open();
    Link.Take();
    Data->DisableControls();
    Data->Next();
    Data->Next();
    EXPECT_TRUE(Link.Take().empty());
    Data->EnableControls();
    EXPECT_THAT(Link.Take(), ElementsAre("DataSetChanged", "RecordChanged()"));
}

TEST_F(DataLinkTest, DisablingTheSourceDeactivatesItsLinks) {
    Data->Open();
    Link.Take();
    Source->SetEnabled(false);
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(off)"));
    Data->Next();
    EXPECT_TRUE(Link.Take().empty());
    Source->SetEnabled(true);
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(on)"));
}

TEST_F(DataLinkTest, DestroyedSourceAndDataSetDetachTheirLinks) {
    Data->Open();
    Link.Take();
    TRecordingLink second;
    second.SetDataSource(Source.get());
    Source.reset();
    EXPECT_EQ(Link.DataSource(), nullptr);
    EXPECT_EQ(second.DataSource(), nullptr);
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(off)"));

    auto source = New<TDataSource>();
    source->SetDataSet(Data.get());
    Link.SetDataSource(source.get());
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(on)"));
    Data.reset();
    EXPECT_EQ(source->DataSet(), nullptr);
    EXPECT_THAT(Link.Take(), ElementsAre("ActiveChanged(off)"));
    {
        TRecordingLink temporary;
        temporary.SetDataSource(source.get());
    }
    EXPECT_EQ(source->LinkCount(), 1);
}

} // namespace
