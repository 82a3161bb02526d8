// SPDX-License-Identifier: MIT
#include "quire/box/PropDataLink.h"

#include "quire/box/Quire.h"

#include "platform/db/DataSet.h"
#include "platform/rtl/Exceptions.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropDataLink)

void TPropDataLink::ActiveChanged() {
    ++FMoves;
    fw::TDataLink::ActiveChanged();
    if (FBox != nullptr) {
        FBox->DropChoice();
    }
    if (Active()) {
        RecordChanged(nullptr);
    } else if (FBox != nullptr) {
        FBox->ClearList();
    }
}

void TPropDataLink::RecordChanged(fw::TField* aField) {
    fw::TDataLink::RecordChanged(aField);
    if (FOnDataChange) {
        FOnDataChange(this);
    }
}

void TPropDataLink::DataSetScrolled(int32_t aDistance) {
    ++FMoves;
    fw::TDataLink::DataSetScrolled(aDistance);
}

void TPropDataLink::LayoutChanged() {
    ++FMoves;
    fw::TDataLink::LayoutChanged();
}

TRecordMark TPropDataLink::Mark() const {
    fw::TDataSet* dataSet = DataSet();
    if (!Active() || dataSet == nullptr || !dataSet->Active()) {
        return {};
    }
    TRecordMark mark{dataSet, FMoves, dataSet->State() == fw::dsInsert, dataSet->RecNo(), -1};
    try {
        mark.Count = dataSet->RecordCount();
    } catch (const fw::Exception&) {
        // A count the database cannot give (the connection lost) leaves the record
        // unknown: it counts as another one.
    }
    return mark;
}

bool TPropDataLink::SameRecord(const TRecordMark& aMark) const {
    const TRecordMark now = Mark();
    if (aMark.DataSet == nullptr || now.DataSet != aMark.DataSet || now.Moves != aMark.Moves ||
        aMark.Count < 0 || now.Count < 0) {
        return false;
    }
    if (aMark.Inserting && !now.Inserting) {
        // Posted: the new record is where the store put it, one more in the set.
        return now.Count == aMark.Count + 1;
    }
    return now.Inserting == aMark.Inserting && now.RecNo == aMark.RecNo && now.Count == aMark.Count;
}

} // namespace quire
