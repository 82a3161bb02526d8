// SPDX-License-Identifier: MIT
#pragma once
// TCustomSqlDataSet: the common part of the SQL data sets (TSqlTable, TSqlQuery).
//
// Records are read on demand, a page at a time, and only a bounded number of pages
// is kept: opening shows the first record without reading the rest, and scrolling
// through any number of records keeps memory bounded. RecordCount asks the
// database once and remembers the answer until the records change.
//
// Records without a key to page by (a PostgreSQL query or key-less table) are read
// through a server-side cursor that holds the result as it was when first read, so
// the pages are one result in one order, whatever plan the server picks for each
// page; Refresh reads it anew. The cursor's parameters are quoted by the driver, as
// it quotes those of its own prepared statements.
// A descendant that can estimate its size without reading it (EstimateCount) is not
// counted when the estimate is over CountLimit: RecordCount is then the estimate,
// Last reads the last page from the end and a jump reads the page where the estimate
// puts it (ReadEstimatedPage). Positions are then estimates (PositionsEstimated): the
// records read next to each other are numbered one apart, and when reading backwards
// meets the first record, the positions are shifted to be exact from then on.
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

    // Above this estimated size the records are not counted (see above).
    static constexpr int64_t DefaultCountLimit = 100000;
    int64_t CountLimit() const { return FCountLimit; }
    void SetCountLimit(int64_t aValue) { FCountLimit = aValue; }
    // Whether RecordCount and RecNo are estimates now.
    bool PositionsEstimated() const { return FEstimated; }

protected:
    TCustomSqlDataSet();

    // The statement that reads the records, in their order, without a row limit,
    // and its positional parameters.
    virtual String SelectSql() const = 0;
    virtual std::vector<Variant> SelectParams() const { return {}; }
    // The select list the default ReadPage reads SelectSql's rows (named q) with.
    virtual String PageColumns() const { return "*"; }
    // True when the pages are read through a server-side cursor (see above).
    virtual bool PagesByCursor() const { return false; }
    // Counts the records; the default counts the rows of SelectSql.
    virtual String CountSql() const;
    // Reads one page. The default wraps SelectSql with LIMIT and OFFSET;
    // aPreviousLast and aNextFirst are the records just before and just after the
    // page when they are known, for descendants that can seek by key instead.
    virtual bool ReadPage(int64_t aFirst, int32_t aCount, const TRecordValues* aPreviousLast,
                          const TRecordValues* aNextFirst, std::vector<TRecordValues>& aRows);
    // The estimated record count when it is over CountLimit, read without a scan; -1
    // when the records are to be counted. Asked again after the records change.
    virtual int64_t EstimateCount() { return -1; }
    // Reads up to aCount records from about position aFirst of aEstimatedCount, found
    // by the estimate, not by skipping records; only when EstimateCount gave one.
    virtual void ReadEstimatedPage(int64_t aFirst, int64_t aEstimatedCount, int32_t aCount,
                                   std::vector<TRecordValues>& aRows);
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
    void InternalLast() override;
    // A transaction of its own, or a savepoint in the connection's open one.
    bool StartRecordsWrite() override;
    void EndRecordsWrite(bool aKeep) override;

    std::vector<TFieldType> FFieldTypes;

private:
    friend class TSqlConnection;

    TSqlConnection* FConnection = nullptr;
    struct TPageCache;
    // After a rollback: reads the records again (one being edited keeps its edit;
    // only what was read is dropped).
    void Reread();
    std::unique_ptr<TPageCache> FCache;
    // The count, or with estimated positions the position after the last record;
    // -1 when not known.
    int64_t FRecordCount = -1;
    String FCursorName;
    // The cursor was declared (in session FCursorSession of the connection) and not
    // closed since; it holds the records as they are now unless a re-read dropped it.
    bool FCursorDeclared = false;
    bool FCursorCurrent = false;
    uint64_t FCursorSession = 0;

    void OpenCursor();
    void CloseCursor();
    void ReadCursorPage(int64_t aFirst, int32_t aCount, std::vector<TRecordValues>& aRows);
    int64_t CursorRecordCount();
    int64_t FCountLimit = DefaultCountLimit;
    bool FEstimated = false;
    // EstimateCount's answer; -2 before it is asked.
    int64_t FEstimate = -2;

    // Every shift of the positions so far.
    int64_t FShiftTotal = 0;

    int64_t Estimate();
    // A page held a few pages from aPage, -1 when none: with positions estimated, a
    // short move reads the pages between (FetchThrough) and stays exact.
    int64_t HeldPageNear(int64_t aPage) const;
    bool FetchThrough(int64_t aHeld, int64_t aPage, int64_t aIndex, TRecordValues& aValues);
    // Reads page aPage when no page next to it is held and the positions are estimated.
    // Answers how far the positions moved (then aRows is empty).
    int64_t JumpToPage(int64_t aPage, int64_t aIndex, std::vector<TRecordValues>& aRows);
    // Reads the page before aNext's first record with positions estimated: moves the
    // positions when it shows that the first record is nearer or further. Answers the
    // shift.
    int64_t ReadPageBefore(int64_t aPage, const TRecordValues& aNextFirst,
                           std::vector<TRecordValues>& aRows);
    void Shift(int64_t aDelta);
    // PostRecords works in a savepoint of a transaction the host opened.
    bool FRecordsInSavepoint = false;
};

} // namespace fw
