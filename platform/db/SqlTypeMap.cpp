// SPDX-License-Identifier: MIT
#include "platform/db/SqlTypeMap.h"

#include "platform/db/FieldDefs.h"

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

// The numbers in a type's parentheses: "(20)", "(10, 2)".
struct TTypeArgs {
    int32_t First = 0;
    int32_t Second = 0;
    int32_t Count = 0;
};

// Upper case (ASCII letters) with runs of blanks reduced to one; the numbers in
// parentheses split off.
String Normalize(const String& aText, TTypeArgs& aArgs) {
    String base;
    aArgs = {};
    bool blank = false;
    bool inParens = false;
    int32_t part = 0;
    for (char c : aText) {
        if (inParens) {
            if (c == ')') {
                inParens = false;
            } else if (c == ',') {
                ++part;
            } else if (c >= '0' && c <= '9' && part < 2) {
                int32_t& number = part == 0 ? aArgs.First : aArgs.Second;
                if (number < 100000000)
                    number = number * 10 + (c - '0');
                aArgs.Count = std::max(aArgs.Count, part + 1);
            }
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

constexpr std::array<TExactName, 33> ExactNames{{
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
    {"MONEY", ftCurrency},
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

void TSqlTypeMapping::ApplyTo(TFieldDef& aDef) const {
    aDef.Size = Size;
    aDef.Precision = Precision;
    aDef.Scale = Scale;
}

TSqlTypeMapping MapTextLength(int32_t aLength) {
    if (aLength > 0 && aLength <= MaxStringFieldLength)
        return {ftString, aLength};
    return {ftMemo, 0};
}

namespace {

// The largest amount PostgreSQL's money holds is 92233720368547758.07: 19 digits,
// two of them cents.
constexpr int32_t MoneyPrecision = 19;
constexpr int32_t MoneyScale = 2;

TSqlTypeMapping MapDecimal(TFieldType aType, const TTypeArgs& aArgs) {
    if (aType == ftCurrency)
        return {ftCurrency, 0, MoneyPrecision, MoneyScale};
    // NUMERIC(p) has no decimals; NUMERIC alone any number of digits and decimals.
    if (aArgs.Count == 0 || aArgs.First <= 0)
        return {ftBCD, 0, 0, 0};
    return {ftBCD, 0, aArgs.First, aArgs.Count == 2 ? std::min(aArgs.Second, aArgs.First) : 0};
}

// The names of the table, looked up exactly; ftUnknown for any other name.
TSqlTypeMapping MapKnownName(const String& aName, const TTypeArgs& aArgs) {
    const int32_t length = aArgs.First;
    for (const TExactName& entry : ExactNames)
        if (aName == entry.Name) {
            if (entry.DataType == ftBCD || entry.DataType == ftCurrency)
                return MapDecimal(entry.DataType, aArgs);
            return {entry.DataType, 0};
        }
    for (std::string_view entry : StringNames)
        if (aName == entry) {
            // CHAR and CHARACTER without a length hold one character.
            const bool fixed = entry == "CHAR" || entry == "CHARACTER" || entry == "NCHAR";
            return MapTextLength(length > 0 ? length : (fixed ? 1 : 0));
        }
    if (std::find(MemoNames.begin(), MemoNames.end(), aName) != MemoNames.end())
        return {ftMemo, 0};
    return {ftUnknown, 0};
}

} // namespace

TSqlTypeMapping MapSqlType(const String& aDeclaredType, bool aIntegerKey) {
    TTypeArgs args;
    const String name = Normalize(aDeclaredType, args);
    if (aIntegerKey && name == "INTEGER")
        return {ftAutoInc, 0};
    const TSqlTypeMapping known = MapKnownName(name, args);
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
    TTypeArgs args;
    const String name = Normalize(aFormattedType, args);
    return MapKnownName(name, args);
}

} // namespace fw
