// SPDX-License-Identifier: MIT
#include "DemoDatabase.h"

#include "DemoErrors.h"

#include "platform/db/SqlQuery.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace demo {

namespace {

namespace fs = std::filesystem;

const char* const SampleTable = "Catalogue";

const char* const SampleSchema = R"(CREATE TABLE Catalogue (
    Id INTEGER PRIMARY KEY,
    Title VARCHAR(60) NOT NULL,
    Shelf SMALLINT,
    Pages INTEGER CHECK (Pages > 0),
    Price DOUBLE,
    InStock BOOLEAN,
    Published DATE,
    ReadingTime TIME,
    LastBorrowed DATETIME,
    Notes TEXT,
    Cover BLOB))";

struct TSampleBook {
    const char* Title;
    int32_t Shelf;
    int32_t Pages;
    double Price;
    bool InStock;
    const char* Published;
    const char* ReadingTime;
    const char* LastBorrowed;
    const char* Notes;
};

const TSampleBook SampleBooks[] = {
    {"Война и мир", 3, 1225, 1490.5, true, "1869-01-01", "02:30:00", "2024-03-15 14:20:00",
     "Роман-эпопея Льва Толстого.\nЧетыре тома и эпилог."},
    {"Pride and Prejudice", 1, 432, 9.99, true, "1813-01-28", "01:15:00", "2024-02-02 10:05:00",
     "Jane Austen's novel of manners.\nFirst published anonymously."},
    {"Мастер и Маргарита", 3, 480, 650.0, false, "1967-01-01", "01:45:00", "2023-11-30 18:40:00",
     "Роман Михаила Булгакова."},
    {"The Hobbit", 2, 310, 12.5, true, "1937-09-21", "00:50:00", "2024-04-01 09:00:00",
     "There and back again."},
    {"Преступление и наказание", 3, 671, 520.0, true, "1866-01-01", "02:10:00",
     "2022-12-24 16:30:00", "Роман Фёдора Достоевского."},
};

fw::String DataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        throw EDemoError("cannot find the data folder: neither XDG_DATA_HOME nor HOME is set");
    return fs::path(home) / ".local" / "share";
}

void FillSample(fw::TSqlConnection& aConnection) {
    aConnection.ExecSQL(SampleSchema);
    for (const TSampleBook& book : SampleBooks)
        aConnection.ExecSQL(
            "INSERT INTO Catalogue (Title, Shelf, Pages, Price, InStock, "
            "Published, ReadingTime, LastBorrowed, Notes) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {fw::Variant(fw::String(book.Title)), fw::Variant(book.Shelf), fw::Variant(book.Pages),
             fw::Variant(book.Price), fw::Variant(book.InStock ? 1 : 0),
             fw::Variant(fw::String(book.Published)), fw::Variant(fw::String(book.ReadingTime)),
             fw::Variant(fw::String(book.LastBorrowed)), fw::Variant(fw::String(book.Notes))});
}

// The first line of a driver's message: the demo reports in one line.
fw::String FirstLine(const fw::String& aText) {
    fw::String line = aText.substr(0, aText.find('\n'));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '.'))
        line.pop_back();
    return line;
}

std::unique_ptr<fw::TSqlConnection> ConnectSqlite(const fw::String& aPath) {
    std::error_code error;
    if (!fs::exists(aPath, error))
        throw EDemoError("no SQLite database at " + aPath);
    if (!fs::is_regular_file(aPath, error))
        throw EDemoError(aPath + " is not a database file");
    auto connection = std::make_unique<fw::TSqlConnection>();
    connection->SetDatabaseName(aPath);
    try {
        connection->Open();
    } catch (const fw::Exception& e) {
        throw EDemoError("cannot open the SQLite database " + aPath + ": " +
                         FirstLine(e.Message()));
    }
    return connection;
}

fw::String PostgresText(const TPostgresAddress& aAddress) {
    return aAddress.User + "@" + aAddress.Host + ":" + std::to_string(aAddress.Port) + "/" +
           aAddress.Database;
}

std::unique_ptr<fw::TSqlConnection> ConnectPostgres(const TPostgresAddress& aAddress) {
    auto connection = std::make_unique<fw::TSqlConnection>();
    connection->SetDriver(fw::sdPostgreSQL);
    connection->SetHostName(aAddress.Host);
    connection->SetPort(aAddress.Port);
    connection->SetDatabaseName(aAddress.Database);
    connection->SetUserName(aAddress.User);
    connection->SetPassword(aAddress.Password);
    try {
        connection->Open();
    } catch (const fw::Exception& e) {
        throw EDemoError("cannot connect to PostgreSQL at " + PostgresText(aAddress) + ": " +
                         FirstLine(e.Message()));
    }
    return connection;
}

std::vector<fw::String> TableNames(fw::TSqlConnection& aConnection) {
    fw::TSqlQuery query;
    query.SetConnection(&aConnection);
    query.SetSQL(aConnection.Driver() == fw::sdSQLite
                     ? "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                       "'sqlite_%' ORDER BY name"
                     : "SELECT table_name FROM information_schema.tables WHERE table_schema = "
                       "current_schema() AND table_type = 'BASE TABLE' ORDER BY table_name");
    query.Open();
    std::vector<fw::String> names;
    for (; !query.Eof(); query.Next())
        names.push_back(query.Fields(0).AsString());
    return names;
}

fw::String ChooseTable(fw::TSqlConnection& aConnection, const fw::String& aWanted,
                       const fw::String& aWhere) {
    std::vector<fw::String> names;
    try {
        names = TableNames(aConnection);
    } catch (const fw::Exception& e) {
        throw EDemoError("cannot read the tables of " + aWhere + ": " + FirstLine(e.Message()));
    }
    if (aWanted.empty()) {
        if (names.empty())
            throw EDemoError("there are no tables in " + aWhere);
        return names.front();
    }
    for (const fw::String& name : names)
        if (name == aWanted)
            return name;
    throw EDemoError("no table \"" + aWanted + "\" in " + aWhere);
}

} // namespace

fw::String SampleDatabasePath() {
    return fs::path(DataFolder()) / "quire-demo" / "sample.db";
}

void CreateSampleDatabase(const fw::String& aPath) {
    const fs::path target(aPath);
    fs::create_directories(target.parent_path());
    const fs::path partial = target.string() + ".part" + std::to_string(::getpid());
    fs::remove(partial);
    {
        fw::TSqlConnection connection;
        connection.SetDatabaseName(partial.string());
        connection.Open();
        FillSample(connection);
    }
    fs::rename(partial, target);
}

TDemoData OpenDemoTable(const TDemoOptions& aOptions) {
    TDemoData data;
    fw::String where;
    fw::String wanted = aOptions.Table;
    switch (aOptions.Database) {
    case dkSample: {
        const fw::String path = SampleDatabasePath();
        if (!fs::exists(path))
            CreateSampleDatabase(path);
        data.Connection = ConnectSqlite(path);
        where = path;
        if (wanted.empty())
            wanted = SampleTable;
        break;
    }
    case dkSQLite:
        data.Connection = ConnectSqlite(aOptions.SqlitePath);
        where = aOptions.SqlitePath;
        break;
    case dkPostgreSQL:
        data.Connection = ConnectPostgres(aOptions.Postgres);
        where = "postgresql://" + PostgresText(aOptions.Postgres);
        break;
    }
    const fw::String table = ChooseTable(*data.Connection, wanted, where);
    data.Table = std::make_unique<fw::TSqlTable>();
    data.Table->SetConnection(data.Connection.get());
    data.Table->SetTableName(table);
    try {
        data.Table->Open();
    } catch (const fw::Exception& e) {
        throw EDemoError("cannot open the table \"" + table + "\" in " + where + ": " +
                         FirstLine(e.Message()));
    }
    data.Description = table + " in " + where;
    return data;
}

} // namespace demo
