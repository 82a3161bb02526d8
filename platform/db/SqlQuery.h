// SPDX-License-Identifier: MIT
#pragma once
// TSqlQuery: the records of an SQL query, read-only.
//
// The query text takes positional parameters ("?"), bound from Params in order;
// they are bound by the driver, except on PostgreSQL, where the cursor's
// declaration (which takes no parameters) gets them as literals quoted by the
// driver, as the driver itself passes the values of its prepared statements. A
// statement that is not a query is
// refused at Open before it runs. Column types come from the declared type of the
// source column (SQLite, followed through aliases), otherwise from the types the
// driver reports. Records are read a page at a time like every SQL data set: on
// PostgreSQL from a cursor over the query's result, on SQLite by running the query
// again for each page. A trailing "--" comment in the text is allowed.

#include "platform/db/SqlDataSet.h"

class QSqlRecord;

namespace fw {

class TSqlQuery : public TCustomSqlDataSet {
    FW_CLASS(TSqlQuery, TCustomSqlDataSet)
public:
    TSqlQuery();
    ~TSqlQuery() override;

    const String& SQL() const { return FSQL; }
    // Raises EDatabaseError while the data set is open.
    void SetSQL(const String& aSql);
    const std::vector<Variant>& Params() const { return FParams; }
    // Raises EDatabaseError while the data set is open.
    void SetParams(std::vector<Variant> aParams);
    bool CanModify() const override { return false; }

protected:
    String SelectSql() const override { return FSQL; }
    std::vector<Variant> SelectParams() const override { return FParams; }
    String PageColumns() const override { return FPageColumns; }
    bool PagesByCursor() const override;
    void InternalInitFieldDefs(TFieldDefs& aDefs) override;
    int64_t InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues, bool aInserting,
                         int64_t aIndex) override;
    void InternalDelete(int64_t aIndex, const TRecordValues& aValues) override;

private:
    String FSQL;
    std::vector<Variant> FParams;
    String FPageColumns = "*";

    String PostgresPageColumns(const QSqlRecord& aRecord) const;
};

} // namespace fw
