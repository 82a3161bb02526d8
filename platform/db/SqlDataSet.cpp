// SPDX-License-Identifier: MIT
#include "platform/db/SqlDataSet.h"

#include "platform/db/internal/SqlImpl.h"

#include "platform/rtl/SysUtils.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlField>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>
#include <utility>

namespace fw {

FW_IMPLEMENT_ABSTRACT_CLASS(TCustomSqlDataSet)

struct TCustomSqlDataSet::TPageCache {
    struct TPage {
        std::vector<TRecordValues> Rows;
        uint64_t LastUse = 0;
    };
    std::map<int64_t, TPage> Pages;
    uint64_t Clock = 0;

    const TPage* Find(int64_t aPage) {
        auto it = Pages.find(aPage);
        if (it == Pages.end())
            return nullptr;
        it->second.LastUse = ++Clock;
        return &it->second;
    }

    const TPage& Store(int64_t aPage, std::vector<TRecordValues> aRows) {
        while (Pages.size() >= static_cast<std::size_t>(MaxCachedPages)) {
            auto oldest = std::min_element(Pages.begin(), Pages.end(), [](auto& a, auto& b) {
                return a.second.LastUse < b.second.LastUse;
            });
            Pages.erase(oldest);
        }
        TPage& page = Pages[aPage];
        page.Rows = std::move(aRows);
        page.LastUse = ++Clock;
        return page;
    }
};

namespace {

String NewCursorName() {
    static std::atomic<int> counter{0};
    return "quire_cursor_" + IntToStr(++counter);
}

bool IsWordChar(char aChar) {
    return std::isalnum(static_cast<unsigned char>(aChar)) != 0 || aChar == '_' ||
           static_cast<unsigned char>(aChar) >= 0x80;
}

// The end of a dollar-quoted string ($$...$$ or $tag$...$tag$) starting at aStart,
// or npos when no such string starts there ($1 is a parameter, not a quote).
std::size_t DollarQuoteEnd(const String& aSql, std::size_t aStart) {
    if ((aStart > 0 && IsWordChar(aSql[aStart - 1])) ||
        (aStart + 1 < aSql.size() && std::isdigit(static_cast<unsigned char>(aSql[aStart + 1]))))
        return String::npos;
    std::size_t close = aStart + 1;
    while (close < aSql.size() && IsWordChar(aSql[close]))
        ++close;
    if (close >= aSql.size() || aSql[close] != '$')
        return String::npos;
    const String tag = aSql.substr(aStart, close - aStart + 1);
    const std::size_t end = aSql.find(tag, close + 1);
    return end == String::npos ? aSql.size() : end + tag.size();
}

// The end of a quoted string or identifier starting at aStart; in an E'' string a
// backslash escapes the character after it.
std::size_t QuotedEnd(const String& aSql, std::size_t aStart) {
    const char quote = aSql[aStart];
    const bool escapes = quote == '\'' && aStart > 0 &&
                         (aSql[aStart - 1] == 'E' || aSql[aStart - 1] == 'e') &&
                         (aStart < 2 || !IsWordChar(aSql[aStart - 2]));
    for (std::size_t i = aStart + 1; i < aSql.size(); ++i) {
        if (escapes && aSql[i] == '\\')
            ++i;
        else if (aSql[i] == quote)
            return i + 1;
    }
    return aSql.size();
}

} // namespace

String SpliceParams(const String& aSql, const std::vector<QVariant>& aParams,
                    const QSqlDriver& aDriver) {
    String result;
    std::size_t next = 0;
    for (std::size_t i = 0; i < aSql.size(); ++i) {
        const char c = aSql[i];
        std::size_t end = i + 1;
        const std::size_t dollarQuoteEnd = c == '$' ? DollarQuoteEnd(aSql, i) : String::npos;
        if (c == '\'' || c == '"') {
            end = QuotedEnd(aSql, i);
        } else if (dollarQuoteEnd != String::npos) {
            end = dollarQuoteEnd;
        } else if (aSql.compare(i, 2, "--") == 0) {
            end = aSql.find('\n', i);
            end = end == String::npos ? aSql.size() : end;
        } else if (aSql.compare(i, 2, "/*") == 0) {
            end = aSql.find("*/", i + 2);
            end = end == String::npos ? aSql.size() : end + 2;
        } else if (c == '?' && next < aParams.size()) {
            QSqlField field(QString(), aParams[next].metaType());
            field.setValue(aParams[next++]);
            result += FromQString(aDriver.formatValue(field));
            continue;
        }
        result += aSql.substr(i, end - i);
        i = end - 1;
    }
    return result;
}

TCustomSqlDataSet::TCustomSqlDataSet()
    : FCache(std::make_unique<TPageCache>()), FCursorName(NewCursorName()) {}

TCustomSqlDataSet::~TCustomSqlDataSet() {
    SetConnection(nullptr);
}

void TCustomSqlDataSet::SetConnection(TSqlConnection* aConnection) {
    if (aConnection == FConnection)
        return;
    if (aConnection)
        CheckInactive();
    else
        Close();
    if (FConnection)
        std::erase(FConnection->FDataSets, this);
    FConnection = aConnection;
    if (FConnection)
        FConnection->FDataSets.push_back(this);
}

int32_t TCustomSqlDataSet::CachedPageCount() const {
    return static_cast<int32_t>(FCache->Pages.size());
}

void TCustomSqlDataSet::CheckConnection() const {
    if (!FConnection)
        DatabaseError("No connection given");
    if (!FConnection->Connected())
        DatabaseError("The connection to '" + FConnection->DatabaseName() + "' is not open");
}

TSqlConnection& TCustomSqlDataSet::Conn() const {
    CheckConnection();
    return *FConnection;
}

// The statement text ends on a line of its own in every statement wrapped around
// it, so that a trailing "--" comment ends there.
String TCustomSqlDataSet::CountSql() const {
    return "SELECT COUNT(*) FROM (" + SelectSql() + "\n) AS q";
}

void TCustomSqlDataSet::InvalidateCache() {
    FCache->Pages.clear();
    FRecordCount = -1;
    // Read anew: the next page declares the cursor again.
    FCursorCurrent = false;
    FEstimated = false;
    FEstimate = -2;
}

void TCustomSqlDataSet::OpenCursor() {
    TSqlConnection& connection = Conn();
    // A new session for a lost one first, so that a cursor gone with it is known.
    connection.ResumeSession();
    if (FCursorDeclared && FCursorCurrent && FCursorSession == connection.SessionNumber())
        return;
    CloseCursor();
    const String select = PageColumns() == "*"
                              ? SelectSql()
                              : "SELECT " + PageColumns() + " FROM (" + SelectSql() + "\n) AS q";
    const String sql =
        SpliceParams(select, ToSqlParams(SelectParams()), *DatabaseOf(connection).driver());
    ExecQuery(connection, "DECLARE " + FCursorName + " SCROLL CURSOR WITH HOLD FOR " + sql + "\n",
              {});
    FCursorDeclared = true;
    FCursorCurrent = true;
    FCursorSession = connection.SessionNumber();
}

void TCustomSqlDataSet::CloseCursor() {
    if (!std::exchange(FCursorDeclared, false))
        return;
    // Gone with a lost or closed session; a rollback may have closed it too.
    if (!FConnection || !DatabaseOf(*FConnection).isOpen() ||
        FCursorSession != FConnection->SessionNumber())
        return;
    try {
        QSqlQuery open = ExecQuery(*FConnection, "SELECT 1 FROM pg_cursors WHERE name = ?",
                                   {ToQString(FCursorName)});
        if (open.next())
            ExecQuery(*FConnection, "CLOSE " + FCursorName, {});
    } catch (const EDatabaseError&) {
        // Closing is tidying up: the session ending closes it anyway.
    }
}

void TCustomSqlDataSet::ReadCursorPage(int64_t aFirst, int32_t aCount,
                                       std::vector<TRecordValues>& aRows) {
    OpenCursor();
    ExecQuery(Conn(), "MOVE ABSOLUTE " + IntToStr(aFirst) + " IN " + FCursorName, {});
    ReadRows("FETCH FORWARD " + IntToStr(aCount) + " FROM " + FCursorName, {}, aRows);
}

int64_t TCustomSqlDataSet::CursorRecordCount() {
    OpenCursor();
    ExecQuery(Conn(), "MOVE ABSOLUTE 0 IN " + FCursorName, {});
    return ExecQuery(Conn(), "MOVE FORWARD ALL IN " + FCursorName, {}).numRowsAffected();
}

int64_t TCustomSqlDataSet::Estimate() {
    if (FEstimate == -2) {
        FEstimate = EstimateCount();
        // Two pages at least, so that the first page is never taken for the last.
        if (FEstimate < 2 * PageSize)
            FEstimate = -1;
    }
    return FEstimate;
}

void TCustomSqlDataSet::Shift(int64_t aDelta) {
    if (aDelta % PageSize == 0) {
        std::map<int64_t, TPageCache::TPage> moved;
        for (auto& [pageNo, page] : FCache->Pages)
            moved.emplace(pageNo + aDelta / PageSize, std::move(page));
        FCache->Pages = std::move(moved);
    } else {
        FCache->Pages.clear();
    }
    if (FRecordCount >= 0)
        FRecordCount += aDelta;
    FShiftTotal += aDelta;
    ShiftPositions(aDelta);
}

void TCustomSqlDataSet::Reread() {
    if (!Active())
        return;
    if (State() == dsBrowse)
        Refresh();
    else
        InvalidateCache();
}

namespace {

const char* const RecordsSavepoint = "quire_records";

} // namespace

bool TCustomSqlDataSet::StartRecordsWrite() {
    TSqlConnection& connection = Conn();
    FRecordsInSavepoint = connection.InTransaction();
    if (FRecordsInSavepoint)
        connection.ExecSQL(String("SAVEPOINT ") + RecordsSavepoint);
    else
        connection.StartTransaction();
    return true;
}

void TCustomSqlDataSet::EndRecordsWrite(bool aKeep) {
    TSqlConnection& connection = Conn();
    if (FRecordsInSavepoint) {
        if (!aKeep) {
            connection.ExecSQL(String("ROLLBACK TO SAVEPOINT ") + RecordsSavepoint);
            InvalidateCache();
        }
        connection.ExecSQL(String("RELEASE SAVEPOINT ") + RecordsSavepoint);
    } else if (aKeep) {
        connection.Commit();
    } else if (connection.InTransaction()) {
        connection.Rollback();
    }
}

void TCustomSqlDataSet::InternalOpen() {
    CheckConnection();
    InvalidateCache();
}

void TCustomSqlDataSet::InternalClose() {
    CloseCursor();
    InvalidateCache();
}

void TCustomSqlDataSet::ReadRows(const String& aSql, const std::vector<Variant>& aParams,
                                 std::vector<TRecordValues>& aRows) {
    QSqlQuery query = ExecQuery(Conn(), aSql, ToSqlParams(aParams));
    FetchRows(query, FFieldTypes, aRows);
}

int64_t TCustomSqlDataSet::QueryCount(const String& aSql, const std::vector<Variant>& aParams) {
    QSqlQuery query = ExecQuery(Conn(), aSql, ToSqlParams(aParams));
    if (!query.next())
        RaiseSqlError(Name() + ": counting records failed", query);
    return query.value(0).toLongLong();
}

bool TCustomSqlDataSet::ReadPage(int64_t aFirst, int32_t aCount, const TRecordValues*,
                                 const TRecordValues*, std::vector<TRecordValues>& aRows) {
    if (PagesByCursor()) {
        ReadCursorPage(aFirst, aCount, aRows);
        return true;
    }
    ReadRows("SELECT " + PageColumns() + " FROM (" + SelectSql() + "\n) AS q LIMIT " +
                 IntToStr(aCount) + " OFFSET " + IntToStr(aFirst),
             SelectParams(), aRows);
    return true;
}

bool TCustomSqlDataSet::InternalFetch(int64_t aIndex, TRecordValues& aValues) {
    if (aIndex < 0 || (FRecordCount >= 0 && aIndex >= FRecordCount))
        return false;
    const int64_t pageNo = aIndex / PageSize;
    const std::size_t offset = static_cast<std::size_t>(aIndex % PageSize);
    const TPageCache::TPage* page = FCache->Find(pageNo);
    if (!page) {
        const TPageCache::TPage* before = pageNo > 0 ? FCache->Find(pageNo - 1) : nullptr;
        const TPageCache::TPage* after = FCache->Find(pageNo + 1);
        const TRecordValues* previousLast =
            before && before->Rows.size() == PageSize ? &before->Rows.back() : nullptr;
        const TRecordValues* nextFirst =
            after && !after->Rows.empty() ? &after->Rows.front() : nullptr;
        std::vector<TRecordValues> rows;
        int64_t shift = 0;
        if (FEstimated && !previousLast && nextFirst)
            shift = ReadPageBefore(pageNo, *nextFirst, rows);
        else if (FEstimated && !previousLast) {
            const int64_t held = HeldPageNear(pageNo);
            if (held >= 0)
                return FetchThrough(held, pageNo, aIndex, aValues);
            shift = JumpToPage(pageNo, aIndex, rows);
        } else
            ReadPage(pageNo * PageSize, PageSize, previousLast, nextFirst, rows);
        if (shift != 0)
            return InternalFetch(aIndex + shift, aValues);
        if (rows.size() < PageSize && (!rows.empty() || pageNo == 0 || previousLast))
            FRecordCount = pageNo * PageSize + static_cast<int64_t>(rows.size());
        page = &FCache->Store(pageNo, std::move(rows));
    }
    if (offset >= page->Rows.size())
        return false;
    aValues = page->Rows[offset];
    return true;
}

int64_t TCustomSqlDataSet::HeldPageNear(int64_t aPage) const {
    constexpr int64_t kMostPagesBetween = 3;
    for (int64_t distance = 2; distance <= kMostPagesBetween + 1; ++distance) {
        if (FCache->Pages.count(aPage - distance) != 0)
            return aPage - distance;
        if (FCache->Pages.count(aPage + distance) != 0)
            return aPage + distance;
    }
    return -1;
}

bool TCustomSqlDataSet::FetchThrough(int64_t aHeld, int64_t aPage, int64_t aIndex,
                                     TRecordValues& aValues) {
    const int64_t shifted = FShiftTotal;
    const int64_t step = aHeld < aPage ? 1 : -1;
    TRecordValues passing;
    for (int64_t page = aHeld + step; page != aPage; page += step) {
        const bool found = InternalFetch(page * PageSize + (step > 0 ? 0 : PageSize - 1), passing);
        if (FShiftTotal != shifted)
            return InternalFetch(aIndex + FShiftTotal - shifted, aValues);
        if (!found)
            return false;
    }
    return InternalFetch(aIndex, aValues);
}

int64_t TCustomSqlDataSet::JumpToPage(int64_t aPage, int64_t aIndex,
                                      std::vector<TRecordValues>& aRows) {
    const int64_t first = aPage * PageSize;
    if (FRecordCount < 0 || first + PageSize < FRecordCount) {
        // Another part of the table, numbered apart from what was read before.
        FCache->Pages.clear();
        FRecordCount = -1;
        if (aPage == 0) {
            FEstimated = false;
            ReadPage(0, PageSize, nullptr, nullptr, aRows);
            return 0;
        }
        const int64_t estimate = Estimate();
        if (first + PageSize < estimate) {
            ReadEstimatedPage(first, estimate, PageSize, aRows);
            if (first + static_cast<int64_t>(aRows.size()) > aIndex)
                return 0;
            // The end is nearer than estimated: the asked record becomes the last.
            aRows.clear();
            FRecordCount = aIndex + 1;
        } else {
            FRecordCount = std::max(estimate, aIndex + 1);
        }
    }
    // The last page, read from the end.
    ReadPage(first, PageSize, nullptr, nullptr, aRows);
    const int64_t found = static_cast<int64_t>(aRows.size());
    if (found >= FRecordCount - first)
        return 0;
    // Fewer records than that in all: now they are counted.
    FEstimated = false;
    aRows.clear();
    const int64_t shift = found - FRecordCount;
    Shift(shift);
    return shift;
}

int64_t TCustomSqlDataSet::ReadPageBefore(int64_t aPage, const TRecordValues& aNextFirst,
                                          std::vector<TRecordValues>& aRows) {
    // One record more than a page tells whether the first page is the first.
    ReadPage(aPage * PageSize, PageSize + 1, nullptr, &aNextFirst, aRows);
    if (aRows.size() > PageSize) {
        aRows.erase(aRows.begin());
        if (aPage > 0)
            return 0;
        // There are records before the first position: every position moves a page on.
        Shift(PageSize);
        FCache->Store(1, std::move(aRows));
        aRows.clear();
        return PageSize;
    }
    // The first record is among these: from here the positions are exact.
    FEstimated = false;
    const int64_t shift = static_cast<int64_t>(aRows.size()) - (aPage + 1) * PageSize;
    if (shift == 0)
        return 0;
    Shift(shift);
    if (aRows.size() == PageSize)
        FCache->Store(0, std::move(aRows));
    aRows.clear();
    return shift;
}

void TCustomSqlDataSet::ReadEstimatedPage(int64_t aFirst, int64_t, int32_t aCount,
                                          std::vector<TRecordValues>& aRows) {
    ReadPage(aFirst, aCount, nullptr, nullptr, aRows);
}

int64_t TCustomSqlDataSet::InternalRecordCount() {
    if (FRecordCount >= 0)
        return FRecordCount;
    if (PagesByCursor()) {
        FRecordCount = CursorRecordCount();
        return FRecordCount;
    }
    const int64_t estimate = Estimate();
    if (estimate >= 0) {
        FEstimated = true;
        return estimate;
    }
    FRecordCount = QueryCount(CountSql(), SelectParams());
    return FRecordCount;
}

void TCustomSqlDataSet::InternalLast() {
    // Unless the end was read, no page held may be taken for the last one.
    if (FRecordCount < 0 && Estimate() >= 0)
        FCache->Pages.clear();
}

int64_t TCustomSqlDataSet::InternalRefresh(const TRecordValues&, int64_t aIndex) {
    InvalidateCache();
    return aIndex;
}

} // namespace fw
