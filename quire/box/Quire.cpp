// SPDX-License-Identifier: MIT
#include "quire/box/Quire.h"

#include "quire/box/RecordSnapshot.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/WinApi.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/graphics/Rects.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace quire {

FW_IMPLEMENT_CLASS(TQuire)

namespace {

// Sets a flag for the lifetime of the scope, also when an exception leaves it.
class TFlagScope {
public:
    explicit TFlagScope(bool& aFlag) : FFlag(aFlag), FOld(aFlag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

} // namespace

TQuire::TQuire(fw::TComponent* aOwner)
    : fw::TCustomListBox(aOwner), FMouseDownTime(fw::GetTickCount() - 0x80000000u) {
    fw::TControlStyle style = ControlStyle();
    style.Include(fw::csCaptureMouse);
    SetControlStyle(style);
    SetStyle(fw::lbOwnerDrawFixed);
    FBitmap = std::make_unique<fw::TBitmap>();
    FBitmap->SetSize(Width(), ItemHeight());
    FSelection = new TPropSelection(nullptr);
    FSelection->FBox = this;
    FSelection->SetVisible(true);
    FSelection->SetParent(this);
    FDataLink = fw::New<TPropDataLink>();
    FDataLink->FBox = this;
    FDataLink->FOnDataChange = [this](fw::TObject* aSender) { DataChange(aSender); };
}

TQuire::~TQuire() {
    // The link goes first so that no data event reaches a half-destroyed box; the
    // strip lets go of its row before the rows go, and is destroyed with the box.
    FDataLink.reset();
    FSelection->Detach();
    FRows.clear();
    FRetiredRows.clear();
}

void TQuire::CreateParams(fw::TCreateParams& aParams) {
    fw::TCustomListBox::CreateParams(aParams);
    aParams.Style |= fw::WS_CLIPCHILDREN;
}

// --- properties ----------------------------------------------------------------------

fw::TDataSource* TQuire::GetDataSource() const {
    return FDataLink->DataSource();
}

void TQuire::SetDataSource(fw::TDataSource* aValue) {
    FDataLink->SetDataSource(aValue);
}

int32_t TQuire::GetDividerPos() const {
    if (Width() == 0) {
        return 50;
    }
    return fw::MulDiv(FDividerPos, 100, Width());
}

void TQuire::SetDividerPos(int32_t aValue) {
    if (aValue == GetDividerPos()) {
        return;
    }
    FDividerPos = fw::MulDiv(Width(), aValue, 100);
    Invalidate();
    FSelection->Realign();
}

void TQuire::SetReadOnly(bool aValue) {
    if (aValue == FReadOnly) {
        return;
    }
    FReadOnly = aValue;
    UpdatePropSelection();
    FSelection->Realign();
}

// --- rows ------------------------------------------------------------------------------

TPropEditInfo* TQuire::GetEditInfo(int32_t aIndex) const {
    return Items()->GetObject(aIndex).As<TPropEditInfo>();
}

void TQuire::RebuildListIndexes() {
    for (auto& row : FRows) {
        row->ClearListIndex();
    }
    for (int32_t i = 0; i < Count(); ++i) {
        if (TPropEditInfo* row = GetEditInfo(i)) {
            row->FListIndex = i;
        }
    }
}

void TQuire::ClearList() {
    TFlagScope rebuilding(FRebuilding);
    DiscardChanges();
    SetItemIndex(-1);
    FSelection->SetEditInfo(nullptr);
    // The items go whether or not the box has a window: none may refer to a row
    // that is freed next.
    Clear();
    ++FGeneration;
    if (FRowsHeld > 0) {
        for (auto& row : FRows) {
            FRetiredRows.push_back(std::move(row));
        }
    }
    FRows.clear();
}

void TQuire::ReleaseRows() {
    if (--FRowsHeld == 0) {
        FRetiredRows.clear();
    }
}

void TQuire::NewProps(TMultiPropList* aMultiProps) {
    // Rows that code up the stack holds are replaced, never reloaded in place, so
    // that it finds out its row is gone.
    if (aMultiProps != nullptr && FRowsHeld == 0 && LoadIntoSameRows(aMultiProps)) {
        return;
    }
    TRows rows;
    if (aMultiProps != nullptr) {
        for (int32_t i = 0; i < aMultiProps->GetCount(); ++i) {
            rows.push_back(MakeRow(aMultiProps->GetName(i), aMultiProps->GetList(i)));
        }
    }
    fw::String selected = ItemIndex() >= 0 ? Items()->Get(ItemIndex()) : fw::String();
    ClearList();
    if (aMultiProps != nullptr) {
        {
            TFlagScope rebuilding(FRebuilding);
            FRows = std::move(rows);
            for (auto& row : FRows) {
                Items()->AddObject(row->FName, row.get());
            }
            RebuildListIndexes();
        }
        int32_t index = Items()->IndexOf(selected);
        SetItemIndex(index >= 0 ? index : 0);
        UpdatePropSelection();
    }
    FSelection->SetVisible(Count() > 0);
}

bool TQuire::LoadIntoSameRows(TMultiPropList* aMultiProps) {
    const int32_t count = aMultiProps->GetCount();
    if (count == 0 || static_cast<int32_t>(FRows.size()) != count || Count() != count ||
        ItemIndex() < 0) {
        return false; // a different number of rows, some row expanded, or none selected
    }
    // A rebuild scrolls to the top, then as far as the selected item needs.
    const int32_t rows = VisibleRows();
    if (rows <= 0 || TopIndex() != std::max(0, ItemIndex() - rows + 1)) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        const TPropEditInfo& row = *FRows[static_cast<size_t>(i)];
        TPropList* props = aMultiProps->GetList(i);
        if (row.FName != aMultiProps->GetName(i) || row.FProps->GetCount() != props->GetCount() ||
            (props->GetCount() > 0 &&
             row.FProps->GetProp(0)->ClassType() != props->GetProp(0)->ClassType())) {
            return false;
        }
    }
    DiscardChanges();
    for (int32_t i = 0; i < count; ++i) {
        TPropEditInfo& row = *FRows[static_cast<size_t>(i)];
        const fw::String shown = row.GetValue();
        const bool allEqual = row.FAllEqual;
        {
            TFlagScope loading(FLoadingSameRows);
            row.SetProps(aMultiProps->GetList(i));
        }
        if (row.FAllEqual != allEqual || row.GetValue() != shown) {
            RepaintLoadedRow(row.FListIndex, row.FAllEqual != allEqual);
        }
    }
    FSelection->GetValueFromProp();
    return true;
}

void TQuire::RepaintLoadedRow(int32_t aIndex, bool aColorChanged) {
    if (!HandleAllocated()) {
        return;
    }
    fw::TRect rect = ItemRect(aIndex);
    fw::InvalidateRect(Handle(), &rect, false);
    // The strip shows the value in its edit field, which repaints itself; the strip
    // paints the value only when read-only, and the name's colour.
    if (aIndex == ItemIndex() && (FReadOnly || aColorChanged)) {
        FSelection->Invalidate();
    }
}

std::unique_ptr<TPropEditInfo> TQuire::MakeRow(const fw::String& aName, TPropList* aProps) {
    TPropClass propClass = aProps->GetCount() > 0 ? aProps->GetProp(0)->ClassType() : nullptr;
    auto row = std::make_unique<TPropEditInfo>(this, nullptr, aName, propClass, aProps->GetCount());
    row->SetNameSpace(FNameSpace);
    row->SetProps(aProps);
    row->FOnPropChange = [this](fw::TObject* aSender, const fw::String& aPropName, TProp* aProp,
                                int32_t aPropIndex) {
        PropChange(aSender, aPropName, aProp, aPropIndex);
    };
    return row;
}

bool TQuire::IsCurrentRow(const TPropEditInfo* aRow) const {
    for (const auto& row : FRows) {
        if (row.get() == aRow) {
            return true;
        }
    }
    return false;
}

TRowPlace TQuire::RowPlaceOf(TPropEditInfo* aRow) const {
    TRowPlace place;
    place.Generation = FGeneration;
    place.Row = aRow;
    for (const TPropEditInfo* row = aRow; row != nullptr; row = row->FParent) {
        place.Path.insert(place.Path.begin(), row->FName);
    }
    place.Record = FDataLink->Mark();
    return place;
}

TPropEditInfo* TQuire::FindRow(const TRowPlace& aPlace) const {
    if (aPlace.Generation == FGeneration) {
        return aPlace.Row;
    }
    if (aPlace.Path.empty() || !FDataLink->SameRecord(aPlace.Record)) {
        return nullptr;
    }
    TPropEditInfo* row = FindTopRow(aPlace.Path.front());
    for (std::size_t i = 1; row != nullptr && i < aPlace.Path.size(); ++i) {
        TPropEditInfo* parent = row;
        row = nullptr;
        for (const auto& child : parent->FItems) {
            if (child->FName == aPlace.Path[i]) {
                row = child.get();
                break;
            }
        }
    }
    return row;
}

TPropEditInfo* TQuire::FindTopRow(const fw::String& aName) const {
    for (const auto& row : FRows) {
        if (row->FName == aName) {
            return row.get();
        }
    }
    return nullptr;
}

void TQuire::UpdateProps(TMultiPropList* aMultiProps) {
    if (aMultiProps == nullptr) {
        return;
    }
    if (aMultiProps->GetCount() > static_cast<int32_t>(FRows.size())) {
        throw fw::EListError("UpdateProps: " + std::to_string(aMultiProps->GetCount()) +
                             " lists for " + std::to_string(FRows.size()) + " rows");
    }
    DiscardChanges();
    // FRows is read afresh for every list: a host's handler may rebuild the rows.
    for (int32_t i = 0; i < aMultiProps->GetCount() && i < static_cast<int32_t>(FRows.size());
         ++i) {
        FRows[static_cast<size_t>(i)]->SetProps(aMultiProps->GetList(i));
    }
    UpdatePropSelection();
}

void TQuire::SetProps(const fw::String& aName, TPropList* aProps) {
    if (aProps == nullptr) {
        return;
    }
    DiscardChanges();
    if (TPropEditInfo* row = FindTopRow(aName)) {
        row->SetProps(aProps);
    }
    UpdatePropSelection();
}

void TQuire::GetProps(const fw::String& aName, TPropList* aProps) {
    ApplyChanges();
    TPropEditInfo* row = FindTopRow(aName);
    if (row != nullptr && aProps != nullptr) {
        row->GetProps(aProps);
    }
}

void TQuire::ApplyChanges() {
    FSelection->SetValueToProp();
}

void TQuire::DiscardChanges() {
    FSelection->GetValueFromProp();
}

void TQuire::ExpandItem(int32_t aIndex) {
    // The typed text is committed while every row is still at its index: a refusal
    // stops the call before any row moves and leaves the strip on its row. The
    // commit's handler may rebuild the rows, so the row is looked up after it.
    ApplyChanges();
    TPropEditInfo* row = GetEditInfo(aIndex);
    if (row == nullptr || !row->IsExpandable() || row->FExpanded) {
        return;
    }
    row->FExpanded = true;
    int32_t position = aIndex;
    for (auto& child : row->FItems) {
        Items()->InsertObject(++position, child->FName, child.get());
    }
    RebuildListIndexes();
    // Rows inserted above the selected one move it down: the strip goes with it.
    PlaceSelection();
    RepaintItem(aIndex);
}

void TQuire::CollapseItem(int32_t aIndex) {
    // Committed first, for the same reasons as in ExpandItem.
    ApplyChanges();
    TPropEditInfo* row = GetEditInfo(aIndex);
    if (row == nullptr || !row->IsExpandable() || !row->FExpanded) {
        return;
    }
    bool selectionInside = false;
    int32_t level = row->GetLevel();
    int32_t next = aIndex + 1;
    while (next < Count()) {
        CollapseItem(next);
        selectionInside = selectionInside || ItemIndex() == next;
        Items()->Delete(next);
        if (next < Count() && GetEditInfo(next)->GetLevel() <= level) {
            break;
        }
    }
    row->FExpanded = false;
    RebuildListIndexes();
    // A selected child that was hidden hands the selection to the collapsed row, so
    // the strip never edits a row that is no longer shown.
    if (selectionInside) {
        SetItemIndex(aIndex);
        UpdatePropSelection();
    }
    PlaceSelection();
    RepaintItem(aIndex);
}

// --- binding ---------------------------------------------------------------------------

void TQuire::DataChange(fw::TObject*) {
    if (FUpdatingData) {
        return;
    }
    if (!FChosen.empty() && ChoiceOutdated()) {
        FChosen.clear();
        ++FChoice;
    }
    std::unique_ptr<TMultiPropList> snapshot;
    try {
        snapshot = Snapshot(*FDataLink->DataSet());
    } catch (...) {
        // Rows of the record before would write into this one.
        ClearList();
        throw;
    }
    NewProps(snapshot.get());
}

std::unique_ptr<TMultiPropList> TQuire::Snapshot(fw::TDataSet& aDataSet) const {
    if (FChosen.empty()) {
        return RecordToProps(aDataSet);
    }
    return RecordsToProps(aDataSet, FChosen);
}

bool TQuire::ChoiceOutdated() const {
    fw::TDataSet* dataSet = FDataLink->DataSet();
    if (dataSet == nullptr || !dataSet->Active()) {
        return true;
    }
    try {
        return dataSet->RecordCount() != FChosenCount;
    } catch (const fw::Exception&) {
        return true;
    }
}

void TQuire::SelectRecords(const std::vector<int64_t>& aRecNos) {
    std::vector<int64_t> chosen;
    for (int64_t recNo : aRecNos) {
        if (std::find(chosen.begin(), chosen.end(), recNo) == chosen.end()) {
            chosen.push_back(recNo);
        }
    }
    fw::TDataSet* dataSet = FDataLink->DataSet();
    if (dataSet == nullptr || !FDataLink->Active()) {
        chosen.clear();
    }
    std::unique_ptr<TMultiPropList> snapshot;
    if (!chosen.empty()) {
        snapshot = RecordsToProps(*dataSet, chosen);
        FChosenCount = dataSet->RecordCount();
    }
    ApplyChanges();
    DropChoice();
    FChosen = std::move(chosen);
    if (snapshot != nullptr) {
        NewProps(snapshot.get());
    } else if (dataSet != nullptr && FDataLink->Active()) {
        DataChange(FDataLink.get());
    } else {
        ClearList();
    }
}

void TQuire::DropChoice() {
    FChosen.clear();
    ++FChoice;
    FPendingWrites.clear();
}

void TQuire::QueueWrite(int32_t aIndex, const fw::String& aName, const fw::Variant& aValue) {
    if (aIndex < 0 || static_cast<std::size_t>(aIndex) >= FChosen.size()) {
        return;
    }
    FPendingWrites.push_back({aIndex, aName, aValue});
    if (FWriteDepth == 0) {
        WriteChosenRecords();
    }
}

void TQuire::BeginRecordWrites() {
    if (FWriteDepth++ == 0) {
        FWritesChoice = FChoice;
        FWritesGeneration = FGeneration;
    }
}

void TQuire::EndRecordWrites(bool aKeep) {
    if (--FWriteDepth > 0 || FPendingWrites.empty()) {
        return;
    }
    if (aKeep) {
        WriteChosenRecords();
        return;
    }
    // A change that failed half-way: what the rows took is not in the records.
    FPendingWrites.clear();
    try {
        RestoreRowsFromData();
    } catch (...) {
        // Called while an error leaves the row: that error is the one to report.
    }
}

void TQuire::WriteChosenRecords() {
    std::vector<TPendingWrite> writes = std::move(FPendingWrites);
    FPendingWrites.clear();
    fw::TDataSet* dataSet = FDataLink->DataSet();
    if (dataSet == nullptr || FRestoringRow) {
        return;
    }
    std::vector<fw::TRecordEdit> edits(FChosen.size());
    for (std::size_t i = 0; i < FChosen.size(); ++i) {
        edits[i].RecNo = FChosen[i];
    }
    for (const TPendingWrite& write : writes) {
        auto& values = edits[static_cast<std::size_t>(write.Index)].Values;
        auto same = std::find_if(values.begin(), values.end(),
                                 [&](const auto& aValue) { return aValue.first == write.Field; });
        if (same != values.end()) {
            same->second = write.Value;
        } else {
            values.emplace_back(write.Field, write.Value);
        }
    }
    std::erase_if(edits, [](const fw::TRecordEdit& aEdit) { return aEdit.Values.empty(); });
    {
        TFlagScope updating(FUpdatingData);
        try {
            dataSet->PostRecords(edits);
        } catch (...) {
            RestoreRowsFromData();
            throw;
        }
    }
    // Rows rebuilt under a handler were read before the values were written.
    if (FGeneration != FWritesGeneration) {
        RestoreRowsFromData();
        DiscardChanges();
    }
}

void TQuire::RestoreRowsFromData() {
    fw::TDataSet* dataSet = FDataLink->DataSet();
    if (dataSet == nullptr) {
        return;
    }
    // Read afresh for each row: restoring may run a host's handler.
    for (std::size_t i = 0; i < FRows.size(); ++i) {
        RestoreRowFromField(*FRows[i], *dataSet);
    }
}

void TQuire::PropChange(fw::TObject* aSender, const fw::String& aPropName, TProp* aProp,
                        int32_t aPropIndex) {
    if (FLoadingSameRows) {
        return;
    }
    auto* row = dynamic_cast<TPropEditInfo*>(aSender);
    if (row != nullptr && !IsCurrentRow(row)) {
        // A row dropped by a rebuild: its values go nowhere, unless they are a
        // change of the same chosen records that a host's handler interrupted.
        if (!FChosen.empty() && FWriteDepth > 0 && FWritesChoice == FChoice && !FRestoringRow) {
            QueueWrite(aPropIndex, aPropName, aProp->GetAsVariant());
        }
        return;
    }
    // By value: the host's handler may free the row with its name and property.
    const fw::String name = aPropName;
    const fw::Variant value = aProp->GetAsVariant();
    if (row != nullptr && FOnPropChange && !FRestoringRow &&
        !CallPropChangeHandler(*row, name, aProp, aPropIndex, value)) {
        return;
    }
    if (row != nullptr) {
        // A change reported for a row changes its shown children too (a date-time's
        // Date and Time), so the strip reloads when it lies on any row of the tree.
        if (ItemIndex() >= 0 && IsInTree(FSelection->FEditInfo, row)) {
            FSelection->GetValueFromProp();
        }
        RepaintTree(*row);
    }
    if (!FChosen.empty()) {
        if (!FRestoringRow) {
            QueueWrite(aPropIndex, name, value);
        }
        return;
    }
    WriteField(row, name, value);
}

bool TQuire::CallPropChangeHandler(TPropEditInfo& aRow, const fw::String& aName, TProp* aProp,
                                   int32_t aPropIndex, const fw::Variant& aValue) {
    const TRowPlace place = RowPlaceOf(&aRow);
    const uint64_t choice = FChoice;
    // A copy: the handler may replace the box's handler while it runs.
    const TOnPropChange handler = FOnPropChange;
    try {
        handler(this, aName, aProp, aPropIndex);
    } catch (...) {
        // The field never got the value: the row shows what it holds.
        fw::TDataSet* dataSet = FDataLink->DataSet();
        if (place.Generation == FGeneration && dataSet != nullptr) {
            RestoreRowFromField(aRow, *dataSet);
        }
        throw;
    }
    if (place.Generation == FGeneration) {
        return true;
    }
    // Rebuilt under the handler (a post, a refresh): the value still belongs to the
    // same record, never to another one.
    if (!FChosen.empty()) {
        if (choice == FChoice) {
            QueueWrite(aPropIndex, aName, aValue);
        }
        return false;
    }
    if (FDataLink->SameRecord(place.Record)) {
        WriteField(nullptr, aName, aValue);
        if (TPropEditInfo* again = FindTopRow(aName)) {
            RestoreRowFromField(*again, *FDataLink->DataSet());
        }
    }
    return false;
}

void TQuire::WriteField(TPropEditInfo* aRow, const fw::String& aName, const fw::Variant& aValue) {
    fw::TDataSet* dataSet = FDataLink->DataSet();
    if (FRestoringRow || dataSet == nullptr) {
        return;
    }
    TFlagScope updating(FUpdatingData);
    try {
        FDataLink->Edit();
        dataSet->FieldByName(aName).SetAsVariant(aValue);
    } catch (...) {
        if (aRow != nullptr && IsCurrentRow(aRow)) {
            RestoreRowFromField(*aRow, *dataSet);
        }
        throw;
    }
}

bool TQuire::IsInTree(const TPropEditInfo* aRow, const TPropEditInfo* aTop) {
    for (; aRow != nullptr; aRow = aRow->FParent) {
        if (aRow == aTop) {
            return true;
        }
    }
    return false;
}

void TQuire::RepaintTree(const TPropEditInfo& aRow) {
    RepaintItem(aRow.FListIndex);
    if (aRow.FExpanded) {
        for (const auto& child : aRow.FItems) {
            RepaintTree(*child);
        }
    }
}

void TQuire::RestoreRowFromField(TPropEditInfo& aRow, fw::TDataSet& aDataSet) {
    // The row shows what the field still holds; the reload is not written back.
    TFlagScope restoring(FRestoringRow);
    try {
        std::unique_ptr<TMultiPropList> snapshot = Snapshot(aDataSet);
        if (TPropList* stored = snapshot->FindListByName(aRow.FName)) {
            aRow.SetProps(stored);
        }
    } catch (const fw::Exception&) {
        // The field's own error is the one to report; a failed reload leaves the row.
    }
}

// --- strip -----------------------------------------------------------------------------

bool TQuire::CanPlaceSelection() const {
    return !FRebuilding && HandleAllocated() && ItemIndex() >= 0 && Count() > 0;
}

void TQuire::UpdatePropSelection() {
    if (!CanPlaceSelection()) {
        return;
    }
    try {
        FSelection->SetValueToProp();
    } catch (...) {
        // Whatever the refusal interrupted (a resize, a scroll), the strip ends on
        // the selected row.
        PlaceSelection();
        throw;
    }
    // The commit's handler may have emptied the box.
    if (!CanPlaceSelection()) {
        return;
    }
    if (FSelection->HandleAllocated()) {
        fw::TRect old = FSelection->BoundsRect();
        fw::InvalidateRect(Handle(), &old, false);
    }
    FSelection->SetEditInfo(GetEditInfo(ItemIndex()));
    PlaceSelection();
}

void TQuire::PlaceSelection() {
    if (ItemIndex() < 0 || FSelection->FEditInfo == nullptr) {
        return;
    }
    fw::TRect rect = ItemRect(ItemIndex());
    rect.Left -= 1;
    rect.Right += 1;
    rect.Top -= 2;
    FSelection->SetBoundsRect(rect);
}

void TQuire::TopIndexChanged() {
    fw::TCustomListBox::TopIndexChanged();
    if (!FRebuilding && FSelection->FEditInfo != nullptr) {
        PlaceSelection();
    }
}

void TQuire::AlignControls(fw::TControl* aControl, fw::TRect& aRect) {
    fw::TCustomListBox::AlignControls(aControl, aRect);
    UpdatePropSelection();
}

void TQuire::Click() {
    UpdatePropSelection();
}

void TQuire::RepaintItem(int32_t aIndex) {
    if (!HandleAllocated() || aIndex < 0) {
        return;
    }
    fw::TRect rect = ItemRect(aIndex);
    fw::InvalidateRect(Handle(), &rect, false);
    if (aIndex == ItemIndex()) {
        FSelection->Invalidate();
    }
}

bool TQuire::Designing() const {
    return ComponentState().Contains(fw::csDesigning);
}

} // namespace quire
