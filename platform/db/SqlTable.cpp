// SPDX-License-Identifier: MIT
#include "platform/db/SqlTable.h"

#include "platform/db/SqlTypeMap.h"
#include "platform/db/internal/SqlImpl.h"

#include "platform/rtl/SysUtils.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <optional>

namespace fw {

FW_IMPLEMENT_CLASS(TSqlTable)

namespace {

struct TColumnInfo {
    String Name;
    String DeclaredType;
    bool NotNull = false;
    bool HasDefault = false;
    bool AutoIncrement = false;
    int32_t KeyPosition = 0; // 1-based position in the primary key, 0 when not in it
};

bool IsTemporal(TFieldType aType) {
    return aType == ftDate || aType == ftTime || aType == ftDateTime;
}

String AsciiLower(String aText) {
    for (char& c : aText)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return aText;
}

} // namespace

TSqlTable::TSqlTable() {
    SetName("SqlTable");
}

TSqlTable::~TSqlTable() {
    Close();
}

void TSqlTable::SetTableName(const String& aName) {
    CheckInactive();
    FTableName = aName;
    SetName(aName.empty() ? "SqlTable" : aName);
}

bool TSqlTable::CanModify() const {
    return !FReadOnly && !FKeyFields.empty() && !FDatabaseReadOnly;
}

String TSqlTable::CannotModifyReason() const {
    const String table = "Cannot modify table '" + FTableName + "': ";
    if (FDatabaseReadOnly)
        return table + "the database '" + (Connection() ? Connection()->DatabaseName() : "") +
               "' is open for reading only";
    if (FReadOnly)
        return table + "the data set is read-only";
    return table + "it has no primary key to find its records by";
}

String TSqlTable::Table() const {
    return TSqlConnection::QuoteIdentifier(FTableName);
}

String TSqlTable::From() const {
    // PostgreSQL: the named table's own rows, not those of tables inheriting from it.
    return (Conn().Driver() == sdPostgreSQL ? "ONLY " : "") + Table();
}

String TSqlTable::ColumnList() const {
    // PostgreSQL's dates and times are read as its own text, which keeps what the
    // driver's date types cannot hold: 'infinity', years BC and after 9999,
    // microseconds, and the offset of a timestamp with time zone. Its money is read
    // as a plain number, which does not depend on the server's currency format.
    const bool asText = Conn().Driver() == sdPostgreSQL;
    String list;
    for (std::size_t i = 0; i < FColumns.size(); ++i) {
        list += (list.empty() ? "" : ", ") + TSqlConnection::QuoteIdentifier(FColumns[i]);
        if (asText && IsTemporal(FFieldTypes[i]))
            list += "::text";
        else if (asText && FFieldTypes[i] == ftCurrency)
            list += "::numeric";
    }
    return FVersioned ? list + ", xmin::text" : list;
}

String TSqlTable::KeyList(const char* aDirection) const {
    // Qualified: a bare name would sort by a column of the select list of that name.
    String list;
    for (int32_t field : FKeyFields)
        list += (list.empty() ? "" : ", ") + Table() + "." +
                TSqlConnection::QuoteIdentifier(FColumns[field]) + aDirection;
    return list;
}

const Variant& TSqlTable::Stored(const TRecordValues& aRecord, int32_t aField) const {
    static const Variant none;
    const auto it = std::find(FRawFields.begin(), FRawFields.end(), aField);
    if (it == FRawFields.end())
        return none;
    const std::size_t slot = FColumns.size() + static_cast<std::size_t>(it - FRawFields.begin());
    return slot < aRecord.size() ? aRecord[slot] : none;
}

const Variant& TSqlTable::Version(const TRecordValues& aRecord) const {
    static const Variant none;
    return FVersioned ? Stored(aRecord, static_cast<int32_t>(FColumns.size())) : none;
}

std::vector<QVariant> TSqlTable::KeyParams(const TRecordValues& aRecord) const {
    // Keys are bound as they were read, so that they match exactly what is stored.
    std::vector<QVariant> params;
    for (int32_t field : FKeyFields) {
        const Variant& stored = Stored(aRecord, field);
        params.push_back(stored.IsEmpty()
                             ? ToSqlValue(aRecord[field], FFieldTypes[field], Conn().Driver())
                             : RawToSql(stored, FFieldTypes[field]));
    }
    return params;
}

String TSqlTable::KeyCondition(const char* aOperator) const {
    String left;
    String right;
    for (int32_t field : FKeyFields) {
        left += (left.empty() ? "" : ", ") + TSqlConnection::QuoteIdentifier(FColumns[field]);
        right += right.empty() ? "?" : ", ?";
    }
    if (FKeyFields.size() == 1)
        return left + " " + aOperator + " " + right;
    return "(" + left + ") " + aOperator + " (" + right + ")";
}

// ---- the catalogue ---------------------------------------------------------------

void TSqlTable::ReadSqliteColumns(TFieldDefs& aDefs) {
    QSqlQuery query = ExecQuery(Conn(), "PRAGMA table_info(" + Table() + ")", {});
    std::vector<TColumnInfo> columns;
    while (query.next()) {
        TColumnInfo column;
        column.Name = FromQString(query.value(1).toString());
        column.DeclaredType = FromQString(query.value(2).toString());
        column.NotNull = query.value(3).toInt() != 0;
        column.HasDefault = !query.value(4).isNull();
        column.KeyPosition = query.value(5).toInt();
        columns.push_back(column);
    }
    const auto keyCount = std::count_if(columns.begin(), columns.end(),
                                        [](const TColumnInfo& c) { return c.KeyPosition > 0; });
    const bool rowIdKey = keyCount == 1 && !HasSqlitePrimaryKeyIndex();
    for (TColumnInfo& column : columns) {
        // The row id, which SQLite assigns, is the only key column declared exactly
        // INTEGER in a table that keeps no index of its own for the key (a key
        // declared DESC or INTEGER(n), or of a table WITHOUT ROWID, has one).
        column.AutoIncrement =
            rowIdKey && column.KeyPosition > 0 && AsciiLower(column.DeclaredType) == "integer";
    }
    for (const TColumnInfo& column : columns) {
        const TSqlTypeMapping mapping =
            column.AutoIncrement ? TSqlTypeMapping{ftAutoInc, 0} : MapSqlType(column.DeclaredType);
        const bool mustHaveValue = column.NotNull || column.KeyPosition > 0;
        TFieldDef& def = aDefs.Add(column.Name, mapping.DataType, mapping.Size,
                                   mustHaveValue && !column.HasDefault && !column.AutoIncrement);
        def.ReadOnly = column.AutoIncrement;
        mapping.ApplyTo(def);
        FColumns.push_back(column.Name);
        FZoned.push_back(false);
    }
    std::vector<std::pair<int32_t, int32_t>> keys;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].KeyPosition > 0)
            keys.emplace_back(columns[i].KeyPosition, static_cast<int32_t>(i));
    std::sort(keys.begin(), keys.end());
    for (const auto& key : keys)
        FKeyFields.push_back(key.second);
}

bool TSqlTable::HasSqlitePrimaryKeyIndex() {
    QSqlQuery query = ExecQuery(Conn(), "PRAGMA index_list(" + Table() + ")", {});
    while (query.next())
        if (query.value(3).toString() == QStringLiteral("pk"))
            return true;
    return false;
}

void TSqlTable::ReadPostgresColumns(TFieldDefs& aDefs) {
    static const char* const sql =
        "SELECT a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull, "
        "d.adbin IS NOT NULL OR a.attidentity <> '', "
        "a.attidentity <> '' OR COALESCE(pg_get_expr(d.adbin, d.adrelid), '') LIKE 'nextval(%', "
        "COALESCE(array_position(i.indkey::int2[], a.attnum) - array_lower(i.indkey::int2[], 1) + "
        "1, "
        "0) "
        "FROM pg_attribute a "
        "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
        "LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
        "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
        "ORDER BY a.attnum";
    QSqlQuery query = ExecQuery(Conn(), sql, {ToQString(Table())});
    std::vector<std::pair<int32_t, int32_t>> keys;
    while (query.next()) {
        TColumnInfo column;
        column.Name = FromQString(query.value(0).toString());
        column.DeclaredType = FromQString(query.value(1).toString());
        column.NotNull = query.value(2).toBool();
        column.HasDefault = query.value(3).toBool();
        column.AutoIncrement = query.value(4).toBool();
        column.KeyPosition = query.value(5).toInt();
        TSqlTypeMapping mapping = MapPostgresType(column.DeclaredType);
        const bool integer = mapping.DataType == ftInteger || mapping.DataType == ftLargeint ||
                             mapping.DataType == ftSmallint;
        if (column.AutoIncrement && integer)
            mapping = {ftAutoInc, 0};
        const bool autoInc = mapping.DataType == ftAutoInc;
        TFieldDef& def = aDefs.Add(column.Name, mapping.DataType, mapping.Size,
                                   column.NotNull && !column.HasDefault && !autoInc);
        def.ReadOnly = autoInc;
        mapping.ApplyTo(def);
        if (column.KeyPosition > 0)
            keys.emplace_back(column.KeyPosition, static_cast<int32_t>(FColumns.size()));
        FColumns.push_back(column.Name);
        const String declared = AsciiLower(column.DeclaredType);
        FZoned.push_back(declared.rfind("timestamp", 0) == 0 &&
                         declared.find("with time zone") != String::npos);
    }
    std::sort(keys.begin(), keys.end());
    for (const auto& key : keys)
        FKeyFields.push_back(key.second);
}

bool TSqlTable::HasRowVersion() {
    // Tables keep row versions; views and foreign tables have none.
    QSqlQuery query = ExecQuery(
        Conn(), "SELECT relkind::text IN ('r', 'p') FROM pg_class WHERE oid = to_regclass(?)",
        {ToQString(Table())});
    return query.next() && query.value(0).toBool();
}

void TSqlTable::InternalInitFieldDefs(TFieldDefs& aDefs) {
    if (FTableName.empty())
        DatabaseError("No table name given");
    FColumns.clear();
    FKeyFields.clear();
    FFieldTypes.clear();
    FZoned.clear();
    FRawFields.clear();
    FVersioned = false;
    const bool sqlite = Conn().Driver() == sdSQLite;
    if (sqlite)
        ReadSqliteColumns(aDefs);
    else
        ReadPostgresColumns(aDefs);
    if (aDefs.Count() == 0)
        DatabaseError("Table '" + FTableName + "' not found");
    for (const TFieldDef& def : aDefs)
        FFieldTypes.push_back(def.DataType);
    // Kept as stored: the keys, to find the record again, and SQLite's dates, whose
    // stored form (number, zone suffix) a new value is written in.
    for (int32_t i = 0; i < aDefs.Count(); ++i) {
        const bool key = std::find(FKeyFields.begin(), FKeyFields.end(), i) != FKeyFields.end();
        const bool sqliteDate =
            sqlite && (FFieldTypes[i] == ftDate || FFieldTypes[i] == ftDateTime);
        if (key || sqliteDate)
            FRawFields.push_back(i);
    }
    FDatabaseReadOnly = Conn().DatabaseReadOnly();
    FVersioned = !sqlite && HasRowVersion();
    if (FVersioned)
        FRawFields.push_back(static_cast<int32_t>(FColumns.size()));
}

// ---- reading ---------------------------------------------------------------------

String TSqlTable::SelectSql() const {
    String sql = "SELECT " + ColumnList() + " FROM " + From();
    if (!FKeyFields.empty())
        sql += " ORDER BY " + KeyList("");
    return sql;
}

String TSqlTable::CountSql() const {
    return "SELECT COUNT(*) FROM " + From();
}

namespace {

bool HasNullKey(const std::vector<int32_t>& aKeys, const TRecordValues& aRecord) {
    return std::any_of(aKeys.begin(), aKeys.end(),
                       [&](int32_t field) { return aRecord[field].IsNull(); });
}

} // namespace

bool TSqlTable::PagesByCursor() const {
    // Without a key nothing orders a PostgreSQL table's rows from one page to the next.
    return FKeyFields.empty() && Conn().Driver() == sdPostgreSQL;
}

bool TSqlTable::ReadPage(int64_t aFirst, int32_t aCount, const TRecordValues* aPreviousLast,
                         const TRecordValues* aNextFirst, std::vector<TRecordValues>& aRows) {
    if (PagesByCursor())
        return TCustomSqlDataSet::ReadPage(aFirst, aCount, aPreviousLast, aNextFirst, aRows);
    const String select = "SELECT " + ColumnList() + " FROM " + From();
    const String limit = " LIMIT " + IntToStr(aCount);
    // Seeking by key costs the same anywhere in the table; an offset costs the rows skipped.
    if (!FKeyFields.empty()) {
        if (aPreviousLast && !HasNullKey(FKeyFields, *aPreviousLast)) {
            QSqlQuery query = ExecQuery(
                Conn(), select + " WHERE " + KeyCondition(">") + " ORDER BY " + KeyList("") + limit,
                KeyParams(*aPreviousLast));
            FetchRows(query, FFieldTypes, aRows, FRawFields);
            return true;
        }
        const int64_t count = KnownRecordCount();
        const bool lastPage = count >= 0 && aFirst + aCount >= count;
        if (aNextFirst && !HasNullKey(FKeyFields, *aNextFirst)) {
            QSqlQuery query = ExecQuery(Conn(),
                                        select + " WHERE " + KeyCondition("<") + " ORDER BY " +
                                            KeyList(" DESC") + limit,
                                        KeyParams(*aNextFirst));
            FetchRows(query, FFieldTypes, aRows, FRawFields);
            std::reverse(aRows.begin(), aRows.end());
            return true;
        }
        if (lastPage && aFirst < count) {
            QSqlQuery query = ExecQuery(Conn(),
                                        select + " ORDER BY " + KeyList(" DESC") + " LIMIT " +
                                            IntToStr(count - aFirst),
                                        {});
            FetchRows(query, FFieldTypes, aRows, FRawFields);
            std::reverse(aRows.begin(), aRows.end());
            return true;
        }
    }
    QSqlQuery query = ExecQuery(Conn(), SelectSql() + limit + " OFFSET " + IntToStr(aFirst), {});
    FetchRows(query, FFieldTypes, aRows, FRawFields);
    return true;
}

bool TSqlTable::HasIntegerKey() const {
    if (FKeyFields.size() != 1)
        return false;
    const TFieldType type = FFieldTypes[FKeyFields.front()];
    // SQLite's other integer columns may hold nulls and text; its row id never does.
    if (Conn().Driver() == sdSQLite)
        return type == ftAutoInc;
    return type == ftAutoInc || type == ftInteger || type == ftLargeint || type == ftSmallint;
}

int64_t TSqlTable::EstimateCount() {
    if (!HasIntegerKey())
        return -1;
    const String key = TSqlConnection::QuoteIdentifier(FColumns[FKeyFields.front()]);
    // One aggregate per statement: SQLite reads MIN or MAX alone from the index, both
    // together from every row.
    QSqlQuery low = ExecQuery(Conn(), "SELECT MIN(" + key + ") FROM " + From(), {});
    QSqlQuery high = ExecQuery(Conn(), "SELECT MAX(" + key + ") FROM " + From(), {});
    if (!low.next() || !high.next() || low.value(0).isNull())
        return -1;
    FKeyLow = low.value(0).toLongLong();
    FKeyHigh = high.value(0).toLongLong();
    const double span = static_cast<double>(FKeyHigh) - static_cast<double>(FKeyLow) + 1;
    if (span <= static_cast<double>(CountLimit()))
        return -1;
    // The density of keys: a run of records read at each of a few places in the span.
    constexpr int kSamples = 8;
    constexpr int kRun = 64;
    double density = 0;
    int samples = 0;
    for (int i = 0; i < kSamples; ++i) {
        const int64_t from = FKeyLow + static_cast<int64_t>(span * i / kSamples);
        QSqlQuery run = ExecQuery(Conn(),
                                  "SELECT COUNT(*), MIN(k), MAX(k) FROM (SELECT " + key +
                                      " AS k FROM " + From() + " WHERE " + key + " >= ? ORDER BY " +
                                      key + " LIMIT " + IntToStr(kRun) + ") AS q",
                                  {QVariant(static_cast<qlonglong>(from))});
        if (!run.next() || run.value(0).toLongLong() < 2)
            continue;
        const double keys = static_cast<double>(run.value(2).toLongLong()) -
                            static_cast<double>(run.value(1).toLongLong()) + 1;
        density += static_cast<double>(run.value(0).toLongLong()) / keys;
        ++samples;
    }
    if (samples == 0)
        return -1;
    const double estimate = span * density / samples;
    return estimate > static_cast<double>(CountLimit()) ? static_cast<int64_t>(estimate) : -1;
}

void TSqlTable::ReadEstimatedPage(int64_t aFirst, int64_t aEstimatedCount, int32_t aCount,
                                  std::vector<TRecordValues>& aRows) {
    const double share = static_cast<double>(aFirst) / static_cast<double>(aEstimatedCount - 1);
    const double span = static_cast<double>(FKeyHigh) - static_cast<double>(FKeyLow);
    const int64_t key = FKeyLow + static_cast<int64_t>(share * span + 0.5);
    QSqlQuery query =
        ExecQuery(Conn(),
                  "SELECT " + ColumnList() + " FROM " + From() + " WHERE " + KeyCondition(">=") +
                      " ORDER BY " + KeyList("") + " LIMIT " + IntToStr(aCount),
                  {QVariant(static_cast<qlonglong>(std::min(key, FKeyHigh)))});
    FetchRows(query, FFieldTypes, aRows, FRawFields);
}

int64_t TSqlTable::PositionOf(const TRecordValues& aRecord) {
    if (FKeyFields.empty() || aRecord.empty() || HasNullKey(FKeyFields, aRecord))
        return 0;
    QSqlQuery query =
        ExecQuery(Conn(), "SELECT COUNT(*) FROM " + From() + " WHERE " + KeyCondition("<"),
                  KeyParams(aRecord));
    if (!query.next())
        RaiseSqlError(Name() + ": locating the record failed", query);
    return query.value(0).toLongLong();
}

String TSqlTable::RecordKeyText(const TRecordValues& aValues) const {
    String text;
    for (int32_t field : FKeyFields) {
        if (static_cast<std::size_t>(field) >= aValues.size())
            return {};
        const Variant& value = aValues[field];
        text += (text.empty() ? "" : ", ") + FColumns[field] + " = " +
                (value.IsNull() ? String("Null") : value.AsString());
    }
    return text;
}

int64_t TSqlTable::InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) {
    InvalidateCache();
    if (FKeyFields.empty() || aCurrent.empty())
        return aIndex;
    return PositionOf(aCurrent);
}

// ---- writing ---------------------------------------------------------------------

namespace {

String WhereKey(const std::vector<int32_t>& aKeys, const std::vector<String>& aColumns) {
    String where;
    for (int32_t field : aKeys)
        where += (where.empty() ? "" : " AND ") + TSqlConnection::QuoteIdentifier(aColumns[field]) +
                 " = ?";
    return where;
}

} // namespace

int64_t TSqlTable::InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues,
                                bool aInserting, int64_t aIndex) {
    if (!CanModify())
        DatabaseError(CannotModifyReason());
    const TSqlDriver driver = Conn().Driver();
    std::vector<QVariant> params;
    String sql;
    if (aInserting) {
        String columns;
        String marks;
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            if (aValues[i].IsNull())
                continue; // the column's default (or the assigned key) applies
            columns += (columns.empty() ? "" : ", ") + TSqlConnection::QuoteIdentifier(FColumns[i]);
            marks += marks.empty() ? "?" : ", ?";
            params.push_back(ToSqlValue(aValues[i], FFieldTypes[i], driver, Variant(), FZoned[i]));
        }
        sql = columns.empty()
                  ? "INSERT INTO " + Table() + " DEFAULT VALUES"
                  : "INSERT INTO " + Table() + " (" + columns + ") VALUES (" + marks + ")";
    } else {
        String assignments;
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            if (aValues[i] == aOldValues[i])
                continue;
            assignments += (assignments.empty() ? "" : ", ") +
                           TSqlConnection::QuoteIdentifier(FColumns[i]) + " = ?";
            params.push_back(ToSqlValue(aValues[i], FFieldTypes[i], driver,
                                        Stored(aOldValues, static_cast<int32_t>(i)), FZoned[i]));
        }
        if (assignments.empty())
            return aIndex;
        sql =
            "UPDATE " + From() + " SET " + assignments + " WHERE " + WhereKey(FKeyFields, FColumns);
        for (const QVariant& key : KeyParams(aOldValues))
            params.push_back(key);
        if (!Version(aOldValues).IsEmpty()) {
            sql += " AND xmin::text = ?";
            params.push_back(RawToSql(Version(aOldValues), ftString));
        }
    }
    sql += " RETURNING " + ColumnList();
    // SQLite outside the host's transaction: the write is committed on its own, so
    // that a commit a reader's lock holds up is refused rather than lost unseen
    // after the record was read back.
    const bool ownTransaction = driver == sdSQLite && !Conn().InTransaction();
    const String refused = String(aInserting ? "Insert" : "Update") + " refused: ";
    std::vector<TRecordValues> rows;
    std::optional<QSqlQuery> query;
    try {
        if (ownTransaction)
            ExecQuery(Conn(), "BEGIN IMMEDIATE", {});
        query = ExecQuery(Conn(), sql, params);
    } catch (const EDatabaseError& error) {
        if (ownTransaction)
            RollbackOwnTransaction();
        DatabaseError(refused + error.Message());
    }
    bool readBack = true;
    try {
        FetchRows(*query, FFieldTypes, rows, FRawFields);
    } catch (const Exception&) {
        rows.clear();
        readBack = false;
    }
    query.reset();
    if (ownTransaction && readBack && rows.empty()) {
        RollbackOwnTransaction();
    } else if (ownTransaction) {
        try {
            ExecQuery(Conn(), "COMMIT", {});
        } catch (const EDatabaseError& error) {
            RollbackOwnTransaction();
            DatabaseError(refused + error.Message());
        }
    }
    // From here the write has happened: nothing may report it as refused, which
    // would leave the record in edit state to be written twice.
    InvalidateCache();
    if (!readBack)
        return aIndex;
    if (rows.empty() && !Version(aOldValues).IsEmpty() && Exists(aOldValues))
        DatabaseError("Update refused: the record was changed by another user since it was read "
                      "from table '" +
                      FTableName + "'; read it again to see their changes");
    if (rows.empty())
        DatabaseError("Update refused: the record is no longer in table '" + FTableName +
                      "' (deleted or its key changed by another user)");
    aValues = std::move(rows.front());
    // The record is written: failing to find its new place must not report the post
    // as refused, which would leave it in edit state to be written twice.
    try {
        return PositionOf(aValues);
    } catch (const Exception&) {
        return aIndex;
    }
}

void TSqlTable::RollbackOwnTransaction() {
    try {
        ExecQuery(Conn(), "ROLLBACK", {});
    } catch (const EDatabaseError&) {
        // Nothing to undo when the transaction never started.
    }
}

bool TSqlTable::Exists(const TRecordValues& aRecord) {
    QSqlQuery query =
        ExecQuery(Conn(), "SELECT 1 FROM " + From() + " WHERE " + WhereKey(FKeyFields, FColumns),
                  KeyParams(aRecord));
    return query.next();
}

void TSqlTable::InternalDelete(int64_t aIndex, const TRecordValues& aValues) {
    if (!CanModify())
        DatabaseError(CannotModifyReason());
    const String sql = "DELETE FROM " + From() + " WHERE " + WhereKey(FKeyFields, FColumns);
    int64_t deleted = 0;
    // The record after it takes its place: by its exact place when it was estimated.
    if (PositionsEstimated())
        ShiftPositions(PositionOf(aValues) - aIndex);
    try {
        QSqlQuery query = ExecQuery(Conn(), sql, KeyParams(aValues));
        deleted = query.numRowsAffected();
    } catch (const EDatabaseError& error) {
        DatabaseError("Delete refused: " + error.Message());
    }
    InvalidateCache();
    if (deleted == 0)
        DatabaseError("Delete refused: the record is no longer in table '" + FTableName + "'");
}

} // namespace fw
