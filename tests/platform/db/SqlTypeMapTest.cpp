// SPDX-License-Identifier: MIT
// Declared column types to field types, and the SQLite-only refusals.
#include "DbTestSupport.h"

#include "platform/db/SqlTable.h"
#include "platform/db/SqlTypeMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace fw;

namespace {

TEST(SqlTypeMapTest, DeclaredTypesMapByTheDocumentedTable) {
    struct TCase {
        const char* Declared;
        TFieldType Type;
        int32_t Size;
    };
    const TCase cases[] = {
        {"SMALLINT", ftSmallint, 0},
        {"int2", ftSmallint, 0},
        {"smallint unsigned", ftWord, 0},
        {"Integer", ftInteger, 0},
        {"INT", ftInteger, 0},
        {"UNSIGNED BIG INT", ftInteger, 0},
        {"BIGINT", ftLargeint, 0},
        {"BOOLEAN", ftBoolean, 0},
        {"bool", ftBoolean, 0},
        {"REAL", ftFloat, 0},
        {"double precision", ftFloat, 0},
        {"FLOAT", ftFloat, 0},
        {"NUMERIC(10, 2)", ftBCD, 0},
        {"decimal", ftBCD, 0},
        {"DATE", ftDate, 0},
        {"TIME", ftTime, 0},
        {"time without time zone", ftTime, 0},
        {"DATETIME", ftDateTime, 0},
        {"timestamp  without   time zone", ftDateTime, 0},
        {"TIMESTAMP(3)", ftDateTime, 0},
        {"VARCHAR(40)", ftString, 40},
        {"character varying(12)", ftString, 12},
        {"CHAR(3)", ftString, 3},
        {"character", ftString, 1},
        {"VARCHAR", ftMemo, 0},
        {"VARCHAR(60)", ftString, 60},
        {"NVARCHAR(61)", ftMemo, 0},
        {"CHAR(255)", ftMemo, 0},
        {"TEXT", ftMemo, 0},
        {"CLOB", ftMemo, 0},
        {"NATIVE CHARACTER(70)", ftMemo, 0},
        {"BLOB", ftBlob, 0},
        {"bytea", ftBlob, 0},
        {"", ftUnknown, 0},
        {"uuid", ftUnknown, 0},
    };
    for (const TCase& c : cases) {
        const TSqlTypeMapping mapping = MapSqlType(c.Declared);
        EXPECT_EQ(mapping.DataType, c.Type) << c.Declared;
        EXPECT_EQ(mapping.Size, c.Size) << c.Declared;
    }
    EXPECT_EQ(MapSqlType("INTEGER", true).DataType, ftAutoInc);
    EXPECT_EQ(MapSqlType("INT", true).DataType, ftInteger); // only INTEGER is the row id
    EXPECT_EQ(MapSqlType("BIGINT", true).DataType, ftLargeint);
}

TEST(SqlTypeMapTest, PostgresTypesMapByNameOnly) {
    const std::pair<const char*, TFieldType> cases[] = {
        {"integer", ftInteger},
        {"smallint", ftSmallint},
        {"character varying(20)", ftString},
        {"text", ftMemo},
        {"timestamp(3) without time zone", ftDateTime},
        {"timestamp with time zone", ftDateTime},
        {"double precision", ftFloat},
        // Names that SQLite's rules would take for integers, texts or floats.
        {"interval", ftUnknown},
        {"point", ftUnknown},
        {"integer[]", ftUnknown},
        {"double precision[]", ftUnknown},
        {"character varying(20)[]", ftUnknown},
    };
    for (const auto& [declared, type] : cases)
        EXPECT_EQ(MapPostgresType(declared).DataType, type) << declared;
    EXPECT_EQ(MapPostgresType("character varying(20)").Size, 20);
}

TEST(SqlTypeMapTest, DecimalTypesCarryTheirPrecisionAndScale) {
    struct TCase {
        TSqlTypeMapping Mapping;
        TFieldType Type;
        int32_t Precision;
        int32_t Scale;
    };
    const TCase cases[] = {
        {MapSqlType("NUMERIC(10, 2)"), ftBCD, 10, 2},
        {MapSqlType("decimal(7)"), ftBCD, 7, 0},
        {MapSqlType("NUMERIC"), ftBCD, 0, 0},
        {MapSqlType("MONEY"), ftCurrency, 19, 2},
        {MapPostgresType("numeric(12,2)"), ftBCD, 12, 2},
        {MapPostgresType("numeric"), ftBCD, 0, 0},
        {MapPostgresType("money"), ftCurrency, 19, 2},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(c.Mapping.DataType, c.Type);
        EXPECT_EQ(c.Mapping.Precision, c.Precision);
        EXPECT_EQ(c.Mapping.Scale, c.Scale);
        EXPECT_EQ(c.Mapping.Size, 0);
    }
}

TEST(SqliteLockTest, PostRefusedByALockKeepsTheEditAndSucceedsLater) {
    dbtest::TTempDir dir;
    std::string reason;
    auto db = dbtest::Connect(dbtest::TBackendKind::SQLite, dir, reason);
    db->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(10))");
    db->ExecSQL("INSERT INTO t (name) VALUES ('a')");
    auto other = dbtest::Connect(dbtest::TBackendKind::SQLite, dir, reason);

    auto table = New<TSqlTable>();
    table->SetConnection(db.get());
    table->SetTableName("t");
    table->Open();
    table->Edit();
    table->FieldByName("name").SetAsString("mine");

    other->StartTransaction();
    other->ExecSQL("UPDATE t SET name = 'theirs'");
    try {
        table->Post();
        FAIL() << "posted through a lock";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(error.Message().find("locked"), std::string::npos) << error.Message();
    }
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("name").AsString(), "mine");
    other->Rollback();

    table->Post();
    table->Refresh();
    EXPECT_EQ(table->FieldByName("name").AsString(), "mine");

    // A reader's lock lets the write start but not commit.
    table->Edit();
    table->FieldByName("name").SetAsString("read");
    other->StartTransaction();
    auto reader = New<TSqlTable>();
    reader->SetConnection(other.get());
    reader->SetTableName("t");
    reader->Open();
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(table->State(), dsEdit);
    reader->Close();
    other->Commit();
    table->Post();
    table->Refresh();
    EXPECT_EQ(table->FieldByName("name").AsString(), "read");
}

// A file the process may not write opens for reading; its tables refuse edits up
// front with the reason, and so does a database opened ReadOnly.
TEST(SqliteReadOnlyTest, ReadOnlyDatabaseOpensAndRefusesEditsSayingWhy) {
    dbtest::TTempDir dir;
    std::string reason;
    {
        auto writer = dbtest::Connect(dbtest::TBackendKind::SQLite, dir, reason);
        writer->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT)");
        writer->ExecSQL("INSERT INTO t (name) VALUES ('kept')");
    }
    const std::string file = dir.File("test.sqlite");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    for (const bool openedReadOnly : {false, true}) {
        auto db = New<TSqlConnection>();
        db->SetDatabaseName(file);
        db->SetReadOnly(openedReadOnly);
        // The superuser may write any file: the file is opened as another user.
        const bool root = ::geteuid() == 0;
        ASSERT_TRUE(!root || ::seteuid(65534) == 0);
        db->Open();
        ASSERT_TRUE(!root || ::seteuid(0) == 0);
        EXPECT_TRUE(db->DatabaseReadOnly());

        auto table = New<TSqlTable>();
        table->SetConnection(db.get());
        table->SetTableName("t");
        table->Open();
        EXPECT_FALSE(table->CanModify());
        try {
            table->Edit();
            ADD_FAILURE() << "edit of a read-only database";
        } catch (const EDatabaseError& error) {
            EXPECT_NE(error.Message().find("open for reading only"), std::string::npos)
                << error.Message();
        }
        EXPECT_THROW(table->Append(), EDatabaseError);
        EXPECT_THROW(table->Delete(), EDatabaseError);
        EXPECT_EQ(table->State(), dsBrowse);
        EXPECT_EQ(table->RecordCount(), 1);
        EXPECT_EQ(table->FieldByName("name").AsString(), "kept");
    }
}

} // namespace
