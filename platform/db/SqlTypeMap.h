// SPDX-License-Identifier: MIT
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
    // Of a decimal type: NUMERIC(10,2) is precision 10, scale 2 (see TFieldDef).
    int32_t Precision = 0;
    int32_t Scale = 0;

    // Copies the size, precision and scale into aDef.
    void ApplyTo(struct TFieldDef& aDef) const;
};

// The longest declared text length that maps to ftString. A string field is shown
// in a row of at most 250 bytes: 60 characters take at most 240 bytes of UTF-8, and
// a longer text cut to 250 bytes keeps more than 60 characters, so a cut text can
// never be written back into such a column unnoticed. Longer and unbounded texts
// are memos, which are kept whole.
constexpr int32_t MaxStringFieldLength = 60;

// A character column of aLength characters (0: unbounded): ftString with that size
// up to MaxStringFieldLength, ftMemo beyond.
TSqlTypeMapping MapTextLength(int32_t aLength);

// aIntegerKey: the column is the table's only primary key column; an INTEGER
// declared that way is an auto-increment key.
TSqlTypeMapping MapSqlType(const String& aDeclaredType, bool aIntegerKey = false);

// A PostgreSQL column type as the catalogue formats it ("character varying(20)",
// "timestamp with time zone"). PostgreSQL names its types exactly, so only the
// names of the table count: the name rules above are SQLite's and would take an
// interval, a point or an integer array for an integer.
TSqlTypeMapping MapPostgresType(const String& aFormattedType);

} // namespace fw
