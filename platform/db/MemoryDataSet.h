// SPDX-License-Identifier: MIT
#pragma once
// TMemoryDataSet: a data set whose records live in memory, with its fields
// declared in code. For hosts without a database and for tests.
//
//   TMemoryDataSet people;
//   people.FieldDefs().Add("Name", ftString, 40, true);
//   people.FieldDefs().Add("Born", ftDate);
//   people.Open();
//   people.Append(); people.FieldByName("Name").SetAsString("Ada"); people.Post();
//
// Field definitions can change only while the data set is closed. The records
// survive Close and a later Open, each value staying with its field's name; EmptyDataSet removes
// them. Insert puts the new record before the current one, Append after the last; an empty
// ftAutoInc field gets one more than the highest value so far. The data set is editable unless
// ReadOnly is set.

#include "platform/db/DataSet.h"

namespace fw {

class TMemoryDataSet : public TDataSet {
    FW_CLASS(TMemoryDataSet, TDataSet)
public:
    TMemoryDataSet();
    ~TMemoryDataSet() override;

    // Raises EDatabaseError when changed while the data set is open.
    TFieldDefs& FieldDefs();
    const TFieldDefs& FieldDefs() const { return FFieldDefs; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aValue) { FReadOnly = aValue; }
    bool CanModify() const override { return !FReadOnly; }
    // Removes every record, a record being edited or inserted included (it is not
    // posted); the data set stays open or closed as it was.
    void EmptyDataSet();

protected:
    void InternalInitFieldDefs(TFieldDefs& aDefs) override;
    void InternalOpen() override {}
    void InternalClose() override {}
    bool InternalFetch(int64_t aIndex, TRecordValues& aValues) override;
    int64_t InternalRecordCount() override;
    int64_t InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues, bool aInserting,
                         int64_t aIndex) override;
    void InternalDelete(int64_t aIndex, const TRecordValues& aValues) override;
    int64_t InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) override;

private:
    TFieldDefs FFieldDefs;
    TFieldDefs FRecordLayout; // the definitions the kept records were laid out by
    std::vector<TRecordValues> FRecords;
    bool FReadOnly = false;

    void AssignAutoIncrements(TRecordValues& aValues);
};

} // namespace fw
