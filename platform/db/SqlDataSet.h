// SPDX-License-Identifier: MIT
#pragma once
// TCustomSqlDataSet: the common part of the SQL data sets (TSqlTable, TSqlQuery).
//
// Records are read on demand, a page at a time, and only a bounded number of pages
// is kept: opening shows the first record without reading the rest, and scrolling
// through any number of records keeps memory bounded. RecordCount asks the
// database once and remembers the answer until the records change.
//
// The data set does not own its connection; a connection that closes closes its
// data sets, and one that is destroyed lets go of them. Open raises EDatabaseError
// without a connection.

#include "platform/db/DataSet.h"

#include <memory>

namespace fw {

class TSqlConnection;

class TCustomSqlDataSet : public TDataSet {
    FW_CLASS(TCustomSqlDataSet, TDataSet)
public:
    ~TCustomSqlDataSet() override;

    TSqlConnection* Connection() const { return FConnection; }
    // Raises EDatabaseError while the data set is open.
    void SetConnection(TSqlConnection* aConnection);

    // Records read per page and pages kept; for tuning and tests.
    static constexpr int32_t PageSize = 256;
    static constexpr int32_t MaxCachedPages = 16;
    // Pages held now (never more than MaxCachedPages).
    int32_t CachedPageCount() const;

protected:
    TCustomSqlDataSet();

    // The statement that reads the records, in their order, without a row limit,
    // and its positional parameters.
    virtual String SelectSql() const = 0;
    virtual std::vector<Variant> SelectParams() const { return {}; }
    // The select list the default ReadPage reads SelectSql's rows (named q) with.
    virtual String PageColumns() const { return "*"; }
    // Counts the records; the default counts the rows of SelectSql.
    virtual String CountSql() const;
    // Reads one page. The default wraps SelectSql with LIMIT and OFFSET;
    // aPreviousLast and aNextFirst are the records just before and just after the
    // page when they are known, for descendants that can seek by key instead.
    virtual bool ReadPage(int64_t aFirst, int32_t aCount, const TRecordValues* aPreviousLast,
                          const TRecordValues* aNextFirst, std::vector<TRecordValues>& aRows);
    // Runs aSql with aParams and appends each row, converted by the field types.
    void ReadRows(const String& aSql, const std::vector<Variant>& aParams,
                  std::vector<TRecordValues>& aRows);
    int64_t QueryCount(const String& aSql, const std::vector<Variant>& aParams);
    // Drops every page and the remembered count.
    void InvalidateCache();
    // The record count when it is known, -1 otherwise.
    int64_t KnownRecordCount() const { return FRecordCount; }
    void CheckConnection() const;
    TSqlConnection& Conn() const;

    void InternalOpen() override;
    void InternalClose() override;
    bool InternalFetch(int64_t aIndex, TRecordValues& aValues) override;
    int64_t InternalRecordCount() override;
    int64_t InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) override;

    std::vector<TFieldType> FFieldTypes;

private:
    friend class TSqlConnection;

    TSqlConnection* FConnection = nullptr;
    struct TPageCache;
    // After a rollback: reads the records again (one being edited keeps its edit;
    // only what was read is dropped).
    void Reread();
    std::unique_ptr<TPageCache> FCache;
    int64_t FRecordCount = -1;
};

} // namespace fw
