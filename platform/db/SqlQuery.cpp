// SPDX-License-Identifier: MIT
#include "platform/db/SqlQuery.h"

#include "platform/db/SqlTypeMap.h"
#include "platform/db/internal/SqlImpl.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

#include <string>

namespace fw {

FW_IMPLEMENT_CLASS(TSqlQuery)

namespace {

// PostgreSQL type ids that the driver's own types do not tell apart.
constexpr int PgInt2 = 21;
constexpr int PgInt8 = 20;
constexpr int PgText = 25;
constexpr int PgNumeric = 1700;
constexpr int PgMoney = 790;
constexpr int PgDate = 1082;
constexpr int PgTime = 1083;
constexpr int PgTimestamp = 1114;
constexpr int PgTimestampTz = 1184;

bool IsPostgresTemporal(const QSqlField& aField) {
    const int type = aField.typeID();
    return type == PgDate || type == PgTime || type == PgTimestamp || type == PgTimestampTz;
}

TSqlTypeMapping MapDriverType(const QSqlField& aField, TSqlDriver aDriver) {
    if (aDriver == sdPostgreSQL) {
        switch (aField.typeID()) {
        case PgInt2:
            return {ftSmallint, 0};
        case PgInt8:
            return {ftLargeint, 0};
        case PgText:
            return {ftMemo, 0};
        case PgNumeric:
            return {ftBCD, 0};
        case PgMoney:
            return MapPostgresType("money");
        default:
            break;
        }
    }
    switch (aField.metaType().id()) {
    case QMetaType::Bool:
        return {ftBoolean, 0};
    case QMetaType::Short:
    case QMetaType::UShort:
        return {ftSmallint, 0};
    case QMetaType::Int:
    case QMetaType::UInt:
        return {ftInteger, 0};
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return {ftLargeint, 0};
    case QMetaType::Double:
    case QMetaType::Float:
        return {ftFloat, 0};
    case QMetaType::QDate:
        return {ftDate, 0};
    case QMetaType::QTime:
        return {ftTime, 0};
    case QMetaType::QDateTime:
        return {ftDateTime, 0};
    case QMetaType::QByteArray:
        return {ftBlob, 0};
    default:
        return MapTextLength(aField.length() > 0 ? static_cast<int32_t>(aField.length()) : 0);
    }
}

// The declared type of column aColumn of the SQLite statement aQuery ran: the
// source column's, followed through subqueries and aliases; empty for an
// expression.
String SqliteDeclaredType(const QSqlQuery& aQuery, int aColumn) {
    const QVariant handle = aQuery.result()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return {};
    sqlite3_stmt* statement = *static_cast<sqlite3_stmt* const*>(handle.constData());
    const char* declared = statement ? sqlite3_column_decltype(statement, aColumn) : nullptr;
    return declared ? String(declared) : String();
}

String TrimStatement(const String& aSql) {
    std::size_t end = aSql.size();
    // ASCII blanks only: the C library's isspace follows its locale.
    const auto trailing = [](char c) { return c == ';' || c == ' ' || (c >= '\t' && c <= '\r'); };
    while (end > 0 && trailing(aSql[end - 1]))
        --end;
    return aSql.substr(0, end);
}

} // namespace

TSqlQuery::TSqlQuery() {
    SetName("SqlQuery");
}

TSqlQuery::~TSqlQuery() {
    Close();
}

void TSqlQuery::SetSQL(const String& aSql) {
    CheckInactive();
    FSQL = TrimStatement(aSql);
}

void TSqlQuery::SetParams(std::vector<Variant> aParams) {
    CheckInactive();
    FParams = std::move(aParams);
}

void TSqlQuery::InternalInitFieldDefs(TFieldDefs& aDefs) {
    if (FSQL.empty())
        DatabaseError("No SQL statement given");
    TSqlConnection& connection = Conn();
    std::vector<QVariant> params = ToSqlParams(FParams);
    // Described as a subquery that reads no row: a statement that is not a query
    // (an UPDATE ... RETURNING) cannot stand there, so it is refused before it runs.
    String describe = "SELECT * FROM (" + FSQL + "\n) AS q LIMIT 0";
    // The driver would take a "?" inside a dollar-quoted or E'' string for a
    // parameter: PostgreSQL's parameters go into the text, as for the cursor.
    if (connection.Driver() == sdPostgreSQL && !params.empty()) {
        describe = SpliceParams(describe, params, *DatabaseOf(connection).driver());
        params.clear();
    }
    QSqlQuery query = [&] {
        try {
            return ExecQuery(connection, describe, params);
        } catch (const EDatabaseError& error) {
            DatabaseError("Not a query, or a query the database refuses: '" + FSQL +
                          "': " + error.Message());
        }
    }();
    const QSqlRecord record = query.record();
    if (record.isEmpty())
        DatabaseError("The statement returns no columns: '" + FSQL + "'");
    FFieldTypes.clear();
    FPageColumns = PostgresPageColumns(record);
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        TSqlTypeMapping mapping = MapDriverType(field, connection.Driver());
        if (connection.Driver() == sdSQLite) {
            const String declared = SqliteDeclaredType(query, i);
            if (!declared.empty())
                mapping = MapSqlType(declared);
        }
        String name = FromQString(field.name());
        // Two columns of one name: the second gets a suffix, as field names are unique.
        for (int n = 1; aDefs.IndexOf(name) >= 0; ++n)
            name = FromQString(field.name()) + "_" + std::to_string(n);
        TFieldDef& def = aDefs.Add(name, mapping.DataType, mapping.Size);
        mapping.ApplyTo(def);
        def.ReadOnly = true;
        FFieldTypes.push_back(mapping.DataType);
    }
}

String TSqlQuery::PostgresPageColumns(const QSqlRecord& aRecord) const {
    // PostgreSQL's dates and times are read as its own text, as a table's are, so
    // that 'infinity', years BC and after 9999 keep their value. Columns of one
    // name cannot be told apart by name: those are read as the driver gives them.
    if (Conn().Driver() != sdPostgreSQL)
        return "*";
    String list;
    bool anyCast = false;
    for (int i = 0; i < aRecord.count(); ++i) {
        const QSqlField field = aRecord.field(i);
        if (aRecord.indexOf(field.name()) != i)
            return "*";
        list += (list.empty() ? "q." : ", q.") +
                TSqlConnection::QuoteIdentifier(FromQString(field.name()));
        if (IsPostgresTemporal(field)) {
            list += "::text";
            anyCast = true;
        } else if (field.typeID() == PgMoney) {
            // A plain number, whatever the server's currency format.
            list += "::numeric";
            anyCast = true;
        }
    }
    return anyCast ? list : String("*");
}

bool TSqlQuery::PagesByCursor() const {
    return Conn().Driver() == sdPostgreSQL;
}

int64_t TSqlQuery::InternalPost(TRecordValues&, const TRecordValues&, bool, int64_t) {
    DatabaseError("Cannot modify a read-only data set");
}

void TSqlQuery::InternalDelete(int64_t, const TRecordValues&) {
    DatabaseError("Cannot modify a read-only data set");
}

} // namespace fw
