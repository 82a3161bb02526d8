// SPDX-License-Identifier: MIT
#pragma once
// Internal to the SQL data sets: the QtSql side of a connection and the value
// conversions between the framework's variants and Qt's. Not a public header; only
// the .cpp files of platform/db include it, together with the Qt headers they use.

#include "platform/db/DataSet.h"
#include "platform/db/SqlConnection.h"

#include <vector>

class QSqlDatabase;
class QSqlDriver;
class QSqlQuery;
class QString;
class QVariant;

namespace fw {

// The open database of aConnection.
QSqlDatabase& DatabaseOf(const TSqlConnection& aConnection);

// Raises EDatabaseError with aWhat and the database's message for aQuery.
[[noreturn]] void RaiseSqlError(const String& aWhat, const QSqlQuery& aQuery);

// Prepares aSql on the connection, binds aParams positionally and runs it; raises
// on failure. Forward-only: rows are not kept by the driver. A PostgreSQL session
// the server closed is opened again first. On PostgreSQL inside a transaction the
// statement runs under a savepoint, so that a refused one undoes only itself and
// leaves the transaction usable.
QSqlQuery ExecQuery(TSqlConnection& aConnection, const String& aSql,
                    const std::vector<QVariant>& aParams);

// aSql with each "?" outside PostgreSQL's strings, quoted identifiers and comments
// replaced by the next of aParams as a literal the driver quotes, for statements that
// cannot take parameters (a cursor's declaration). Strings are '...', E'...' (with
// backslash escapes) and dollar-quoted ($$...$$, $tag$...$tag$).
String SpliceParams(const String& aSql, const std::vector<QVariant>& aParams,
                    const QSqlDriver& aDriver);

// Reads every remaining row of aQuery, each value converted by aTypes. After the
// field values each row gets the stored form (RawSqlValue) of the columns aRaw
// names, so that they can be bound again exactly as read.
void FetchRows(QSqlQuery& aQuery, const std::vector<TFieldType>& aTypes,
               std::vector<TRecordValues>& aRows, const std::vector<int32_t>& aRaw = {});

// A stored value as the field's type reads it. Values the type cannot read (text
// in a date column that is not ISO-8601, a date outside years 1 to 9999, a fraction
// in an integer column) are kept as text. Date-times with a zone ("Z", "+02:00")
// are shown in the process's local time; SQLite's numeric dates are Julian days
// (0 to 5373484.5) or else Unix seconds.
Variant FromSqlValue(const QVariant& aValue, TFieldType aType);
// A value as the driver gave it: integer, double, text or bytes (as text).
Variant RawSqlValue(const QVariant& aValue);
// A value kept by RawSqlValue as a parameter again (bytes when aType is binary).
QVariant RawToSql(const Variant& aValue, TFieldType aType);
// A field's value as a parameter for aDriver (dates and times as ISO-8601 text).
// A date-time is written in the form aStored, the value it replaces as stored, has:
// a Julian day or Unix seconds, or text with the same zone suffix and separator.
// aZoned: the column holds instants (PostgreSQL timestamptz); the local time is
// written with its offset from UTC.
QVariant ToSqlValue(const Variant& aValue, TFieldType aType, TSqlDriver aDriver,
                    const Variant& aStored = Variant(), bool aZoned = false);
// A free parameter value (no field type known).
QVariant ToSqlParam(const Variant& aValue);
// Free parameter values, each converted by ToSqlParam.
std::vector<QVariant> ToSqlParams(const std::vector<Variant>& aValues);

QString ToQString(const String& aText);
String FromQString(const QString& aText);

} // namespace fw
