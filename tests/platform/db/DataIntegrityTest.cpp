// SPDX-License-Identifier: MIT
// Values keep their identity through read, edit and write: long texts, wide
// integers, dates the calendar cannot show, keys in the engine's own form, zones.
#include "DbTestSupport.h"

#include "platform/db/DataSource.h"
#include "platform/db/MemoryDataSet.h"
#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

using namespace fw;
using dbtest::TBackendKind;

namespace {

// Sets the process's time zone for the scope.
class TZoneScope {
public:
    explicit TZoneScope(const char* aZone) {
        if (const char* old = std::getenv("TZ"))
            FOld = old;
        ::setenv("TZ", aZone, 1);
        ::tzset();
    }
    ~TZoneScope() {
        if (FOld)
            ::setenv("TZ", FOld->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> FOld;
};

// A link whose control shows whole 32-bit integers only, as a row editor would.
class TStrictLink : public TDataLink {
public:
    std::string Shown;

protected:
    void ActiveChanged() override {
        if (Active())
            RecordChanged(nullptr);
        else
            Shown.clear();
    }
    void RecordChanged(TField*) override {
        Shown.clear();
        TDataSet& data = *DataSet();
        for (int32_t i = 0; i < data.FieldCount(); ++i)
            if (data.Fields(i).DataType() == ftInteger)
                (void)data.Fields(i).AsVariant().AsInteger();
        Shown = data.FieldByName("name").AsString();
    }
};

class DataIntegrityTest : public ::testing::TestWithParam<TBackendKind> {
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
    std::string AutoKey() const { return Sqlite() ? "INTEGER PRIMARY KEY" : "SERIAL PRIMARY KEY"; }

    void Exec(const std::string& aSql) { Db->ExecSQL(aSql); }

    Variant Value(const std::string& aSql) {
        auto query = New<TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL(aSql);
        query->Open();
        return query->Fields(0).AsVariant();
    }

    std::unique_ptr<TSqlTable> OpenTable(const std::string& aName) {
        auto table = New<TSqlTable>();
        table->SetConnection(Db.get());
        table->SetTableName(aName);
        table->Open();
        return table;
    }
};

#define SQLITE_ONLY()                                                                              \
    if (!Sqlite())                                                                                 \
    GTEST_SKIP() << "SQLite storage"
#define POSTGRES_ONLY()                                                                            \
    if (Sqlite())                                                                                  \
    GTEST_SKIP() << "PostgreSQL types"

TEST_P(DataIntegrityTest, TextLongerThanAStringRowHoldsIsAMemoAndKeptWhole) {
    Exec("CREATE TABLE notes (id " + AutoKey() +
         ", code VARCHAR(60), title VARCHAR(255), body VARCHAR(1000), free VARCHAR)");
    auto table = OpenTable("notes");
    EXPECT_EQ(table->FieldByName("code").DataType(), ftString);
    EXPECT_EQ(table->FieldByName("code").Size(), 60);
    for (const char* name : {"title", "body", "free"})
        EXPECT_EQ(table->FieldByName(name).DataType(), ftMemo) << name;

    std::string body(1000, 'a');
    std::string title;
    for (int i = 0; i < 200; ++i)
        title += "Ж";
    table->Append();
    table->FieldByName("body").SetAsString(body);
    table->FieldByName("title").SetAsString(title);
    table->Post();
    table->Edit();
    body[999] = 'b';
    table->FieldByName("body").SetAsString(body);
    table->Post();
    EXPECT_EQ(Value("SELECT body FROM notes").AsString(), body);
    EXPECT_EQ(Value("SELECT title FROM notes").AsString(), title);
}

TEST_P(DataIntegrityTest, ControlThatCannotShowARecordShowsNoneAndWritesStand) {
    SQLITE_ONLY();
    Exec("CREATE TABLE wide (id INTEGER PRIMARY KEY, name TEXT, n INTEGER, s SMALLINT)");
    Exec("INSERT INTO wide VALUES (1, 'a', 1, 1), (2, 'b', 5000000000, 40000), (3, 'c', 3, 3)");
    auto table = OpenTable("wide");
    auto source = New<TDataSource>();
    source->SetDataSet(table.get());
    TStrictLink link;
    link.SetDataSource(source.get());
    EXPECT_EQ(link.Shown, "a");

    EXPECT_THROW(table->Next(), Exception);
    EXPECT_EQ(table->RecNo(), 2); // the cursor moved; the control shows no record
    EXPECT_EQ(link.Shown, "");
    EXPECT_EQ(table->FieldByName("n").AsLargeInt(), 5000000000); // read exactly
    EXPECT_EQ(table->FieldByName("s").AsVariant().AsInt64(), 40000);
    EXPECT_THROW(table->FieldByName("n").AsInteger(), Exception);
    table->Edit();
    EXPECT_THROW(table->FieldByName("n").SetAsVariant(Variant(6000000000LL)), EDatabaseError);
    table->FieldByName("name").SetAsString("b2");
    EXPECT_NO_THROW(table->Post()); // written, though the control cannot show it
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(Value("SELECT name FROM wide WHERE id = 2").AsString(), "b2");
    EXPECT_EQ(Value("SELECT n FROM wide WHERE id = 2").AsInt64(), 5000000000);

    table->Next();
    EXPECT_EQ(link.Shown, "c");
    table->First();
    EXPECT_NO_THROW(table->Delete()); // deleted; the next record cannot be shown
    EXPECT_EQ(table->RecordCount(), 2);
    EXPECT_EQ(link.Shown, "");
}

TEST_P(DataIntegrityTest, PostgresDatesBeyondTheCalendarAreKeptAndPostedOnce) {
    POSTGRES_ONLY();
    Exec("CREATE TABLE ev (id SERIAL PRIMARY KEY, name VARCHAR(10), "
         "d DATE DEFAULT 'infinity', ts TIMESTAMP)");
    Exec("INSERT INTO ev (name, d, ts) VALUES ('a', '-infinity', 'infinity'), "
         "('b', '10000-01-01', '0044-03-15 12:00:00 BC')");
    auto table = OpenTable("ev");
    EXPECT_EQ(table->FieldByName("d").AsString(), "-infinity");
    EXPECT_EQ(table->FieldByName("ts").AsString(), "infinity");
    table->Next();
    EXPECT_EQ(table->FieldByName("d").AsString(), "10000-01-01");
    EXPECT_EQ(table->FieldByName("ts").AsString(), "0044-03-15 12:00:00 BC");

    table->Append();
    table->FieldByName("name").SetAsString("new");
    EXPECT_NO_THROW(table->Post());
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(table->FieldByName("d").AsString(), "infinity");
    table->Post();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ev").AsInt64(), 3);
    table->Edit();
    table->FieldByName("name").SetAsString("newer");
    table->Post();
    EXPECT_EQ(Value("SELECT d::text FROM ev WHERE name = 'newer'").AsString(), "infinity");

    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT d, ts, DATE '2024-02-29' AS leap FROM ev ORDER BY id");
    query->Open();
    EXPECT_EQ(query->FieldByName("ts").AsString(), "infinity");
    EXPECT_EQ(query->FieldByName("leap").AsDateTime(), EncodeDate(2024, 2, 29));
    query->Next();
    EXPECT_EQ(query->FieldByName("d").AsString(), "10000-01-01");
    EXPECT_EQ(query->FieldByName("ts").AsString(), "0044-03-15 12:00:00 BC");
}

TEST_P(DataIntegrityTest, SqliteKeysAreBoundAsStored) {
    SQLITE_ONLY();
    Exec("CREATE TABLE u (k PRIMARY KEY, name TEXT)");
    Exec("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 300) "
         "INSERT INTO u SELECT x, 'n' || x FROM c");
    auto table = OpenTable("u");
    int count = 0;
    for (; !table->Eof(); table->Next())
        ++count;
    EXPECT_EQ(count, 300);
    EXPECT_EQ(table->FieldByName("name").AsString(), "n300");
    table->First();
    table->Edit();
    table->FieldByName("name").SetAsString("first");
    table->Post();
    EXPECT_EQ(Value("SELECT name FROM u WHERE k = 1").AsString(), "first");
    table->Append();
    table->FieldByName("k").SetAsString("5");
    EXPECT_THROW(table->Post(), EDatabaseError); // the key 5 is taken
    table->FieldByName("k").SetAsString("301");
    table->Post();
    EXPECT_EQ(Value("SELECT typeof(k) FROM u WHERE name IS NULL").AsString(), "integer");

    Exec("CREATE TABLE dk (at DATETIME PRIMARY KEY, name TEXT)");
    Exec("INSERT INTO dk VALUES ('2024-01-01T04:15:00', 'a'), ('2024-01-01 05:00:00.5', 'b'), "
         "('2024-01-01T06:00:00.250', 'c')");
    auto dates = OpenTable("dk");
    for (; !dates->Eof(); dates->Next()) {
        dates->Edit();
        dates->FieldByName("name").SetAsString(dates->FieldByName("name").AsString() + "2");
        EXPECT_NO_THROW(dates->Post());
    }
    EXPECT_EQ(Value("SELECT group_concat(name, ',') FROM dk").AsString(), "a2,b2,c2");
    EXPECT_EQ(Value("SELECT at || '' FROM dk WHERE name = 'a2'").AsString(), "2024-01-01T04:15:00");
}

TEST_P(DataIntegrityTest, PostgresTimestampKeysKeepTheirMicroseconds) {
    POSTGRES_ONLY();
    Exec("CREATE TABLE tk (at TIMESTAMP PRIMARY KEY, name TEXT)");
    Exec("INSERT INTO tk SELECT timestamp '2024-01-01 00:00:00.000001' + x * interval "
         "'1.000001 second', 'n' || x FROM generate_series(1, 300) AS x");
    auto table = OpenTable("tk");
    int count = 0;
    for (; !table->Eof(); table->Next())
        ++count;
    EXPECT_EQ(count, 300);
    table->First();
    table->Edit();
    table->FieldByName("name").SetAsString("first");
    EXPECT_NO_THROW(table->Post());
    EXPECT_EQ(Value("SELECT name FROM tk ORDER BY at LIMIT 1").AsString(), "first");
}

TEST_P(DataIntegrityTest, PostgresZonedTimesAreInstantsWhateverTheProcessZone) {
    POSTGRES_ONLY();
    Exec("CREATE TABLE z (id SERIAL PRIMARY KEY, at TIMESTAMPTZ, t TIMESTAMP)");
    Exec("INSERT INTO z (at, t) VALUES ('2024-07-01 12:00:00+00', '2024-03-31 02:30:00')");
    // A POSIX rule the server does not take as a zone name, and a name it does not know.
    for (const auto& [zone, hours] :
         {std::pair{"CET-1CEST,M3.5.0,M10.5.0/3", 2}, std::pair{"Nowhere/Unknown", 0}}) {
        SCOPED_TRACE(zone);
        TZoneScope scope(zone);
        std::string reason;
        Db = dbtest::Connect(GetParam(), Dir, reason);
        ASSERT_TRUE(Db) << reason;
        Db->ExecSQL("UPDATE z SET at = '2024-07-01 12:00:00+00'");
        auto table = OpenTable("z");
        const TDateTime noon = EncodeDate(2024, 7, 1) + EncodeTime(12, 0, 0, 0);
        EXPECT_NEAR(table->FieldByName("at").AsDateTime(), noon + hours / 24.0, 1e-9);
        // A time in the process's daylight-saving gap is a value like any other.
        EXPECT_NEAR(table->FieldByName("t").AsDateTime(),
                    EncodeDate(2024, 3, 31) + EncodeTime(2, 30, 0, 0), 1e-9);
        table->Edit();
        table->FieldByName("at").SetAsDateTime(noon + (hours + 1) / 24.0);
        table->Post();
        EXPECT_EQ(Value("SELECT at = '2024-07-01 13:00:00+00' FROM z").AsBoolean(), true);
    }
}

TEST_P(DataIntegrityTest, OnlyTheSqliteRowIdIsAssignedByTheEngine) {
    SQLITE_ONLY();
    Exec("CREATE TABLE a (id INTEGER(10) PRIMARY KEY, name TEXT)");
    Exec("CREATE TABLE b (id INTEGER PRIMARY KEY DESC, name TEXT)");
    Exec("CREATE TABLE c (id INTEGER PRIMARY KEY, name TEXT) WITHOUT ROWID");
    Exec("CREATE TABLE d (id INTEGER PRIMARY KEY, name TEXT)");
    for (const char* name : {"a", "b", "c"}) {
        SCOPED_TRACE(name);
        auto table = OpenTable(name);
        TField& id = table->FieldByName("id");
        EXPECT_EQ(id.DataType(), ftInteger);
        EXPECT_FALSE(id.ReadOnly());
        table->Append();
        table->FieldByName("name").SetAsString("x");
        EXPECT_THROW(table->Post(), EDatabaseError); // the key must be given
        id.SetAsInteger(7);
        table->Post();
        table->Edit();
        table->FieldByName("name").SetAsString("y");
        table->Post();
        EXPECT_EQ(Value(std::string("SELECT id || name FROM ") + name).AsString(), "7y");
    }
    auto table = OpenTable("d");
    EXPECT_EQ(table->FieldByName("id").DataType(), ftAutoInc);
    EXPECT_TRUE(table->FieldByName("id").ReadOnly());
}

TEST_P(DataIntegrityTest, PostgresWritesReachTheNamedTableOnly) {
    POSTGRES_ONLY();
    Exec("CREATE TABLE parent (id INTEGER PRIMARY KEY, name TEXT)");
    Exec("CREATE TABLE child () INHERITS (parent)");
    Exec("INSERT INTO parent VALUES (1, 'p')");
    Exec("INSERT INTO child VALUES (1, 'c')");
    auto table = OpenTable("parent");
    EXPECT_EQ(table->RecordCount(), 1);
    table->Edit();
    table->FieldByName("name").SetAsString("p2");
    EXPECT_NO_THROW(table->Post());
    EXPECT_EQ(Value("SELECT name FROM child").AsString(), "c");
    table->Delete();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM child").AsInt64(), 1);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM ONLY parent").AsInt64(), 0);
}

TEST_P(DataIntegrityTest, SqliteZoneSuffixesKeepTheInstant) {
    SQLITE_ONLY();
    TZoneScope scope("XXX-1");
    Exec("CREATE TABLE zt (id INTEGER PRIMARY KEY, at DATETIME)");
    Exec("INSERT INTO zt VALUES (1, '2024-01-01 10:00:00Z'), (2, '2024-01-01T10:00:00+02:00')");
    auto table = OpenTable("zt");
    const TDateTime day = EncodeDate(2024, 1, 1);
    EXPECT_NEAR(table->FieldByName("at").AsDateTime(), day + 11 / 24.0, 1e-9);
    table->Edit();
    table->FieldByName("at").SetAsDateTime(day + 11.5 / 24.0);
    table->Post();
    table->Next();
    EXPECT_NEAR(table->FieldByName("at").AsDateTime(), day + 9 / 24.0, 1e-9);
    table->Edit();
    table->FieldByName("at").SetAsDateTime(day + 9.5 / 24.0);
    table->Post();
    EXPECT_EQ(Value("SELECT group_concat(datetime(at), ',') FROM zt").AsString(),
              "2024-01-01 10:30:00,2024-01-01 08:30:00");
}

TEST_P(DataIntegrityTest, SqliteNumericDatesAreJulianDaysOrUnixSeconds) {
    SQLITE_ONLY();
    Exec("CREATE TABLE nd (id INTEGER PRIMARY KEY, d DATE, at DATETIME)");
    Exec("INSERT INTO nd VALUES (1, julianday('2024-03-15'), julianday('2024-03-15 12:00')), "
         "(2, NULL, CAST(strftime('%s', '2024-03-15 12:00') AS INTEGER))");
    auto table = OpenTable("nd");
    const TDateTime noon = EncodeDate(2024, 3, 15) + 0.5;
    EXPECT_EQ(table->FieldByName("d").AsDateTime(), EncodeDate(2024, 3, 15));
    for (int row = 0; row < 2; ++row, table->Next()) {
        EXPECT_NEAR(table->FieldByName("at").AsDateTime(), noon, 1e-9);
        table->Edit();
        table->FieldByName("at").SetAsDateTime(noon + 1 / 24.0);
        table->Post();
    }
    EXPECT_EQ(Value("SELECT typeof(at) || datetime(at) FROM nd WHERE id = 1").AsString(),
              "real2024-03-15 13:00:00");
    EXPECT_EQ(
        Value("SELECT typeof(at) || datetime(at, 'unixepoch') FROM nd WHERE id = 2").AsString(),
        "integer2024-03-15 13:00:00");
}

TEST_P(DataIntegrityTest, SqliteValuesAndQueryColumnsKeepTheirOwnTypes) {
    SQLITE_ONLY();
    Exec("CREATE TABLE b (id INTEGER PRIMARY KEY, Title VARCHAR(40), Pages INTEGER, Price REAL)");
    Exec("INSERT INTO b VALUES (1, 'x', 12.5, 9.5)");
    auto table = OpenTable("b");
    EXPECT_EQ(table->FieldByName("Pages").AsString(), "12.5");
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT Price AS Pages, title FROM b");
    query->Open();
    EXPECT_EQ(query->Fields(0).DataType(), ftFloat);
    EXPECT_EQ(query->Fields(1).DataType(), ftString);
    EXPECT_EQ(query->Fields(1).Size(), 40);
}

TEST_P(DataIntegrityTest, RollbackShowsTheRecordsAsTheyAreAgain) {
    Exec("CREATE TABLE people (id " + AutoKey() + ", name VARCHAR(20))");
    Exec("INSERT INTO people (name) VALUES ('Ann')");
    auto table = OpenTable("people");
    Db->StartTransaction();
    table->Edit();
    table->FieldByName("name").SetAsString("Bea");
    table->Post();
    Db->Rollback();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(table->FieldByName("name").AsString(), "Ann");
    if (Sqlite())
        return;
    // A commit PostgreSQL refuses (a deferred check) rolls back as well.
    Exec("ALTER TABLE people ADD CONSTRAINT one_name UNIQUE (name) DEFERRABLE INITIALLY DEFERRED");
    Exec("INSERT INTO people (name) VALUES ('Cid')");
    table->Refresh();
    Db->StartTransaction();
    table->Edit();
    table->FieldByName("name").SetAsString("Cid");
    table->Post();
    EXPECT_THROW(Db->Commit(), EDatabaseError);
    EXPECT_FALSE(Db->InTransaction());
    EXPECT_EQ(table->FieldByName("name").AsString(), "Ann");
}

TEST_P(DataIntegrityTest, QueryRefusesStatementsThatWrite) {
    Exec("CREATE TABLE c (id " + AutoKey() + ", n INTEGER)");
    Exec("INSERT INTO c (n) VALUES (1)");
    for (const char* sql : {"UPDATE c SET n = n + 1 RETURNING n", "DELETE FROM c RETURNING n"}) {
        auto query = New<TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL(sql);
        EXPECT_THROW(query->Open(), EDatabaseError) << sql;
    }
    EXPECT_EQ(Value("SELECT n FROM c").AsInt64(), 1);
}

std::string BackendName(const ::testing::TestParamInfo<TBackendKind>& aInfo) {
    return aInfo.param == TBackendKind::SQLite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Databases, DataIntegrityTest,
                         ::testing::Values(TBackendKind::SQLite, TBackendKind::PostgreSQL),
                         BackendName);

TEST(MemoryDataSetLayoutTest, KeptRecordsFollowTheirFieldsByName) {
    TMemoryDataSet people;
    people.FieldDefs().Add("Name", ftString, 20);
    people.FieldDefs().Add("Age", ftInteger);
    people.FieldDefs().Add("City", ftString, 20);
    people.Open();
    people.Append();
    people.FieldByName("Name").SetAsString("Ann");
    people.FieldByName("Age").SetAsInteger(36);
    people.FieldByName("City").SetAsString("London");
    people.Post();
    people.Close();
    people.FieldDefs().Clear();
    people.FieldDefs().Add("city", ftString, 20);
    people.FieldDefs().Add("Name", ftString, 20);
    people.FieldDefs().Add("Born", ftDate);
    people.Open();
    EXPECT_EQ(people.FieldByName("city").AsString(), "London");
    EXPECT_EQ(people.FieldByName("Name").AsString(), "Ann");
    EXPECT_TRUE(people.FieldByName("Born").IsNull());
}

} // namespace
