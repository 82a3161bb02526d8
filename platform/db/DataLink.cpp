// SPDX-License-Identifier: MIT
#include "platform/db/DataLink.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

namespace fw {

FW_IMPLEMENT_CLASS(TDataLink)

TDataLink::~TDataLink() {
    if (FDataSource) {
        // Detach quietly: a link being destroyed must not call its own overrides.
        auto& links = FDataSource->FDataLinks;
        std::erase(links, this);
        FDataSource = nullptr;
    }
}

void TDataLink::SetDataSource(TDataSource* aSource) {
    if (aSource == FDataSource)
        return;
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = aSource;
    if (FDataSource)
        FDataSource->AddDataLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool aValue) {
    if (aValue == FReadOnly)
        return;
    FReadOnly = aValue;
    UpdateState();
}

bool TDataLink::Edit() {
    if (!FReadOnly && FDataSource)
        FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord() {
    if (FUpdating)
        return;
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

void TDataLink::DataSetScrolled(int32_t aDistance) {
    (void)aDistance;
    DataSetChanged();
}

void TDataLink::UpdateState() {
    const bool linked = FDataSource && FDataSource->State() != dsInactive;
    if (!linked)
        FOutOfStep = false;
    if (FOutOfStep)
        return; // shows no record until the record changes
    try {
        SetActive(linked);
    } catch (...) {
        FallOutOfStep();
        throw;
    }
    const TDataSetState state = linked ? FDataSource->State() : dsInactive;
    SetEditing((state == dsEdit || state == dsInsert) && !FReadOnly);
}

void TDataLink::SetActive(bool aValue) {
    if (aValue == FActive)
        return;
    FActive = aValue;
    if (!aValue)
        SetEditing(false);
    ActiveChanged();
}

void TDataLink::SetEditing(bool aValue) {
    if (aValue == FEditing)
        return;
    FEditing = aValue;
    EditingChanged();
}

void TDataLink::FallOutOfStep() {
    FOutOfStep = true;
    try {
        SetActive(false);
    } catch (...) {
        // Clearing the control is all that can be done; its first error is reported.
    }
}

void TDataLink::Resume() {
    // Active again: ActiveChanged lets the control show the record.
    FOutOfStep = false;
    UpdateState();
}

void TDataLink::DataEvent(TDataEvent aEvent, intptr_t aInfo) {
    if (aEvent == deUpdateState) {
        UpdateState();
        return;
    }
    if (FOutOfStep) {
        if (aEvent == deDataSetChange || aEvent == deDataSetScroll || aEvent == deLayoutChange)
            Resume();
        return;
    }
    if (FActive)
        Dispatch(aEvent, aInfo);
}

void TDataLink::Dispatch(TDataEvent aEvent, intptr_t aInfo) {
    if (aEvent == deUpdateRecord) {
        UpdateRecord();
        return;
    }
    if (aEvent == deCheckBrowseMode) {
        CheckBrowseMode();
        return;
    }
    try {
        switch (aEvent) {
        case deFieldChange:
        case deRecordChange:
            if (!FUpdating)
                RecordChanged(reinterpret_cast<TField*>(aInfo));
            break;
        case deDataSetChange:
            DataSetChanged();
            break;
        case deDataSetScroll:
            DataSetScrolled(static_cast<int32_t>(aInfo));
            break;
        case deLayoutChange:
            LayoutChanged();
            break;
        default:
            break;
        }
    } catch (...) {
        FallOutOfStep();
        throw;
    }
}

} // namespace fw
