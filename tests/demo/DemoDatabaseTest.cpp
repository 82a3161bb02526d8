// SPDX-License-Identifier: MIT
#include "DemoErrors.h"
#include "DemoTestSupport.h"

#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace demo {

namespace {

using test::TTempFolder;

fw::String OpenError(const TDemoOptions& aOptions) {
    try {
        OpenDemoTable(aOptions);
    } catch (const EDemoError& e) {
        EXPECT_EQ(e.Message().find('\n'), fw::String::npos) << e.Message();
        return e.Message();
    }
    return "(opened)";
}

TDemoOptions Sqlite(const fw::String& aPath, const fw::String& aTable = "") {
    TDemoOptions options;
    options.Database = dkSQLite;
    options.SqlitePath = aPath;
    options.Table = aTable;
    return options;
}

// Sets an environment variable for one case.
class TEnvironment {
public:
    TEnvironment(const char* aName, const fw::String& aValue) : FName(aName) {
        if (const char* old = std::getenv(aName))
            FOld = old;
        ::setenv(aName, aValue.c_str(), 1);
    }
    ~TEnvironment() {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }

private:
    const char* FName;
    std::optional<fw::String> FOld;
};

} // namespace

TEST(DemoDatabase, TheSampleHasEveryKindOfColumnAndFiveBooks) {
    TTempFolder folder;
    TDemoData data = test::OpenSample(folder.File("sample.db"));
    fw::TSqlTable& table = *data.Table;
    EXPECT_EQ(table.TableName(), "Catalogue");
    const std::pair<const char*, fw::TFieldType> columns[] = {
        {"Id", fw::ftAutoInc},     {"Title", fw::ftString},     {"Shelf", fw::ftSmallint},
        {"Pages", fw::ftInteger},  {"Price", fw::ftFloat},      {"InStock", fw::ftBoolean},
        {"Published", fw::ftDate}, {"ReadingTime", fw::ftTime}, {"LastBorrowed", fw::ftDateTime},
        {"Notes", fw::ftMemo},     {"Cover", fw::ftBlob}};
    ASSERT_EQ(table.FieldCount(), 11);
    for (int32_t i = 0; i < table.FieldCount(); ++i) {
        EXPECT_EQ(table.Fields(i).FieldName(), columns[i].first);
        EXPECT_EQ(table.Fields(i).DataType(), columns[i].second) << columns[i].first;
    }
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(table.FieldByName("Title").AsString(), "Война и мир");
    EXPECT_EQ(fw::DecodeDate(table.FieldByName("Published").AsDateTime()).Year, 1869);
    EXPECT_EQ(table.FieldByName("Notes").AsString(),
              "Роман-эпопея Льва Толстого.\nЧетыре тома и эпилог.");
    table.Next();
    EXPECT_EQ(table.FieldByName("Title").AsString(), "Pride and Prejudice");
    EXPECT_TRUE(table.FieldByName("Cover").IsNull());
    EXPECT_EQ(data.Description, "Catalogue in " + folder.File("sample.db"));
}

TEST(DemoDatabase, TheSampleIsMadeOnFirstRunInTheDataFolderAndKeptAfterwards) {
    TTempFolder folder;
    TEnvironment xdg("XDG_DATA_HOME", folder.Path());
    const fw::String path = folder.File("quire-demo/sample.db");
    EXPECT_EQ(SampleDatabasePath(), path);
    {
        TDemoData data = OpenDemoTable(TDemoOptions{});
        ASSERT_TRUE(std::filesystem::exists(path));
        data.Table->Edit();
        data.Table->FieldByName("Title").SetAsString("Анна Каренина");
        data.Table->Post();
    }
    TDemoData again = OpenDemoTable(TDemoOptions{});
    EXPECT_EQ(again.Table->FieldByName("Title").AsString(), "Анна Каренина");
    EXPECT_FALSE(std::filesystem::exists(path + ".part" + std::to_string(::getpid())));
}

TEST(DemoDatabase, TheDataFolderFallsBackToHome) {
    TEnvironment xdg("XDG_DATA_HOME", "relative/is/ignored");
    TEnvironment home("HOME", "/home/anna");
    EXPECT_EQ(SampleDatabasePath(), "/home/anna/.local/share/quire-demo/sample.db");
}

TEST(DemoDatabase, WhatCannotBeOpenedIsNamedInOneLine) {
    TTempFolder folder;
    const fw::String missing = folder.File("missing.db");
    EXPECT_EQ(OpenError(Sqlite(missing)), "no SQLite database at " + missing);
    EXPECT_FALSE(std::filesystem::exists(missing)); // not made by the attempt
    EXPECT_EQ(OpenError(Sqlite(folder.Path())), folder.Path() + " is not a database file");

    const fw::String sample = folder.File("sample.db");
    CreateSampleDatabase(sample);
    EXPECT_EQ(OpenError(Sqlite(sample, "Readers")), "no table \"Readers\" in " + sample);
    EXPECT_EQ(OpenError(Sqlite(sample, "catalogue")), "no table \"catalogue\" in " + sample);

    const fw::String empty = folder.File("empty.db");
    std::ofstream(empty).close();
    EXPECT_EQ(OpenError(Sqlite(empty)), "there are no tables in " + empty);

    const fw::String garbage = folder.File("garbage.db");
    std::ofstream(garbage) << "this is not a database, though it is long enough to look at\n";
    EXPECT_EQ(OpenError(Sqlite(garbage)).rfind("cannot read the tables of " + garbage + ": ", 0),
              0u);
}

TEST(DemoDatabase, AnUnreachableServerIsNamedInOneLine) {
    TDemoOptions options;
    options.Database = dkPostgreSQL;
    options.Postgres = ParsePostgresUrl("postgresql://anna@127.0.0.1:1/library");
    EXPECT_EQ(
        OpenError(options).rfind("cannot connect to PostgreSQL at anna@127.0.0.1:1/library: ", 0),
        0u)
        << OpenError(options);
}

} // namespace demo
