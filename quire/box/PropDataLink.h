#pragma once
// TPropDataLink: the box's binding to its data source. Opening the data set and
// every change of the current record call FOnDataChange (the box's DataChange);
// closing the data set or detaching the source clears the box's rows.

#include "platform/db/DataLink.h"

namespace quire {

class TQuire;

class TPropDataLink : public fw::TDataLink {
    FW_CLASS(TPropDataLink, fw::TDataLink)
public:
    TPropDataLink() = default;

    // The box; not owned.
    TQuire* FBox = nullptr;
    fw::TNotifyEvent FOnDataChange;

protected:
    void ActiveChanged() override;
    // The changed field is not passed on: every notification rebuilds all rows.
    void RecordChanged(fw::TField* aField) override;
};

} // namespace quire
