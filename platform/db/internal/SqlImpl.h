#pragma once
// Internal to the SQL data sets: the QtSql side of a connection and the value
// conversions between the framework's variants and Qt's. Not a public header; only
// the .cpp files of platform/db include it, together with the Qt headers they use.

#include "platform/db/DataSet.h"
#include "platform/db/SqlConnection.h"

#include <vector>

class QSqlDatabase;
class QSqlQuery;
class QString;
class QVariant;

namespace fw {

// The open database of aConnection.
QSqlDatabase& DatabaseOf(const TSqlConnection& aConnection);

// Raises EDatabaseError with aWhat and the database's message for aQuery.
[[noreturn]] void RaiseSqlError(const String& aWhat, const QSqlQuery& aQuery);

// Prepares aSql on the connection, binds aParams positionally and runs it; raises
// on failure. Forward-only: rows are not kept by the driver.
QSqlQuery ExecQuery(const TSqlConnection& aConnection, const String& aSql,
                    const std::vector<QVariant>& aParams);

// Reads every remaining row of aQuery, each value converted by aTypes.
void FetchRows(QSqlQuery& aQuery, const std::vector<TFieldType>& aTypes,
               std::vector<TRecordValues>& aRows);

// A stored value as the field's type reads it. Values the type cannot read (text
// in a date column that is not ISO-8601) are kept as text.
Variant FromSqlValue(const QVariant& aValue, TFieldType aType);
// A field's value as a parameter for aDriver (dates and times as ISO-8601 text).
QVariant ToSqlValue(const Variant& aValue, TFieldType aType, TSqlDriver aDriver);
// A free parameter value (no field type known).
QVariant ToSqlParam(const Variant& aValue);
// Free parameter values, each converted by ToSqlParam.
std::vector<QVariant> ToSqlParams(const std::vector<Variant>& aValues);

QString ToQString(const String& aText);
String FromQString(const QString& aText);

} // namespace fw
