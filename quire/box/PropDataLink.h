// SPDX-License-Identifier: MIT
#pragma once
// TPropDataLink: the box's binding to its data source. Opening the data set and
// every change of the current record call FOnDataChange (the box's DataChange);
// closing the data set or detaching the source clears the box's rows.
//
// The link also tells whether the data set is still on the record it was on
// (Mark, SameRecord): code that called out of the box (a host's handler, a modal
// wait) uses it before writing a value it kept. Any scroll, opening, closing or
// change of the fields in between counts as another record, and so does a record
// whose position or whose count of records changed (a delete, an insert); an
// inserted record that was posted is the same record. A data set that cannot count
// its records (a lost connection) is never on the same record.

#include "platform/db/DataLink.h"

#include <cstdint>

namespace quire {

class TQuire;

struct TRecordMark {
    fw::TDataSet* DataSet = nullptr;
    uint64_t Moves = 0;
    bool Inserting = false;
    int64_t RecNo = 0;
    // The number of records; -1 when the data set could not tell.
    int64_t Count = 0;
};

class TPropDataLink : public fw::TDataLink {
    FW_CLASS(TPropDataLink, fw::TDataLink)
public:
    TPropDataLink() = default;

    // The box; not owned.
    TQuire* FBox = nullptr;
    fw::TNotifyEvent FOnDataChange;

    // The current record; DataSet is nullptr while the link is inactive.
    TRecordMark Mark() const;
    // True when the data set is active on the record aMark was taken on.
    bool SameRecord(const TRecordMark& aMark) const;

protected:
    void ActiveChanged() override;
    // The changed field is not passed on: every notification rebuilds all rows.
    void RecordChanged(fw::TField* aField) override;
    void DataSetScrolled(int32_t aDistance) override;
    void LayoutChanged() override;

private:
    uint64_t FMoves = 0;
};

} // namespace quire
