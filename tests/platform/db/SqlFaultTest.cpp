// SPDX-License-Identifier: MIT
// The SQL data sets when the database gets in the way: another connection writing
// the same row, a session the server closes, a refusal inside the host's
// transaction, query plans that reorder rows between pages.
#include "DbTestSupport.h"

#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

using namespace fw;
using dbtest::TBackendKind;
using ::testing::HasSubstr;

namespace {

class PostgresFaultTest : public ::testing::Test {
protected:
    dbtest::TTempDir Dir;
    std::unique_ptr<TSqlConnection> Db;
    std::unique_ptr<TSqlConnection> Other;

    void SetUp() override {
        std::string reason;
        Db = dbtest::Connect(TBackendKind::PostgreSQL, Dir, reason);
        if (!Db)
            GTEST_SKIP() << reason;
        Other = dbtest::Connect(TBackendKind::PostgreSQL, Dir, reason);
    }

    void TearDown() override {
        Db.reset();
        Other.reset();
        dbtest::DropPgSchema();
    }

    std::unique_ptr<TSqlTable> OpenTable(const std::string& aName) {
        auto table = New<TSqlTable>();
        table->SetConnection(Db.get());
        table->SetTableName(aName);
        table->Open();
        return table;
    }

    std::string ValueSeenByOther(const std::string& aSql) {
        auto query = New<TSqlQuery>();
        query->SetConnection(Other.get());
        query->SetSQL(aSql);
        query->Open();
        return query->Fields(0).AsString();
    }

    int64_t BackendOf(TSqlConnection& aConnection) {
        auto query = New<TSqlQuery>();
        query->SetConnection(&aConnection);
        query->SetSQL("SELECT pg_backend_pid()");
        query->Open();
        return query->Fields(0).AsLargeInt();
    }
};

TEST_F(PostgresFaultTest, SecondPostOfAChangedRowIsRefusedAndOverwritesNothing) {
    Db->ExecSQL("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, age INTEGER)");
    Db->ExecSQL("INSERT INTO people VALUES (1, 'Ann', 30)");
    auto mine = OpenTable("people");
    auto theirs = New<TSqlTable>();
    theirs->SetConnection(Other.get());
    theirs->SetTableName("people");
    theirs->Open();

    mine->Edit();
    mine->FieldByName("age").SetAsInteger(31);
    theirs->Edit();
    theirs->FieldByName("name").SetAsString("Anna");
    theirs->Post();
    try {
        mine->Post();
        ADD_FAILURE() << "a changed row was written over";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("changed by another user"));
    }
    EXPECT_EQ(mine->State(), dsEdit);
    EXPECT_EQ(mine->FieldByName("age").AsInteger(), 31);
    EXPECT_EQ(ValueSeenByOther("SELECT name || age FROM people"), "Anna30");

    mine->Cancel();
    mine->Refresh();
    mine->Edit();
    mine->FieldByName("age").SetAsInteger(31);
    mine->Post();
    mine->Edit(); // its own post does not count as another user's change
    mine->FieldByName("age").SetAsInteger(32);
    mine->Post();
    EXPECT_EQ(ValueSeenByOther("SELECT name || age FROM people"), "Anna32");
}

TEST_F(PostgresFaultTest, TerminatedSessionRefusesThePostAndARetryPostsTheTypedValues) {
    // A new session has no search path of the test's: the table lives in public.
    const std::string name = "quire_lost_" + std::to_string(::getpid());
    Other->ExecSQL("DROP TABLE IF EXISTS public." + name);
    Other->ExecSQL("CREATE TABLE public." + name + " (id INTEGER PRIMARY KEY, name TEXT)");
    Other->ExecSQL("INSERT INTO public." + name + " VALUES (1, 'old')");
    Db->ExecSQL("SET search_path TO public");
    auto table = OpenTable(name);
    table->Edit();
    table->FieldByName("name").SetAsString("typed");
    Other->ExecSQL("SELECT pg_terminate_backend(?, 5000)", {Variant(BackendOf(*Db))});

    dbtest::TStderrCapture stderrText;
    try {
        table->Post();
        ADD_FAILURE() << "posted on a terminated session";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("connection to the server was lost"));
    }
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("name").AsString(), "typed");
    EXPECT_TRUE(Db->Connected());

    table->Post();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(ValueSeenByOther("SELECT name FROM public." + name), "typed");

    // A commit on a terminated session raises; the next post connects again.
    Db->StartTransaction();
    table->Edit();
    table->FieldByName("name").SetAsString("undone");
    table->Post();
    Other->ExecSQL("SELECT pg_terminate_backend(?, 5000)", {Variant(BackendOf(*Db))});
    EXPECT_THROW(Db->Commit(), EDatabaseError);
    EXPECT_FALSE(Db->InTransaction());
    EXPECT_EQ(table->FieldByName("name").AsString(), "typed"); // read again
    table->Edit();
    table->FieldByName("name").SetAsString("again");
    table->Post();
    EXPECT_EQ(ValueSeenByOther("SELECT name FROM public." + name), "again");
    Other->ExecSQL("SELECT pg_terminate_backend(?, 5000)", {Variant(BackendOf(*Db))});
    EXPECT_THROW(Db->StartTransaction(), EDatabaseError);
    Db->StartTransaction();
    Db->Commit();
    EXPECT_EQ(stderrText.Text(), "");
    table->Close();
    Other->ExecSQL("DROP TABLE public." + name);
}

// The server refusing new sessions after the lost one (down, or the role locked out):
// every retry says the connection cannot be opened again and keeps the typed values,
// and the first retry after the server takes sessions again posts them.
TEST_F(PostgresFaultTest, RetriesWhileNoSessionCanBeOpenedKeepTheTypedValues) {
    const std::string role = "quire_locked_" + std::to_string(::getpid());
    // The role's own sessions find the table in public, where the other one makes it.
    const std::string table = "quire_locked_" + std::to_string(::getpid());
    const std::string name = "public." + table;
    try {
        Other->ExecSQL("CREATE ROLE " + role + " LOGIN");
    } catch (const EDatabaseError& error) {
        GTEST_SKIP() << "cannot create a role: " << error.Message();
    }
    Other->ExecSQL("CREATE TABLE " + name + " (id INTEGER PRIMARY KEY, name TEXT)");
    Other->ExecSQL("INSERT INTO " + name + " VALUES (1, 'old')");
    Other->ExecSQL("GRANT USAGE ON SCHEMA public TO " + role);
    Other->ExecSQL("GRANT SELECT, UPDATE ON " + name + " TO " + role);
    {
        auto locked = New<TSqlConnection>();
        locked->SetDriver(sdPostgreSQL);
        locked->SetHostName(Db->HostName());
        locked->SetPort(Db->Port());
        locked->SetDatabaseName(Db->DatabaseName());
        locked->SetUserName(role);
        locked->Open();
        auto records = New<TSqlTable>();
        records->SetConnection(locked.get());
        records->SetTableName(table);
        records->Open();
        records->Edit();
        records->FieldByName("name").SetAsString("typed");
        Other->ExecSQL("ALTER ROLE " + role + " NOLOGIN");
        Other->ExecSQL("SELECT pg_terminate_backend(?, 5000)", {Variant(BackendOf(*locked))});

        EXPECT_THROW(records->Post(), EDatabaseError); // the statement meets the lost session
        for (int retry = 0; retry < 2; ++retry) {
            try {
                records->Post();
                ADD_FAILURE() << "posted while no session could be opened";
            } catch (const EDatabaseError& error) {
                EXPECT_THAT(error.Message(), HasSubstr("was lost and cannot be opened again"));
                EXPECT_THAT(error.Message(), HasSubstr(role));
            }
            EXPECT_EQ(records->State(), dsEdit);
            EXPECT_EQ(records->FieldByName("name").AsString(), "typed");
        }
        EXPECT_EQ(ValueSeenByOther("SELECT name FROM " + name), "old");

        Other->ExecSQL("ALTER ROLE " + role + " LOGIN");
        records->Post();
        EXPECT_EQ(records->State(), dsBrowse);
        EXPECT_EQ(ValueSeenByOther("SELECT name FROM " + name), "typed");
    }
    Other->ExecSQL("DROP TABLE " + name);
    Other->ExecSQL("DROP OWNED BY " + role);
    Other->ExecSQL("DROP ROLE " + role);
}

// A query's parameters go into its text for the server-side cursor: a "?" inside
// any of PostgreSQL's string forms is text, not a parameter.
TEST_F(PostgresFaultTest, QuestionMarksInsidePostgresStringsAreNoParameters) {
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT $$a?b$$ AS dollar, $q$'?' $$ ?$q$ AS tagged, E'it\\'s ?' AS escaped,"
                  " 'x' || ? AS given");
    query->SetParams({Variant("y")});
    query->Open();
    EXPECT_EQ(query->FieldByName("dollar").AsString(), "a?b");
    EXPECT_EQ(query->FieldByName("tagged").AsString(), "'?' $$ ?");
    EXPECT_EQ(query->FieldByName("escaped").AsString(), "it's ?");
    EXPECT_EQ(query->FieldByName("given").AsString(), "xy");
}

TEST_F(PostgresFaultTest, QueryReadsOnAfterItsSessionIsTerminated) {
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT g FROM generate_series(1, 600) g ORDER BY g");
    query->Open();
    Other->ExecSQL("SELECT pg_terminate_backend(?, 5000)", {Variant(BackendOf(*Db))});
    dbtest::TStderrCapture stderrText;
    try {
        query->Last();
        ADD_FAILURE() << "read on a terminated session";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.Message(), HasSubstr("connection to the server was lost"));
    }
    query->Last(); // the cursor is declared again on the new session
    EXPECT_EQ(query->Fields(0).AsInteger(), 600);
    EXPECT_EQ(stderrText.Text(), "");
}

TEST_F(PostgresFaultTest, RefusalInsideTheHostsTransactionUndoesOnlyThatPost) {
    Db->ExecSQL("CREATE TABLE stock (id INTEGER PRIMARY KEY, qty INTEGER CHECK (qty >= 0))");
    Db->ExecSQL("INSERT INTO stock VALUES (1, 1), (2, 2)");
    auto table = OpenTable("stock");
    dbtest::TStderrCapture stderrText;
    Db->StartTransaction();
    table->Edit();
    table->FieldByName("qty").SetAsInteger(10);
    table->Post();
    table->Next();
    table->Edit();
    table->FieldByName("qty").SetAsInteger(-1);
    EXPECT_THROW(table->Post(), EDatabaseError);
    EXPECT_EQ(table->State(), dsEdit);
    EXPECT_EQ(table->FieldByName("qty").AsInteger(), -1);
    // A refused statement of the host's own is undone alone as well.
    EXPECT_THROW(Db->ExecSQL("INSERT INTO stock VALUES (1, 0)"), EDatabaseError);

    table->FieldByName("qty").SetAsInteger(20);
    table->Post();
    Db->Commit();
    EXPECT_EQ(ValueSeenByOther("SELECT string_agg(qty::text, ',' ORDER BY id) FROM stock"),
              "10,20");
    EXPECT_EQ(stderrText.Text(), "");
}

// Every record once, in the query's order, however the server plans each page: a
// sort bounded by a page's limit orders equal values differently from a full one.
TEST_F(PostgresFaultTest, QueryWhosePlanReordersRowsIsPagedCompleteAndOnce) {
    Db->ExecSQL("CREATE TABLE items (id INTEGER PRIMARY KEY, grp INTEGER, tag TEXT)");
    Db->ExecSQL("INSERT INTO items SELECT g, g % 3, 'x' FROM generate_series(1, 600) g");
    Db->ExecSQL("ANALYZE items");
    auto query = New<TSqlQuery>();
    query->SetConnection(Db.get());
    query->SetSQL("SELECT id, grp FROM items WHERE tag <> ? AND ? ORDER BY grp -- equal groups");
    query->SetParams({Variant("it's \\ ?"), Variant(true)});
    query->Open();
    EXPECT_EQ(query->RecordCount(), 600);
    std::set<int64_t> ids;
    int64_t read = 0;
    int32_t lastGroup = 0;
    for (; !query->Eof(); query->Next(), ++read) {
        ids.insert(query->FieldByName("id").AsLargeInt());
        EXPECT_GE(query->FieldByName("grp").AsInteger(), lastGroup);
        lastGroup = query->FieldByName("grp").AsInteger();
    }
    EXPECT_EQ(read, 600);
    EXPECT_EQ(ids.size(), 600u);
}

// A key-less table: a row another user updates moves to the end of the table,
// which must not shift the pages read after it.
TEST_F(PostgresFaultTest, KeylessTableIsPagedCompleteAndOnceWhileRowsMove) {
    Db->ExecSQL("CREATE TABLE notes (id INTEGER, body TEXT)");
    Db->ExecSQL("INSERT INTO notes SELECT g, 'n' FROM generate_series(1, 600) g");
    auto table = OpenTable("notes");
    EXPECT_FALSE(table->CanModify());
    Other->ExecSQL("UPDATE " + dbtest::PgSchema() + ".notes SET body = 'moved' WHERE id < 10");
    std::set<int64_t> ids;
    int64_t read = 0;
    for (; !table->Eof(); table->Next(), ++read)
        ids.insert(table->FieldByName("id").AsLargeInt());
    EXPECT_EQ(read, 600);
    EXPECT_EQ(ids.size(), 600u);
    EXPECT_EQ(table->RecordCount(), 600);

    table->Refresh(); // read anew: the moved rows show their new values
    table->Last();
    EXPECT_EQ(table->FieldByName("body").AsString(), "moved");
}

} // namespace
