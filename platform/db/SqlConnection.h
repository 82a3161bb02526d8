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

#include "platform/db/DataTypes.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

#include <memory>
#include <vector>

class QSqlDatabase;

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

    // The driver's side of the connection.
    struct TImpl;

    TSqlDriver FDriver = sdSQLite;
    String FDatabaseName;
    String FHostName;
    int32_t FPort = 0;
    String FUserName;
    String FPassword;
    bool FInTransaction = false;
    std::unique_ptr<TImpl> FImpl;
    std::vector<TCustomSqlDataSet*> FDataSets;

    void CheckDisconnected(const char* aSetting) const;
    void CheckConnected() const;
    void CloseDataSets();
    void RereadDataSets();
};

} // namespace fw
