// SPDX-License-Identifier: MIT
#include "platform/db/SqlTypeMap.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace fw {

namespace {

// ASCII only: the C library's classification follows its locale, where a
// single-byte locale would take bytes of a UTF-8 type name for letters or blanks.
bool IsBlank(char aChar) {
    return aChar == ' ' || (aChar >= '\t' && aChar <= '\r');
}

char AsciiUpper(char aChar) {
    return aChar >= 'a' && aChar <= 'z' ? static_cast<char>(aChar - 'a' + 'A') : aChar;
}

// Upper case (ASCII letters) with runs of blanks reduced to one; the length part
// split off.
String Normalize(const String& aText, int32_t& aLength) {
    String base;
    aLength = 0;
    bool blank = false;
    bool inParens = false;
    bool firstNumber = true;
    for (char c : aText) {
        if (inParens) {
            if (c == ')')
                inParens = false;
            else if (c == ',')
                firstNumber = false;
            else if (firstNumber && c >= '0' && c <= '9' && aLength < 100000000)
                aLength = aLength * 10 + (c - '0');
            continue;
        }
        if (c == '(') {
            inParens = true;
            continue;
        }
        if (IsBlank(c)) {
            blank = !base.empty();
            continue;
        }
        if (blank)
            base += ' ';
        blank = false;
        base += AsciiUpper(c);
    }
    return base;
}

bool StartsWith(std::string_view aText, std::string_view aPrefix) {
    return aText.substr(0, aPrefix.size()) == aPrefix;
}

bool Contains(std::string_view aText, std::string_view aPart) {
    return aText.find(aPart) != std::string_view::npos;
}

struct TExactName {
    std::string_view Name;
    TFieldType DataType;
};

constexpr std::array<TExactName, 32> ExactNames{{
    {"SMALLINT", ftSmallint},
    {"INT2", ftSmallint},
    {"WORD", ftWord},
    {"SMALLINT UNSIGNED", ftWord},
    {"UNSIGNED SMALLINT", ftWord},
    {"INTEGER", ftInteger},
    {"INT", ftInteger},
    {"INT4", ftInteger},
    {"MEDIUMINT", ftInteger},
    {"TINYINT", ftSmallint},
    {"BIGINT", ftLargeint},
    {"INT8", ftLargeint},
    {"BOOLEAN", ftBoolean},
    {"BOOL", ftBoolean},
    {"REAL", ftFloat},
    {"FLOAT", ftFloat},
    {"FLOAT4", ftFloat},
    {"FLOAT8", ftFloat},
    {"DOUBLE", ftFloat},
    {"DOUBLE PRECISION", ftFloat},
    {"NUMERIC", ftBCD},
    {"DECIMAL", ftBCD},
    {"DATE", ftDate},
    {"TIME", ftTime},
    {"TIME WITHOUT TIME ZONE", ftTime},
    {"DATETIME", ftDateTime},
    {"TIMESTAMP", ftDateTime},
    {"TIMESTAMP WITHOUT TIME ZONE", ftDateTime},
    {"TIMESTAMP WITH TIME ZONE", ftDateTime},
    {"TIMESTAMPTZ", ftDateTime},
    {"BLOB", ftBlob},
    {"BYTEA", ftBlob},
}};

constexpr std::array<std::string_view, 8> StringNames{
    "VARCHAR",  "CHARACTER VARYING",         "CHAR", "CHARACTER", "NVARCHAR", "NCHAR",
    "VARCHAR2", "NATIONAL CHARACTER VARYING"};

constexpr std::array<std::string_view, 6> MemoNames{"TEXT",       "CLOB",     "TINYTEXT",
                                                    "MEDIUMTEXT", "LONGTEXT", "NTEXT"};

} // namespace

TSqlTypeMapping MapTextLength(int32_t aLength) {
    if (aLength > 0 && aLength <= MaxStringFieldLength)
        return {ftString, aLength};
    return {ftMemo, 0};
}

namespace {

// The names of the table, looked up exactly; ftUnknown for any other name.
TSqlTypeMapping MapKnownName(const String& aName, int32_t aLength) {
    for (const TExactName& entry : ExactNames)
        if (aName == entry.Name)
            return {entry.DataType, 0};
    for (std::string_view entry : StringNames)
        if (aName == entry) {
            // CHAR and CHARACTER without a length hold one character.
            const bool fixed = entry == "CHAR" || entry == "CHARACTER" || entry == "NCHAR";
            return MapTextLength(aLength > 0 ? aLength : (fixed ? 1 : 0));
        }
    if (std::find(MemoNames.begin(), MemoNames.end(), aName) != MemoNames.end())
        return {ftMemo, 0};
    return {ftUnknown, 0};
}

} // namespace

TSqlTypeMapping MapSqlType(const String& aDeclaredType, bool aIntegerKey) {
    int32_t length = 0;
    const String name = Normalize(aDeclaredType, length);
    if (aIntegerKey && name == "INTEGER")
        return {ftAutoInc, 0};
    const TSqlTypeMapping known = MapKnownName(name, length);
    if (known.DataType != ftUnknown)
        return known;
    // The remaining names by the rules SQLite gives a column its affinity.
    if (Contains(name, "INT"))
        return {ftInteger, 0};
    if (Contains(name, "CHAR") || Contains(name, "CLOB") || Contains(name, "TEXT"))
        return {ftMemo, 0};
    if (StartsWith(name, "TIMESTAMP"))
        return {ftDateTime, 0};
    if (Contains(name, "REAL") || Contains(name, "FLOA") || Contains(name, "DOUB"))
        return {ftFloat, 0};
    return {ftUnknown, 0};
}

TSqlTypeMapping MapPostgresType(const String& aFormattedType) {
    int32_t length = 0;
    const String name = Normalize(aFormattedType, length);
    return MapKnownName(name, length);
}

} // namespace fw
