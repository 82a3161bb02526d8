#pragma once
// The mapping from a column's declared SQL type to a field type.
//
// Letter case and blanks are ignored; a length in parentheses gives the size of a
// string field. The table is in the README ("Column types").

#include "platform/db/DataTypes.h"

namespace fw {

struct TSqlTypeMapping {
    TFieldType DataType = ftUnknown;
    int32_t Size = 0;
};

// aIntegerKey: the column is the table's only primary key column; an INTEGER
// declared that way is an auto-increment key.
TSqlTypeMapping MapSqlType(const String& aDeclaredType, bool aIntegerKey = false);

// A PostgreSQL column type as the catalogue formats it ("character varying(20)",
// "timestamp with time zone"). PostgreSQL names its types exactly, so only the
// names of the table count: the name rules above are SQLite's and would take an
// interval, a point or an integer array for an integer.
TSqlTypeMapping MapPostgresType(const String& aFormattedType);

} // namespace fw
