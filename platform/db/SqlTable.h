// SPDX-License-Identifier: MIT
#pragma once
// TSqlTable: the records of one database table, in primary-key order.
//
// Open reads the table's columns from the database catalogue and maps their
// declared types to field types (see SqlTypeMap.h). The table is editable when it
// has a primary key (and ReadOnly is off). Post writes only the changed columns,
// with bound parameters, keyed by the primary key values the record had when it was
// read, bound exactly as they were stored; identifiers are quoted. Key columns the
// database does not assign (all but SQLite's row id and PostgreSQL's serial and
// identity columns) must be given. On PostgreSQL the table's own rows are read and
// written, not those of tables that inherit from it. Values the database assigns (auto-increment
// keys, defaults) are read back into the record. When the database refuses the write, or the record
// is no longer there, Post raises EDatabaseError with the reason and the data set stays in edit or
// insert state with the values given.
//
// Two users editing one record: on PostgreSQL a post is refused when the row was
// changed by anyone since it was read (its row version, xmin, differs), so no change
// of another user is overwritten unseen; re-reading shows theirs. SQLite writes the
// changed columns only: the last post wins for each column it changes.
// A table keyed by one integer column (in SQLite the row id) whose estimated size is over
// CountLimit is not counted; see SqlDataSet.h for what RecordCount and RecNo mean then.

#include "platform/db/SqlDataSet.h"

class QVariant;

namespace fw {

class TSqlTable : public TCustomSqlDataSet {
    FW_CLASS(TSqlTable, TCustomSqlDataSet)
public:
    TSqlTable();
    ~TSqlTable() override;

    const String& TableName() const { return FTableName; }
    // Raises EDatabaseError while the data set is open.
    void SetTableName(const String& aName);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aValue) { FReadOnly = aValue; }
    bool CanModify() const override;
    String CannotModifyReason() const override;
    // Positions of the primary key columns in the field list, in key order.
    const std::vector<int32_t>& KeyFieldIndexes() const { return FKeyFields; }

protected:
    String SelectSql() const override;
    String CountSql() const override;
    bool PagesByCursor() const override;
    bool ReadPage(int64_t aFirst, int32_t aCount, const TRecordValues* aPreviousLast,
                  const TRecordValues* aNextFirst, std::vector<TRecordValues>& aRows) override;
    void InternalInitFieldDefs(TFieldDefs& aDefs) override;
    int64_t InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues, bool aInserting,
                         int64_t aIndex) override;
    void InternalDelete(int64_t aIndex, const TRecordValues& aValues) override;
    int64_t InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) override;
    // With a single integer key (SQLite: the row id): the key span from the lowest and
    // highest key, times the density of keys sampled at a few places in it.
    int64_t EstimateCount() override;
    // Seeks the key that many records after the lowest one would have if the keys
    // were spread evenly over the span.
    void ReadEstimatedPage(int64_t aFirst, int64_t aEstimatedCount, int32_t aCount,
                           std::vector<TRecordValues>& aRows) override;
    // The primary key: "Id = 17", "a = 1, b = 'x'".
    String RecordKeyText(const TRecordValues& aValues) const override;

private:
    String FTableName;
    bool FReadOnly = false;
    std::vector<String> FColumns;
    std::vector<int32_t> FKeyFields;
    // Per column: PostgreSQL timestamp with time zone.
    std::vector<bool> FZoned;
    // Fields whose stored form each record keeps after its field values, in order.
    std::vector<int32_t> FRawFields;
    // PostgreSQL tables: each record keeps its row version, read as one more column.
    bool FVersioned = false;
    // The database took no writes when the table was opened.
    bool FDatabaseReadOnly = false;
    // The lowest and highest key when the count is estimated.
    int64_t FKeyLow = 0;
    int64_t FKeyHigh = 0;

    bool HasIntegerKey() const;

    String Table() const;
    // The table in a FROM, UPDATE or DELETE.
    String From() const;
    // aField's value in aRecord as stored; empty when not kept.
    const Variant& Stored(const TRecordValues& aRecord, int32_t aField) const;
    std::vector<QVariant> KeyParams(const TRecordValues& aRecord) const;
    bool HasSqlitePrimaryKeyIndex();
    String ColumnList() const;
    String KeyList(const char* aDirection) const;
    // The row version aRecord was read with; empty when not kept.
    const Variant& Version(const TRecordValues& aRecord) const;
    bool Exists(const TRecordValues& aRecord);
    void RollbackOwnTransaction();
    bool HasRowVersion();
    // ("k1", "k2") < (?, ?): the key compared with as many parameters.
    String KeyCondition(const char* aOperator) const;
    int64_t PositionOf(const TRecordValues& aRecord);
    void ReadSqliteColumns(TFieldDefs& aDefs);
    void ReadPostgresColumns(TFieldDefs& aDefs);
};

} // namespace fw
