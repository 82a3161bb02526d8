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

// The statement with each "?" outside quotes and comments replaced by the next
// value, as the driver quotes it.
String SpliceParams(const String& aSql, const std::vector<QVariant>& aParams,
                    const QSqlDriver& aDriver) {
    String result;
    std::size_t next = 0;
    for (std::size_t i = 0; i < aSql.size(); ++i) {
        const char c = aSql[i];
        std::size_t end = i + 1;
        if (c == '\'' || c == '"') {
            end = aSql.find(c, i + 1);
            end = end == String::npos ? aSql.size() : end + 1;
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

} // namespace

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

void TCustomSqlDataSet::Reread() {
    if (!Active())
        return;
    if (State() == dsBrowse)
        Refresh();
    else
        InvalidateCache();
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
        ReadPage(pageNo * PageSize, PageSize, previousLast, nextFirst, rows);
        if (rows.size() < PageSize && (!rows.empty() || pageNo == 0))
            FRecordCount = pageNo * PageSize + static_cast<int64_t>(rows.size());
        page = &FCache->Store(pageNo, std::move(rows));
    }
    if (offset >= page->Rows.size())
        return false;
    aValues = page->Rows[offset];
    return true;
}

int64_t TCustomSqlDataSet::InternalRecordCount() {
    if (FRecordCount < 0)
        FRecordCount =
            PagesByCursor() ? CursorRecordCount() : QueryCount(CountSql(), SelectParams());
    return FRecordCount;
}

int64_t TCustomSqlDataSet::InternalRefresh(const TRecordValues&, int64_t aIndex) {
    InvalidateCache();
    return aIndex;
}

} // namespace fw
