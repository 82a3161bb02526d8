// SPDX-License-Identifier: MIT
// The SQL data sets, the same suite on SQLite (files in a temporary folder) and on
// PostgreSQL (when a server is configured and reachable).
#include "DbTestSupport.h"

#include "platform/db/DataSource.h"
#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"
#include "platform/rtl/DateUtils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace fw;
using dbtest::TBackendKind;
using dbtest::TRecordingLink;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class SqlDataSetTest : public ::testing::TestWithParam<TBackendKind> {
protected:
    dbtest::TTempDir Dir;
    std::unique_ptr<TSqlConnection> Db;

    void SetUp() override {
        std::string reason;
        Db = dbtest::Connect(GetParam(), Dir, reason);
        if (!Db)
            GTEST_SKIP() << reason;
    }

    void TearDown() override {
        Db.reset();
        if (!Sqlite())
            dbtest::DropPgSchema();
    }

    bool Sqlite() const { return GetParam() == TBackendKind::SQLite; }

    void Exec(const std::string& aSql, const std::vector<Variant>& aParams = {}) {
        Db->ExecSQL(aSql, aParams);
    }

    // Creates the table afresh; aColumns in the neutral SQL both databases take.
    void CreateTable(const std::string& aName, const std::string& aColumns) {
        Exec("DROP TABLE IF EXISTS " + TSqlConnection::QuoteIdentifier(aName));
        Exec("CREATE TABLE " + TSqlConnection::QuoteIdentifier(aName) + " (" + aColumns + ")");
    }

    std::string AutoKey() const { return Sqlite() ? "INTEGER PRIMARY KEY" : "SERIAL PRIMARY KEY"; }

    std::string DateTimeType() const { return Sqlite() ? "DATETIME" : "TIMESTAMP"; }
    std::string BlobType() const { return Sqlite() ? "BLOB" : "BYTEA"; }

    std::unique_ptr<TSqlTable> OpenTable(const std::string& aName) {
        auto table = New<TSqlTable>();
        table->SetConnection(Db.get());
        table->SetTableName(aName);
        table->Open();
        return table;
    }

    void CreateAllTypes() {
        CreateTable("all_types", "id " + AutoKey() + ", s VARCHAR(20), si SMALLINT, i INTEGER, " +
                                     "b BOOLEAN, f DOUBLE PRECISION, n NUMERIC(10,2), d DATE, " +
                                     "t TIME, dt " + DateTimeType() + ", m TEXT, bl " + BlobType());
    }
};

TEST_P(SqlDataSetTest, DeclaredTypesMapToFieldTypes) {
    CreateAllTypes();
    auto table = OpenTable("all_types");
    const std::vector<std::pair<std::string, TFieldType>> expected{
        {"id", ftAutoInc}, {"s", ftString},    {"si", ftSmallint}, {"i", ftInteger},
        {"b", ftBoolean},  {"f", ftFloat},     {"n", ftBCD},       {"d", ftDate},
        {"t", ftTime},     {"dt", ftDateTime}, {"m", ftMemo},      {"bl", ftBlob}};
    ASSERT_EQ(table->FieldCount(), static_cast<int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table->Fields(i).FieldName(), expected[i].first);
        EXPECT_EQ(table->Fields(i).DataType(), expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(table->FieldByName("s").Size(), 20);
    EXPECT_TRUE(table->FieldByName("id").ReadOnly());
    EXPECT_TRUE(table->CanModify());
    EXPECT_TRUE(table->IsEmpty());
}

TEST_P(SqlDataSetTest, PostgresTypesOutsideTheTableAreUnknownNotIntegers) {
    if (Sqlite())
        GTEST_SKIP() << "PostgreSQL column types";
    CreateTable("odd_types", "id SERIAL PRIMARY KEY, span INTERVAL, spot POINT, ids INTEGER[]");
    Exec("INSERT INTO odd_types (span, spot, ids) VALUES ('1 day', '(1,2)', '{1,2}')");
    auto table = OpenTable("odd_types");
    for (const char* name : {"span", "spot", "ids"})
        EXPECT_EQ(table->FieldByName(name).DataType(), ftUnknown) << name;
    EXPECT_EQ(table->FieldByName("ids").AsString(), "{1,2}");
}

TEST_P(SqlDataSetTest, EveryFieldTypeRoundTripsThroughPostAndReopen) {
    CreateAllTypes();
    const TDateTime day = EncodeDate(2024, 2, 29);
    const TDateTime time = EncodeTime(13, 45, 30, 250);
    const std::string bytes("\x00\x01\xff\"'\\", 6);
    {
        auto table = OpenTable("all_types");
        table->Append();
        table->FieldByName("s").SetAsString("Grüße, 'quoted'");
        table->FieldByName("si").SetAsInteger(-32768);
        table->FieldByName("i").SetAsInteger(2147483647);
        table->FieldByName("b").SetAsBoolean(true);
        table->FieldByName("f").SetAsFloat(0.1 + 0.2);
        table->FieldByName("n").SetAsFloat(12345.67);
        table->FieldByName("d").SetAsDateTime(day);
        table->FieldByName("t").SetAsDateTime(time);
        table->FieldByName("dt").SetAsDateTime(day + time);
        table->FieldByName("m").SetAsString("first line\nsecond line\n");
        table->FieldByName("bl").SetAsVariant(Variant(bytes));
        table->Post();
        EXPECT_EQ(table->FieldByName("id").AsInteger(), 1); // assigned by the database
        // A second record with every column null.
        table->Append();
        table->Post();
        EXPECT_EQ(table->RecordCount(), 2);
    }
    auto table = OpenTable("all_types");
    EXPECT_EQ(table->FieldByName("s").AsString(), "Grüße, 'quoted'");
    EXPECT_EQ(table->FieldByName("si").AsInteger(), -32768);
    EXPECT_EQ(table->FieldByName("i").AsInteger(), 2147483647);
    EXPECT_TRUE(table->FieldByName("b").AsBoolean());
    EXPECT_EQ(table->FieldByName("b").AsVariant().VarType(), varBoolean);
    EXPECT_DOUBLE_EQ(table->FieldByName("f").AsFloat(), 0.1 + 0.2);
    EXPECT_DOUBLE_EQ(table->FieldByName("n").AsFloat(), 12345.67);
    EXPECT_EQ(table->FieldByName("d").AsDateTime(), day);
    EXPECT_NEAR(table->FieldByName("t").AsDateTime(), time, 1e-9);
    EXPECT_NEAR(table->FieldByName("dt").AsDateTime(), day + time, 1e-9);
    EXPECT_EQ(table->FieldByName("d").AsVariant().VarType(), varDate);
    EXPECT_EQ(table->FieldByName("m").AsString(), "first line\nsecond line\n");
    EXPECT_EQ(table->FieldByName("bl").AsString(), bytes);

    table->Next();
    for (int i = 1; i < table->FieldCount(); ++i)
        EXPECT_TRUE(table->Fields(i).IsNull()) << table->Fields(i).FieldName();
}

TEST_P(SqlDataSetTest, EditPostsOnlyTheRecordByItsKeyAndCancelRestores) {
    CreateTable("people", "id " + AutoKey() + ", name VARCHAR(40) NOT NULL, age INTEGER");
    for (const char* name : {"Ann", "Bob", "Cid"})
        Exec("INSERT INTO people (name, age) VALUES (?, ?)", {Variant(name), Variant(30)});
    auto table = OpenTable("people");
    table->Next();
    table->Edit();
    table->FieldByName("age").SetAsInteger(31);
    table->Cancel();
    EXPECT_EQ(table->FieldByName("age").AsInteger(), 30);

    table->Edit();
    table->FieldByName("name").SetAsString("Robert'); DROP TABLE people; --");
    table->Post();
    EXPECT_EQ(table->RecNo(), 2);
    table->Close();
    table->Open();
    std::vector<std::string> names;
    for (; !table->Eof(); table->Next())
        names.push_back(table->FieldByName("name").AsString());
    EXPECT_THAT(names, ElementsAre("Ann", "Robert'); DROP TABLE people; --", "Cid"));

    table->First();
    table->Delete();
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_EQ(table->FieldByName("name").AsString(), "Robert'); DROP TABLE people; --");
}

TEST_P(SqlDataSetTest, RefusedPostKeepsEditStateWithTheUserValues) {
    CreateTable("codes",
                "id " + AutoKey() + ", code VARCHAR(10) UNIQUE, qty INTEGER CHECK (qty >= 0)");
    Exec("INSERT INTO codes (code, qty) VALUES ('A', 1), ('B', 2)");
    auto table = OpenTable("codes");
    table->Next();
    table->Edit();
    table->FieldByName("code").SetAsString("A"); // duplicate
    table->FieldByName("qty").SetAsInteger(7);
    try {
        table->Post();
        FAIL() << "duplicate accepted";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("refused"));
    }
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("code").AsString(), "A");
    EXPECT_EQ(table->FieldByName("qty").AsInteger(), 7);

    table->FieldByName("code").SetAsString("C");
    table->Post();
    EXPECT_EQ(table->FieldByName("code").AsString(), "C");

    table->Append();
    table->FieldByName("code").SetAsString("D");
    table->FieldByName("qty").SetAsInteger(-1);
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(table->FieldByName("code").AsString(), "D");
    table->Cancel();
    EXPECT_EQ(table->RecordCount(), 2); // nothing half-written
    EXPECT_EQ(table->FieldByName("code").AsString(), "C");
}

TEST_P(SqlDataSetTest, WrittenRecordIsPostedEvenWhenItsPlaceCannotBeFound) {
    if (!Sqlite())
        GTEST_SKIP() << "needs SQLite's loose column types";
    // The database fills the key with a value the integer field cannot take, so the
    // record's place cannot be looked up; it is written all the same and must not
    // stay in insert state to be posted twice.
    CreateTable("loose_key", "id INT PRIMARY KEY DEFAULT 'x', name VARCHAR(10)");
    auto table = OpenTable("loose_key");
    table->Append();
    table->FieldByName("name").SetAsString("a");
    EXPECT_NO_THROW(table->Post());
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST_P(SqlDataSetTest, RecordGoneFromTheDatabaseIsNotReportedAsPosted) {
    CreateTable("items", "id " + AutoKey() + ", name VARCHAR(10)");
    Exec("INSERT INTO items (name) VALUES ('x')");
    auto table = OpenTable("items");
    table->Edit();
    table->FieldByName("name").SetAsString("y");
    Exec("DELETE FROM items");
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("name").AsString(), "y");
}

TEST_P(SqlDataSetTest, InsertedRecordIsShownWhereItsKeyPutsIt) {
    CreateTable("keyed", "code VARCHAR(5) PRIMARY KEY, label VARCHAR(10) NOT NULL");
    Exec("INSERT INTO keyed VALUES ('a', '1'), ('c', '3')");
    auto table = OpenTable("keyed");
    EXPECT_FALSE(table->FieldByName("code").ReadOnly());
    table->Append();
    table->FieldByName("code").SetAsString("b");
    EXPECT_THROW(table->Post(), EDatabaseError); // label is required
    table->FieldByName("label").SetAsString("2");
    table->Post();
    EXPECT_EQ(table->RecNo(), 2);
    table->Next();
    EXPECT_EQ(table->FieldByName("code").AsString(), "c");
}

TEST_P(SqlDataSetTest, QuotedIdentifiersAndReadOnlyTablesWithoutKey) {
    CreateTable("Order Lines", "\"Line No\" INTEGER PRIMARY KEY, \"select\" VARCHAR(10)");
    Exec("INSERT INTO \"Order Lines\" VALUES (1, 'a')");
    auto table = OpenTable("Order Lines");
    table->Edit();
    table->FieldByName("select").SetAsString("b");
    table->Post();
    EXPECT_EQ(table->FieldByName("select").AsString(), "b");

    CreateTable("loose", "a INTEGER");
    Exec("INSERT INTO loose VALUES (1)");
    auto loose = OpenTable("loose");
    EXPECT_FALSE(loose->CanModify());
    EXPECT_THROW(loose->Edit(), EDatabaseError);

    auto missing = New<TSqlTable>();
    missing->SetConnection(Db.get());
    missing->SetTableName("no_such_table");
    EXPECT_THROW(missing->Open(), EDatabaseError);
}

TEST_P(SqlDataSetTest, QueryBindsParametersAndIsReadOnly) {
    CreateTable("people", "id " + AutoKey() + ", name VARCHAR(30), born DATE, notes TEXT");
    Exec("INSERT INTO people (name, born, notes) VALUES ('Ann', '1990-05-01', 'n'), "
         "('Bob', '1985-01-02', NULL), ('O''Hara', '2000-12-31', NULL)");
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL(
        "SELECT name, born, notes FROM people WHERE name <> ? AND born < ? ORDER BY name;");
    query->SetParams({Variant("Bob"), Variant::FromDateTime(EncodeDate(2001, 1, 1))});
    query->Open();
    EXPECT_EQ(query->RecordCount(), 2);
    EXPECT_EQ(query->FieldByName("born").DataType(), ftDate);
    EXPECT_EQ(query->FieldByName("notes").DataType(), ftMemo);
    EXPECT_EQ(query->FieldByName("born").AsDateTime(), EncodeDate(1990, 5, 1));
    query->Next();
    EXPECT_EQ(query->FieldByName("name").AsString(), "O'Hara");
    EXPECT_FALSE(query->CanModify());
    EXPECT_THROW(query->Edit(), EDatabaseError);

    EXPECT_THROW(query->SetSQL("SELECT 1"), EDatabaseError); // only while closed
    query->Close();
    query->SetSQL("SELECT nonsense FROM nowhere");
    EXPECT_THROW(query->Open(), EDatabaseError);
    EXPECT_FALSE(query->Active());
}

TEST_P(SqlDataSetTest, QueryTextEndingInACommentOpensCountsAndReads) {
    CreateTable("people", "id " + AutoKey() + ", name VARCHAR(30)");
    Exec("INSERT INTO people (name) VALUES ('Ann'), ('Bob')");
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT name FROM people WHERE name <> ? ORDER BY name -- all but one");
    query->SetParams({Variant("Bob")});
    query->Open();
    EXPECT_EQ(query->RecordCount(), 1);
    EXPECT_EQ(query->FieldByName("name").AsString(), "Ann");
}

TEST_P(SqlDataSetTest, ScrollingReadsPagesOnDemandAndKeepsMemoryBounded) {
    CreateTable("numbers", "n INTEGER PRIMARY KEY, sq INTEGER");
    const int count = TCustomSqlDataSet::PageSize * 20 + 17;
    Db->StartTransaction();
    Exec(Sqlite() ? "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
                        std::to_string(count) + ") INSERT INTO numbers SELECT x, x * x FROM c"
                  : "INSERT INTO numbers SELECT x, x * x FROM generate_series(1, " +
                        std::to_string(count) + ") AS x");
    Db->Commit();
    auto table = OpenTable("numbers");
    EXPECT_EQ(table->CachedPageCount(), 1);
    int expected = 1;
    for (; !table->Eof(); table->Next()) {
        ASSERT_EQ(table->FieldByName("n").AsInteger(), expected++);
        ASSERT_LE(table->CachedPageCount(), TCustomSqlDataSet::MaxCachedPages);
    }
    EXPECT_EQ(expected - 1, count);
    EXPECT_EQ(table->RecNo(), count);
    for (int i = count; i > count - 2 * TCustomSqlDataSet::PageSize; --i) {
        ASSERT_EQ(table->FieldByName("n").AsInteger(), i);
        table->Prior();
    }
    table->First();
    table->Last();
    EXPECT_EQ(table->FieldByName("sq").AsInteger(), count * count);
    table->Prior();
    EXPECT_EQ(table->FieldByName("n").AsInteger(), count - 1);
    table->SetRecNo(3000);
    EXPECT_EQ(table->FieldByName("n").AsInteger(), 3000);
    table->Prior();
    EXPECT_EQ(table->FieldByName("n").AsInteger(), 2999);
    table->MoveBy(TCustomSqlDataSet::PageSize + 1);
    EXPECT_EQ(table->FieldByName("n").AsInteger(), 2999 + TCustomSqlDataSet::PageSize + 1);
    table->Edit();
    table->FieldByName("sq").SetAsInteger(-1);
    table->Post();
    EXPECT_EQ(table->RecNo(), 2999 + TCustomSqlDataSet::PageSize + 1);
    EXPECT_EQ(table->FieldByName("sq").AsInteger(), -1);

    // A query pages the same way.
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT n FROM numbers WHERE n % ? = 0 ORDER BY n DESC");
    query->SetParams({Variant(3)});
    query->Open();
    int rows = 0;
    for (int n = count - count % 3; !query->Eof(); query->Next(), n -= 3, ++rows)
        ASSERT_EQ(query->Fields(0).AsInteger(), n);
    EXPECT_EQ(rows, count / 3);
    EXPECT_EQ(query->RecordCount(), count / 3);
    EXPECT_LE(query->CachedPageCount(), TCustomSqlDataSet::MaxCachedPages);
}

// A table whose count is estimated (the limit lowered so that a few thousand rows
// are "huge"): keys given by aKeyRule over x in 1..aTo, in SQL and in C++.
class EstimatedCountTest : public SqlDataSetTest {
protected:
    std::vector<int64_t> Keys;

    template <class Rule>
    std::unique_ptr<TSqlTable> OpenKeys(int aTo, const std::string& aSqlRule, Rule aKeyRule) {
        CreateTable("keyed", "n INTEGER PRIMARY KEY, v INTEGER");
        const std::string series =
            Sqlite()
                ? "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
                      std::to_string(aTo) + ") SELECT x FROM c)"
                : "(SELECT x FROM generate_series(1, " + std::to_string(aTo) + ") AS x)";
        Exec("INSERT INTO keyed SELECT n, n * 2 FROM (SELECT DISTINCT " + aSqlRule + " AS n FROM " +
             series + " AS s) AS k WHERE n > 0");
        std::set<int64_t> keys;
        for (int x = 1; x <= aTo; ++x)
            if (aKeyRule(x) > 0)
                keys.insert(aKeyRule(x));
        Keys.assign(keys.begin(), keys.end());
        auto table = New<TSqlTable>();
        table->SetConnection(Db.get());
        table->SetTableName("keyed");
        table->SetCountLimit(300);
        table->Open();
        return table;
    }

    static int64_t Key(TSqlTable& aTable) { return aTable.FieldByName("n").AsLargeInt(); }

    // Steps back from the current record to the first, checking every key on the way.
    void StepBackToFirst(TSqlTable& aTable, std::size_t aFrom) {
        for (std::size_t i = aFrom; i-- > 0;) {
            aTable.Prior();
            ASSERT_EQ(Key(aTable), Keys[i]) << "stepping back to " << i;
            ASSERT_FALSE(aTable.Bof());
        }
        aTable.Prior();
        EXPECT_TRUE(aTable.Bof());
        EXPECT_EQ(Key(aTable), Keys.front());
        EXPECT_EQ(aTable.RecNo(), 1);
        EXPECT_FALSE(aTable.PositionsEstimated());
    }
};

TEST_P(EstimatedCountTest, DenseKeysJumpExactlyAndLastIsTheLast) {
    auto table = OpenKeys(3000, "x", [](int x) { return x; });
    EXPECT_EQ(table->RecordCount(), 3000);
    EXPECT_TRUE(table->PositionsEstimated());
    for (int64_t recNo : {2345, 257, 1000, 2999}) {
        table->SetRecNo(recNo);
        EXPECT_EQ(Key(*table), recNo);
        EXPECT_EQ(table->RecNo(), recNo);
    }
    table->Last();
    EXPECT_EQ(Key(*table), 3000);
    EXPECT_EQ(table->RecNo(), 3000);
    table->Next();
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(Key(*table), 3000);
    table->First();
    EXPECT_EQ(Key(*table), 1);
    table->Prior();
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->RecNo(), 1);
}

TEST_P(EstimatedCountTest, OverestimatedSparseKeysStepBackToExactPositions) {
    // Keys 1..2000 and 100000..100100: the estimate sees dense keys over the whole span.
    auto rule = [](int x) { return x <= 2000 ? x : 100000 + (x - 2001); };
    auto table = OpenKeys(2101, "CASE WHEN x <= 2000 THEN x ELSE 100000 + (x - 2001) END", rule);
    EXPECT_GT(table->RecordCount(), 2101);
    table->Last();
    EXPECT_EQ(Key(*table), 100100);
    EXPECT_TRUE(table->Eof());
    StepBackToFirst(*table, Keys.size() - 1);
    EXPECT_EQ(table->RecordCount(), static_cast<int64_t>(Keys.size()));
    table->Last();
    EXPECT_EQ(table->RecNo(), static_cast<int64_t>(Keys.size()));
}

TEST_P(EstimatedCountTest, UnderestimatedKeysStepBackPastTheEstimateAndDeleteShowsTheNext) {
    // Sparse keys (every 100th) where the estimate samples, a dense block between.
    auto rule = [](int x) { return x <= 800 ? x * 100 : (x % 100 == 0 ? 0 : 7000 + x); };
    auto table = OpenKeys(
        3000, "CASE WHEN x <= 800 THEN x * 100 WHEN x % 100 = 0 THEN 0 ELSE 7000 + x END", rule);
    EXPECT_LT(table->RecordCount(), static_cast<int64_t>(Keys.size()));
    // Records read from the first beyond the estimate are not taken for the end.
    table->MoveBy(900);
    table->Last();
    EXPECT_EQ(Key(*table), Keys.back());
    auto jumpToSparseKeys = [&] {
        table->SetRecNo(table->RecordCount() / 3);
        EXPECT_TRUE(table->PositionsEstimated());
        return std::lower_bound(Keys.begin(), Keys.end(), Key(*table)) - Keys.begin();
    };
    const auto deleted = jumpToSparseKeys();
    table->Delete();
    EXPECT_EQ(Key(*table), Keys[deleted + 1]);
    EXPECT_EQ(table->RecNo(), deleted + 1);
    Keys.erase(Keys.begin() + deleted);

    const auto landed = jumpToSparseKeys();
    // A move over a few pages reads them and lands exactly.
    EXPECT_EQ(table->MoveBy(510), 510);
    EXPECT_EQ(Key(*table), Keys[landed + 510]);
    EXPECT_EQ(table->MoveBy(-500), -500);
    EXPECT_EQ(Key(*table), Keys[landed + 10]);
    for (std::size_t i = landed + 11; i < Keys.size(); ++i) {
        table->Next();
        ASSERT_EQ(Key(*table), Keys[i]);
    }
    table->Next();
    EXPECT_TRUE(table->Eof());
    StepBackToFirst(*table, Keys.size() - 1);
}

TEST_P(EstimatedCountTest, MovingBackPastTheFirstRecordFoundLateStopsOnIt) {
    // Keys 20, 40, .. 1000, then 2000..5000: record 257 by the estimate is a sparse one,
    // fewer than 100 records from the first.
    auto table = OpenKeys(3051, "CASE WHEN x <= 50 THEN x * 20 ELSE 1949 + x END",
                          [](int x) { return x <= 50 ? x * 20 : 1949 + x; });
    table->Last(); // so that nothing held is next to record 257
    table->SetRecNo(257);
    const auto landed = std::lower_bound(Keys.begin(), Keys.end(), Key(*table)) - Keys.begin();
    ASSERT_GT(landed, 0);
    ASSERT_LT(landed, 100);
    EXPECT_EQ(table->MoveBy(-100), -landed);
    EXPECT_EQ(Key(*table), Keys.front());
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->RecNo(), 1);
    table->Next();
    EXPECT_EQ(Key(*table), Keys[1]);
}

INSTANTIATE_TEST_SUITE_P(Databases, EstimatedCountTest,
                         ::testing::Values(TBackendKind::SQLite, TBackendKind::PostgreSQL));

TEST_P(SqlDataSetTest, LinkHearsOpenScrollWritePostCancelAndClose) {
    CreateTable("people", "id " + AutoKey() + ", name VARCHAR(30)");
    Exec("INSERT INTO people (name) VALUES ('Ann'), ('Bob')");
    auto table = New<TSqlTable>();
    table->SetConnection(Db.get());
    table->SetTableName("people");
    auto source = New<TDataSource>();
    source->SetDataSet(table.get());
    TRecordingLink link;
    link.SetDataSource(source.get());

    table->Open();
    table->Next();
    table->Edit();
    table->FieldByName("name").SetAsString("Bea");
    table->Post();
    table->Edit();
    table->FieldByName("name").SetAsString("Zed");
    table->Cancel();
    table->Close();
    EXPECT_THAT(link.Take(),
                ElementsAre("ActiveChanged(on)", "DataSetScrolled(1)", "DataSetChanged",
                            "RecordChanged()", "EditingChanged(on)", "RecordChanged()",
                            "RecordChanged(name)", "EditingChanged(off)", "DataSetChanged",
                            "RecordChanged()", "EditingChanged(on)", "RecordChanged()",
                            "RecordChanged(name)", "EditingChanged(off)", "DataSetChanged",
                            "RecordChanged()", "ActiveChanged(off)"));
}

TEST_P(SqlDataSetTest, PostRecordsWritesAllOrNoneAlsoInsideAHostTransaction) {
    CreateTable("stock", "id INTEGER PRIMARY KEY, title VARCHAR(20), qty INTEGER, cap INTEGER,"
                         " CHECK (qty <= cap)");
    for (int i = 1; i <= 10; ++i)
        Exec("INSERT INTO stock VALUES (?, 't', ?, ?)",
             {Variant(i), Variant(i), Variant(i == 7 ? 8 : 20)});
    auto table = OpenTable("stock");
    auto source = New<TDataSource>();
    source->SetDataSet(table.get());
    TRecordingLink link;
    link.SetDataSource(source.get());
    table->SetRecNo(3);
    link.Take();
    const auto setQty = [](int aQty) {
        std::vector<TRecordEdit> edits;
        for (int64_t recNo = 1; recNo <= 10; ++recNo)
            edits.push_back({recNo, {{"qty", Variant(aQty)}}});
        return edits;
    };
    const auto storedQty = [&] {
        std::vector<int64_t> values;
        auto query = New<TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL("SELECT qty FROM stock ORDER BY id");
        for (query->Open(); !query->Eof(); query->Next())
            values.push_back(query->Fields(0).AsLargeInt());
        return values;
    };

    table->PostRecords(setQty(5));
    EXPECT_EQ(storedQty(), std::vector<int64_t>(10, 5));
    // One notification; the cursor stays on its record, read as stored.
    EXPECT_THAT(link.Take(), ElementsAre("DataSetChanged", "RecordChanged()"));
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_EQ(table->FieldByName("qty").AsInteger(), 5);
    EXPECT_EQ(table->State(), dsBrowse);

    try {
        table->PostRecords(setQty(9));
        ADD_FAILURE() << "the seventh record's CHECK did not refuse";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("record 7 (id = 7)"));
    }
    EXPECT_EQ(storedQty(), std::vector<int64_t>(10, 5));
    EXPECT_EQ(table->FieldByName("qty").AsInteger(), 5);
    EXPECT_FALSE(Db->InTransaction());

    // In the host's transaction only the refused records are undone: the host's
    // own write stays and its transaction can still commit.
    Db->StartTransaction();
    Exec("UPDATE stock SET title = 'kept' WHERE id = 1");
    EXPECT_THROW(table->PostRecords(setQty(9)), EDatabaseError);
    ASSERT_TRUE(Db->InTransaction());
    table->PostRecords(setQty(4));
    Db->Commit();
    EXPECT_EQ(storedQty(), std::vector<int64_t>(10, 4));
    table->First();
    EXPECT_EQ(table->FieldByName("title").AsString(), "kept");
}

TEST_P(SqlDataSetTest, ClosingTheConnectionClosesItsDataSets) {
    CreateTable("people", "id " + AutoKey() + ", name VARCHAR(30)");
    auto table = OpenTable("people");
    Db->Close();
    EXPECT_FALSE(table->Active());
    EXPECT_THROW(table->Open(), EDatabaseError);
    Db.reset();
    EXPECT_EQ(table->Connection(), nullptr);
}

std::string BackendName(const ::testing::TestParamInfo<TBackendKind>& aInfo) {
    return aInfo.param == TBackendKind::SQLite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Databases, SqlDataSetTest,
                         ::testing::Values(TBackendKind::SQLite, TBackendKind::PostgreSQL),
                         BackendName);

TEST(SqlConnectionTest, BadSettingsRaiseWithTheDriversMessage) {
    auto connection = New<TSqlConnection>();
    EXPECT_THROW(connection->Open(), EDatabaseError); // no database name
    connection->SetDatabaseName("/nonexistent-folder/x/db.sqlite");
    try {
        connection->Open();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("/nonexistent-folder/x/db.sqlite"));
    }
    connection->SetDatabaseName(":memory:");
    connection->Open();
    EXPECT_THROW(connection->SetDatabaseName("other"), EDatabaseError);
    EXPECT_THROW(connection->ExecSQL("SELEC 1"), EDatabaseError);
    EXPECT_EQ(TSqlConnection::QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}

} // namespace
