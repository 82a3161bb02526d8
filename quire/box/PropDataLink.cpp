#include "quire/box/PropDataLink.h"

#include "quire/box/Quire.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropDataLink)

void TPropDataLink::ActiveChanged() {
    fw::TDataLink::ActiveChanged();
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

} // namespace quire
