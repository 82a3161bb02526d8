// SPDX-License-Identifier: MIT
#pragma once
// TSqlConnection: one connection to an SQL database through the platform's SQL
// drivers.
//
// Drivers: SQLite (the default; DatabaseName is a file path, created when missing,
// or ":memory:") and PostgreSQL (HostName, Port, DatabaseName, UserName, Password).
// Settings change only while the connection is closed. Open raises EDatabaseError
// with the driver's message when the database cannot be reached.
//
// Data sets that use the connection do not belong to it: closing or destroying the
// connection closes them first and, when destroyed, lets go of them.
//
// Transactions: Rollback (and a failed Commit on PostgreSQL, which rolls back) makes
// every open data set of the connection read its records again, so none shows a
// post that was undone. Closing or destroying the connection with a transaction
// open rolls it back: every post since StartTransaction is undone.
//
// PostgreSQL: a statement refused inside a transaction undoes only itself (each
// runs under a savepoint), so the transaction goes on. When the server closes the
// session (the server stopped, the session terminated), the statement raises
// EDatabaseError saying so; the connection stays open and the next statement
// opens a new session (raising while the server cannot be reached). A transaction
// open on the lost session is gone with it: InTransaction is false afterwards.

#include "platform/db/DataTypes.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

#include <memory>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;
class QVariant;

namespace fw {

class TCustomSqlDataSet;

enum class TSqlDriver { sdSQLite, sdPostgreSQL };
using enum TSqlDriver;

class TSqlConnection : public TObject {
    FW_CLASS(TSqlConnection, TObject)
public:
    TSqlConnection();
    ~TSqlConnection() override;

    TSqlDriver Driver() const { return FDriver; }
    void SetDriver(TSqlDriver aDriver);
    const String& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const String& aName);
    const String& HostName() const { return FHostName; }
    void SetHostName(const String& aName);
    int32_t Port() const { return FPort; }
    void SetPort(int32_t aPort);
    const String& UserName() const { return FUserName; }
    void SetUserName(const String& aName);
    void SetPassword(const String& aPassword);
    // Opens the database for reading only (SQLite: the file is not written; PostgreSQL:
    // the session's transactions are read-only).
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aValue);
    // True when the open database takes no writes: opened ReadOnly, or a SQLite file
    // the process may not write, which SQLite opens for reading only.
    bool DatabaseReadOnly() const;

    void Open();
    void Close();
    bool Connected() const;

    // Runs a statement that returns no records, with positional ("?") parameters;
    // answers the number of rows it changed. Raises EDatabaseError with the
    // database's message.
    int64_t ExecSQL(const String& aSql, const std::vector<Variant>& aParams = {});
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return FInTransaction; }

    // "name" with embedded quotes doubled.
    static String QuoteIdentifier(const String& aName);

private:
    friend class TCustomSqlDataSet;
    friend QSqlDatabase& DatabaseOf(const TSqlConnection& aConnection);
    friend QSqlQuery ExecQuery(TSqlConnection& aConnection, const String& aSql,
                               const std::vector<QVariant>& aParams);

    // The driver's side of the connection.
    struct TImpl;

    TSqlDriver FDriver = sdSQLite;
    String FDatabaseName;
    String FHostName;
    int32_t FPort = 0;
    String FUserName;
    String FPassword;
    bool FInTransaction = false;
    bool FReadOnly = false;
    std::unique_ptr<TImpl> FImpl;
    std::vector<TCustomSqlDataSet*> FDataSets;

    void OpenSession();
    // Opens a new session when the server closed the last one.
    void ResumeSession();
    // After a statement failed with aError: true (and the dead session let go) when
    // the server closed the session.
    bool DropSessionIfLost(const QSqlError& aError);
    // Counts the sessions opened, so that data sets know when server-side state
    // of theirs (a cursor) went with an earlier one.
    uint64_t SessionNumber() const;
    void CheckDisconnected(const char* aSetting) const;
    void CheckConnected() const;
    void CloseDataSets();
    void RereadDataSets();
};

} // namespace fw
