// SPDX-License-Identifier: MIT
#include "platform/db/SqlConnection.h"

#include "platform/db/SqlDataSet.h"
#include "platform/db/internal/SqlImpl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QTimeZone>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <atomic>
#include <exception>

namespace fw {

FW_IMPLEMENT_CLASS(TSqlConnection)

struct TSqlConnection::TImpl {
    QString ConnectionName;
    QSqlDatabase Database;
    // The server closed the session: the next statement opens a new one.
    bool Lost = false;
    uint64_t SessionNumber = 0;
};

QSqlDatabase& DatabaseOf(const TSqlConnection& aConnection) {
    return aConnection.FImpl->Database;
}

namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("quire_db_%1").arg(++counter);
}

// Server notices would go to stderr: only errors are wanted, and they come back as
// errors anyway. Dates are read as ISO text. Times with a zone are read and written
// with their offset, so they do not depend on the session's zone; it is set to the
// process's zone where the server knows it, for statements of the host's own.
void SetPostgresSession(const QSqlDatabase& aDatabase, bool aReadOnly) {
    QSqlQuery query(aDatabase);
    if (aReadOnly)
        query.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    query.exec(QStringLiteral("SET client_min_messages TO error"));
    query.exec(QStringLiteral("SET DateStyle TO ISO, YMD"));
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9/_+-]+$"));
    if (safe.match(zone).hasMatch())
        query.exec(QStringLiteral("SET TIME ZONE '%1'").arg(zone));
}

String DriverText(TSqlDriver aDriver) {
    return aDriver == sdSQLite ? "SQLite" : "PostgreSQL";
}

// Runs a statement of the library's own, without parameters (nothing to free
// afterwards); false when refused.
bool RunPlain(const QSqlDatabase& aDatabase, const char* aSql) {
    QSqlQuery query(aDatabase);
    return query.exec(QString::fromLatin1(aSql));
}

// SQLSTATE codes that end the session: connection exceptions (class 08) and the
// server shutting down or terminating it (57P01 to 57P03).
bool EndsSession(const QString& aState) {
    return aState.startsWith(QLatin1String("08")) || aState == QLatin1String("57P01") ||
           aState == QLatin1String("57P02") || aState == QLatin1String("57P03");
}

bool PostgresSessionBroken(const QSqlDatabase& aDatabase, const QString& aState) {
    if (!aDatabase.isOpen() || EndsSession(aState))
        return true;
    const QVariant handle = aDatabase.driver()->handle();
    // The driver names the handle's type by the structure PGconn stands for.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return false;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    return !connection || PQstatus(connection) == CONNECTION_BAD;
}

} // namespace

TSqlConnection::TSqlConnection() : FImpl(std::make_unique<TImpl>()) {}

TSqlConnection::~TSqlConnection() {
    Close();
    for (TCustomSqlDataSet* dataSet : FDataSets)
        dataSet->FConnection = nullptr;
}

void TSqlConnection::CheckDisconnected(const char* aSetting) const {
    if (Connected())
        throw EDatabaseError(String("Cannot change ") + aSetting + " of an open connection to '" +
                             FDatabaseName + "'");
}

void TSqlConnection::CheckConnected() const {
    if (!Connected())
        throw EDatabaseError("Connection to '" + FDatabaseName + "' is not open");
}

void TSqlConnection::SetDriver(TSqlDriver aDriver) {
    CheckDisconnected("the driver");
    FDriver = aDriver;
}

void TSqlConnection::SetDatabaseName(const String& aName) {
    CheckDisconnected("the database name");
    FDatabaseName = aName;
}

void TSqlConnection::SetHostName(const String& aName) {
    CheckDisconnected("the host name");
    FHostName = aName;
}

void TSqlConnection::SetPort(int32_t aPort) {
    CheckDisconnected("the port");
    FPort = aPort;
}

void TSqlConnection::SetUserName(const String& aName) {
    CheckDisconnected("the user name");
    FUserName = aName;
}

void TSqlConnection::SetPassword(const String& aPassword) {
    CheckDisconnected("the password");
    FPassword = aPassword;
}

void TSqlConnection::SetReadOnly(bool aValue) {
    CheckDisconnected("the read-only setting");
    FReadOnly = aValue;
}

bool TSqlConnection::DatabaseReadOnly() const {
    if (FReadOnly || FDriver != sdSQLite || !FImpl->Database.isOpen())
        return FReadOnly;
    const QVariant handle = FImpl->Database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* database = *static_cast<sqlite3* const*>(handle.constData());
    return database && sqlite3_db_readonly(database, "main") == 1;
}

bool TSqlConnection::Connected() const {
    return FImpl->Database.isOpen() || FImpl->Lost;
}

void TSqlConnection::Open() {
    if (Connected())
        return;
    if (FDatabaseName.empty())
        throw EDatabaseError(DriverText(FDriver) + " connection: no database name given");
    OpenSession();
}

void TSqlConnection::OpenSession() {
    FImpl->ConnectionName = NewConnectionName();
    const QString driver =
        FDriver == sdSQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, FImpl->ConnectionName);
        db.setDatabaseName(ToQString(FDatabaseName));
        if (FDriver == sdSQLite) {
            db.setConnectOptions(
                FReadOnly ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000;QSQLITE_OPEN_READONLY")
                          : QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
        } else {
            db.setHostName(ToQString(FHostName));
            if (FPort > 0)
                db.setPort(FPort);
            db.setUserName(ToQString(FUserName));
            db.setPassword(ToQString(FPassword));
            db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        }
        if (db.open()) {
            FImpl->Database = db;
            FImpl->Lost = false;
            ++FImpl->SessionNumber;
            if (FDriver == sdPostgreSQL)
                SetPostgresSession(db, FReadOnly);
            return;
        }
        const String message = FromQString(db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(FImpl->ConnectionName);
        throw EDatabaseError("Cannot open " + DriverText(FDriver) + " database '" + FDatabaseName +
                             "': " + message);
    }
}

void TSqlConnection::ResumeSession() {
    if (!FImpl->Lost)
        return;
    try {
        OpenSession();
    } catch (const EDatabaseError& error) {
        throw EDatabaseError("The connection to '" + FDatabaseName +
                             "' was lost and cannot be opened again: " + error.Message());
    }
}

bool TSqlConnection::DropSessionIfLost(const QSqlError& aError) {
    if (FDriver != sdPostgreSQL ||
        !PostgresSessionBroken(FImpl->Database, aError.nativeErrorCode()))
        return false;
    // The driver goes with its connection, so that statements still alive do not
    // try to free themselves on the dead session.
    FImpl->Database.close();
    FImpl->Database = QSqlDatabase();
    QSqlDatabase::removeDatabase(FImpl->ConnectionName);
    FImpl->Lost = true;
    FInTransaction = false;
    return true;
}

uint64_t TSqlConnection::SessionNumber() const {
    return FImpl->SessionNumber;
}

void TSqlConnection::CloseDataSets() {
    const auto dataSets = FDataSets;
    for (TCustomSqlDataSet* dataSet : dataSets)
        dataSet->Close();
}

void TSqlConnection::Close() {
    if (!Connected())
        return;
    CloseDataSets();
    if (FImpl->Lost) {
        FImpl->Lost = false;
        return;
    }
    if (FInTransaction)
        FImpl->Database.rollback();
    FInTransaction = false;
    FImpl->Database.close();
    FImpl->Database = QSqlDatabase();
    QSqlDatabase::removeDatabase(FImpl->ConnectionName);
}

namespace {

// A savepoint command of the caller's own must not run under the statement's savepoint,
// whose release would take the caller's savepoint with it.
bool IsSavepointCommand(const String& aSql) {
    const QString sql = ToQString(aSql).trimmed().toUpper();
    return sql.startsWith("SAVEPOINT ") || sql.startsWith("RELEASE ") ||
           sql.startsWith("ROLLBACK TO ");
}

} // namespace

QSqlQuery ExecQuery(TSqlConnection& aConnection, const String& aSql,
                    const std::vector<QVariant>& aParams) {
    aConnection.ResumeSession();
    QSqlDatabase& database = aConnection.FImpl->Database;
    const bool guarded = aConnection.FDriver == sdPostgreSQL && aConnection.FInTransaction &&
                         !IsSavepointCommand(aSql);
    QSqlQuery query(database);
    // Forward-only rows come from the server as they are read, which the savepoint's
    // release would cut short: under one, the driver reads them all at once.
    query.setForwardOnly(!guarded);
    // PostgreSQL's numeric as its exact text rather than a double.
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    bool done = !guarded || RunPlain(database, "SAVEPOINT quire_statement");
    String what = "Statement refused";
    // Statements without parameters run directly: PostgreSQL cannot prepare DDL.
    if (done && aParams.empty()) {
        done = query.exec(ToQString(aSql));
    } else if (done) {
        done = query.prepare(ToQString(aSql));
        if (!done)
            what = "Cannot prepare '" + aSql + "'";
        for (const QVariant& param : aParams)
            query.addBindValue(param);
        done = done && query.exec();
    }
    if (done) {
        if (guarded)
            RunPlain(database, "RELEASE SAVEPOINT quire_statement");
        return query;
    }
    String message = FromQString(query.lastError().text());
    if (message.empty())
        message = FromQString(database.lastError().text());
    if (message.empty())
        message = "unknown database error";
    if (aConnection.DropSessionIfLost(query.lastError())) {
        message += " (the connection to the server was lost";
        message += guarded ? ", and the transaction with it" : "";
        message += "; the next attempt connects again)";
    } else if (guarded) {
        // Undone before the refused statement is freed, which the driver could not
        // do in an aborted transaction.
        RunPlain(database, "ROLLBACK TO SAVEPOINT quire_statement");
        RunPlain(database, "RELEASE SAVEPOINT quire_statement");
    }
    throw EDatabaseError(what + ": " + message);
}

int64_t TSqlConnection::ExecSQL(const String& aSql, const std::vector<Variant>& aParams) {
    CheckConnected();
    QSqlQuery query = ExecQuery(*this, aSql, ToSqlParams(aParams));
    return query.numRowsAffected();
}

void TSqlConnection::StartTransaction() {
    CheckConnected();
    if (FInTransaction)
        throw EDatabaseError("A transaction on '" + FDatabaseName + "' is already active");
    ResumeSession();
    if (!FImpl->Database.transaction()) {
        const String message = FromQString(FImpl->Database.lastError().text());
        DropSessionIfLost(FImpl->Database.lastError());
        throw EDatabaseError("Cannot start a transaction on '" + FDatabaseName + "': " + message);
    }
    FInTransaction = true;
}

void TSqlConnection::Commit() {
    CheckConnected();
    if (!FInTransaction)
        throw EDatabaseError("No transaction on '" + FDatabaseName + "' to commit");
    if (!FImpl->Database.commit()) {
        String message = FromQString(FImpl->Database.lastError().text());
        // PostgreSQL rolls back a transaction whose commit fails.
        if (FDriver == sdPostgreSQL) {
            FInTransaction = false;
            if (DropSessionIfLost(FImpl->Database.lastError()))
                message += " (the connection to the server was lost)";
            RereadDataSets();
        }
        throw EDatabaseError("Cannot commit on '" + FDatabaseName + "': " + message);
    }
    FInTransaction = false;
}

void TSqlConnection::Rollback() {
    CheckConnected();
    if (!FInTransaction)
        throw EDatabaseError("No transaction on '" + FDatabaseName + "' to roll back");
    FInTransaction = false;
    const bool rolledBack = FImpl->Database.rollback();
    const String message = FromQString(FImpl->Database.lastError().text());
    // A lost session took its transaction with it: the data sets read from a new one.
    if (!rolledBack)
        DropSessionIfLost(FImpl->Database.lastError());
    RereadDataSets();
    if (!rolledBack)
        throw EDatabaseError("Cannot roll back on '" + FDatabaseName + "': " + message);
}

void TSqlConnection::RereadDataSets() {
    std::exception_ptr firstError;
    const auto dataSets = FDataSets;
    for (TCustomSqlDataSet* dataSet : dataSets) {
        try {
            dataSet->Reread();
        } catch (...) {
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

String TSqlConnection::QuoteIdentifier(const String& aName) {
    String quoted = "\"";
    for (char c : aName) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace fw
