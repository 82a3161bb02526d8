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

} // namespace fw
