// SPDX-License-Identifier: MIT
// The record snapshot on records read from real SQLite tables.
#include "quire/box/RecordSnapshot.h"

#include "quire/values/PropKinds.h"

#include "platform/db/SqlConnection.h"
#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <unistd.h>

using namespace quire;
using fw::TFieldType;

namespace {

class RecordSnapshotTest : public ::testing::Test {
protected:
    std::filesystem::path Dir;
    std::unique_ptr<fw::TSqlConnection> Db = fw::New<fw::TSqlConnection>();
    std::unique_ptr<fw::TSqlTable> Table = fw::New<fw::TSqlTable>();

    void SetUp() override {
        static std::atomic<int> counter{0};
        Dir = std::filesystem::temp_directory_path() /
              ("quire-box-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(Dir);
        Db->SetDatabaseName((Dir / "snapshot.sqlite").string());
        Db->Open();
        Table->SetConnection(Db.get());
    }

    void TearDown() override {
        Table.reset();
        Db.reset();
        std::filesystem::remove_all(Dir);
    }

    // Creates table t with aColumns, inserts one row of aValues and opens it.
    void OpenRecord(const std::string& aColumns, const std::string& aValues) {
        Db->ExecSQL("CREATE TABLE t (" + aColumns + ")");
        Db->ExecSQL("INSERT INTO t VALUES (" + aValues + ")");
        Table->SetTableName("t");
        Table->Open();
    }

    static TProp* Prop(const TMultiPropList& aProps, int32_t aIndex) {
        return aProps.GetList(aIndex)->GetProp(0);
    }
};

TEST(FieldTypeToPropClassTest, MapsTheShownTypesByOrdinal) {
    const std::vector<std::pair<int, TPropClass>> shown{
        {1, TStringProp::StaticClass()},    {2, TSmallintProp::StaticClass()},
        {3, TLongintProp::StaticClass()},   {4, TWordProp::StaticClass()},
        {5, TBooleanProp::StaticClass()},   {6, TDoubleProp::StaticClass()},
        {7, TDecimalProp::StaticClass()},   {8, TDecimalProp::StaticClass()},
        {9, TDateProp::StaticClass()},      {10, TTimeProp::StaticClass()},
        {11, TDateTimeProp::StaticClass()}, {16, TTextProp::StaticClass()},
        {25, TLargeintProp::StaticClass()}};
    for (int ordinal = 0; ordinal <= 40; ++ordinal) {
        TPropClass expected = nullptr;
        for (const auto& [number, cls] : shown)
            if (number == ordinal)
                expected = cls;
        EXPECT_EQ(FieldTypeToPropClass(static_cast<TFieldType>(ordinal)), expected) << ordinal;
    }
    EXPECT_EQ(FieldTypeToPropClass(static_cast<TFieldType>(-1)), nullptr);
}

TEST_F(RecordSnapshotTest, UnsupportedFieldsAreLeftOutInFieldOrder) {
    OpenRecord("id INTEGER PRIMARY KEY, name VARCHAR(20), photo BLOB, qty INTEGER",
               "1, 'Lamp', x'00ff', 7");
    auto props = RecordToProps(*Table);
    ASSERT_EQ(props->GetCount(), 2);
    EXPECT_EQ(props->GetName(0), "name");
    EXPECT_EQ(props->GetName(1), "qty");
    EXPECT_EQ(props->GetList(0)->GetCount(), 1);
    EXPECT_EQ(Prop(*props, 0)->ClassType(), TStringProp::StaticClass());
    EXPECT_EQ(Prop(*props, 0)->GetAsVariant().AsString(), "Lamp");
    EXPECT_EQ(Prop(*props, 1)->ClassType(), TLongintProp::StaticClass());
    EXPECT_EQ(Prop(*props, 1)->GetOrdValue(), 7);
}

TEST_F(RecordSnapshotTest, NoShownFieldGivesAnEmptyCollection) {
    OpenRecord("id INTEGER PRIMARY KEY, data BLOB", "1, x'01'");
    EXPECT_EQ(RecordToProps(*Table)->GetCount(), 0);
}

TEST_F(RecordSnapshotTest, EveryShownKindIsLoadedWithTheFieldValue) {
    OpenRecord("id INTEGER PRIMARY KEY, s VARCHAR(10), si SMALLINT, w WORD, i INTEGER, "
               "b BOOLEAN, f REAL, d DATE, t TIME, dt DATETIME, m TEXT",
               "1, 'abc', -5, 40000, 123456, 1, 2.5, '2024-02-29', '13:45:30', "
               "'2024-02-29 13:45:30', 'one' || char(10) || 'two' || char(10)");
    auto props = RecordToProps(*Table);
    ASSERT_EQ(props->GetCount(), 10);
    const std::vector<TPropClass> classes{
        TStringProp::StaticClass(),  TSmallintProp::StaticClass(), TWordProp::StaticClass(),
        TLongintProp::StaticClass(), TBooleanProp::StaticClass(),  TDoubleProp::StaticClass(),
        TDateProp::StaticClass(),    TTimeProp::StaticClass(),     TDateTimeProp::StaticClass(),
        TTextProp::StaticClass()};
    for (int32_t i = 0; i < props->GetCount(); ++i)
        EXPECT_EQ(Prop(*props, i)->ClassType(), classes[i]) << props->GetName(i);

    EXPECT_EQ(Prop(*props, 1)->GetAsVariant().AsInteger(), -5);
    EXPECT_EQ(Prop(*props, 2)->GetAsVariant().AsInteger(), 40000);
    EXPECT_EQ(Prop(*props, 3)->GetOrdValue(), 123456);
    EXPECT_TRUE(Prop(*props, 4)->GetAsVariant().AsBoolean());
    EXPECT_DOUBLE_EQ(Prop(*props, 5)->GetFloatValue(), 2.5);
    const fw::TDateTime day = fw::EncodeDate(2024, 2, 29);
    const fw::TDateTime time = fw::EncodeTime(13, 45, 30, 0);
    EXPECT_DOUBLE_EQ(Prop(*props, 6)->GetFloatValue(), day);
    EXPECT_NEAR(Prop(*props, 7)->GetFloatValue(), time, 1e-9);
    EXPECT_NEAR(Prop(*props, 8)->GetFloatValue(), day + time, 1e-9);
    auto* text = static_cast<TTextProp*>(Prop(*props, 9));
    EXPECT_EQ(text->GetAsVariant().AsString(), "one\ntwo\n");
    EXPECT_EQ(text->Lines().Count(), 3);
}

TEST_F(RecordSnapshotTest, NullFieldsLeaveTheInitialValue) {
    OpenRecord("id INTEGER PRIMARY KEY, s VARCHAR(10), i INTEGER, b BOOLEAN, d DATE, m TEXT",
               "1, NULL, NULL, NULL, NULL, NULL");
    auto props = RecordToProps(*Table);
    ASSERT_EQ(props->GetCount(), 5);
    EXPECT_EQ(Prop(*props, 0)->GetAsVariant().AsString(), "");
    EXPECT_EQ(Prop(*props, 1)->ClassType(), TLongintProp::StaticClass());
    EXPECT_EQ(Prop(*props, 1)->GetOrdValue(), 0);
    EXPECT_FALSE(Prop(*props, 2)->GetAsVariant().AsBoolean());
    EXPECT_EQ(Prop(*props, 3)->GetFloatValue(), 0.0); // 30 December 1899
    EXPECT_EQ(static_cast<TTextProp*>(Prop(*props, 4))->Lines().Count(), 0);
}

TEST_F(RecordSnapshotTest, LongStringKeepsItsFirst250Characters) {
    const std::string text(300, 'x');
    // SQLite keeps the whole text in a column declared shorter.
    OpenRecord("id INTEGER PRIMARY KEY, s VARCHAR(30)", "1, '" + text + "'");
    auto props = RecordToProps(*Table);
    EXPECT_EQ(Prop(*props, 0)->GetAsVariant().AsString(), text.substr(0, 250));
}

TEST_F(RecordSnapshotTest, SnapshotDoesNotFollowTheCursor) {
    Db->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(10))");
    Db->ExecSQL("INSERT INTO t (name) VALUES ('first'), ('second')");
    Table->SetTableName("t");
    Table->Open();
    auto first = RecordToProps(*Table);
    Table->Next();
    auto second = RecordToProps(*Table);
    Table->Close();
    EXPECT_EQ(Prop(*first, 0)->GetAsVariant().AsString(), "first");
    EXPECT_EQ(Prop(*second, 0)->GetAsVariant().AsString(), "second");
}

TEST_F(RecordSnapshotTest, ValueThePropertyCannotTakeRaisesTheConversionError) {
    // A date column holding text that is no date: the field keeps the text as read.
    OpenRecord("id INTEGER PRIMARY KEY, name VARCHAR(10), d DATE", "1, 'a', 'not a date'");
    EXPECT_EQ(Table->FieldByName("d").AsVariant().AsString(), "not a date");
    EXPECT_THROW(RecordToProps(*Table), fw::EVariantTypeCastError);
}

TEST_F(RecordSnapshotTest, IntegerOutsideItsFieldTypeIsRefusedNotWrapped) {
    // SQLite keeps 40000 in a SMALLINT column and 5000000000 in an INTEGER one.
    OpenRecord("id INTEGER PRIMARY KEY, si SMALLINT", "1, 40000");
    EXPECT_THROW(RecordToProps(*Table), fw::Exception);
    Table->Close();
    Db->ExecSQL("UPDATE t SET si = 5000000000");
    Table->Open();
    EXPECT_THROW(RecordToProps(*Table), fw::Exception);
}

TEST_F(RecordSnapshotTest, QueryRecordsAreSnapshotToo) {
    Db->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(10), born DATE)");
    Db->ExecSQL("INSERT INTO t (name, born) VALUES ('Ann', '1990-05-01')");
    auto query = fw::New<fw::TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT name, born, id FROM t WHERE name = ?");
    query->SetParams({fw::Variant("Ann")});
    query->Open();
    auto props = RecordToProps(*query);
    ASSERT_EQ(props->GetCount(), 3);
    EXPECT_EQ(props->GetName(1), "born");
    EXPECT_DOUBLE_EQ(Prop(*props, 1)->GetFloatValue(), fw::EncodeDate(1990, 5, 1));
}

} // namespace
