// SPDX-License-Identifier: MIT
#include "platform/db/SqlDataSet.h"

#include "platform/db/internal/SqlImpl.h"

#include "platform/rtl/SysUtils.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <map>

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

TCustomSqlDataSet::TCustomSqlDataSet() : FCache(std::make_unique<TPageCache>()) {}

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

String TCustomSqlDataSet::CountSql() const {
    return "SELECT COUNT(*) FROM (" + SelectSql() + ") AS q";
}

void TCustomSqlDataSet::InvalidateCache() {
    FCache->Pages.clear();
    FRecordCount = -1;
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
    ReadRows("SELECT " + PageColumns() + " FROM (" + SelectSql() + ") AS q LIMIT " +
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
        FRecordCount = QueryCount(CountSql(), SelectParams());
    return FRecordCount;
}

int64_t TCustomSqlDataSet::InternalRefresh(const TRecordValues&, int64_t aIndex) {
    InvalidateCache();
    return aIndex;
}

} // namespace fw
