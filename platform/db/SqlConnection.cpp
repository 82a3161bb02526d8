// SPDX-License-Identifier: MIT
#include "platform/db/SqlConnection.h"

#include "platform/db/SqlDataSet.h"
#include "platform/db/internal/SqlImpl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <QRegularExpression>
#include <QSqlError>
#include <QTimeZone>

#include <atomic>
#include <exception>

namespace fw {

FW_IMPLEMENT_CLASS(TSqlConnection)

struct TSqlConnection::TImpl {
    QString ConnectionName;
    QSqlDatabase Database;
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
void SetPostgresSession(const QSqlDatabase& aDatabase) {
    QSqlQuery query(aDatabase);
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

bool TSqlConnection::Connected() const {
    return FImpl->Database.isOpen();
}

void TSqlConnection::Open() {
    if (Connected())
        return;
    if (FDatabaseName.empty())
        throw EDatabaseError(DriverText(FDriver) + " connection: no database name given");
    FImpl->ConnectionName = NewConnectionName();
    const QString driver =
        FDriver == sdSQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, FImpl->ConnectionName);
        db.setDatabaseName(ToQString(FDatabaseName));
        if (FDriver == sdSQLite) {
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
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
            if (FDriver == sdPostgreSQL)
                SetPostgresSession(db);
            return;
        }
        const String message = FromQString(db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(FImpl->ConnectionName);
        throw EDatabaseError("Cannot open " + DriverText(FDriver) + " database '" + FDatabaseName +
                             "': " + message);
    }
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
    if (FInTransaction)
        FImpl->Database.rollback();
    FInTransaction = false;
    FImpl->Database.close();
    FImpl->Database = QSqlDatabase();
    QSqlDatabase::removeDatabase(FImpl->ConnectionName);
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
    if (!FImpl->Database.transaction())
        throw EDatabaseError("Cannot start a transaction on '" + FDatabaseName +
                             "': " + FromQString(FImpl->Database.lastError().text()));
    FInTransaction = true;
}

void TSqlConnection::Commit() {
    CheckConnected();
    if (!FInTransaction)
        throw EDatabaseError("No transaction on '" + FDatabaseName + "' to commit");
    if (!FImpl->Database.commit()) {
        const String message = FromQString(FImpl->Database.lastError().text());
        // PostgreSQL rolls back a transaction whose commit fails.
        if (FDriver == sdPostgreSQL) {
            FInTransaction = false;
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
