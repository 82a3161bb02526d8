// SPDX-License-Identifier: MIT
#include "platform/db/DataSet.h"

#include "platform/db/DataSource.h"
#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <exception>

namespace fw {

FW_IMPLEMENT_ABSTRACT_CLASS(TDataSet)

namespace {

const Variant& NullValue() {
    static const Variant value = Null();
    return value;
}

bool IsEditState(TDataSetState aState) {
    return aState == dsEdit || aState == dsInsert;
}

} // namespace

TDataSet::TDataSet() : FName("DataSet") {}

TDataSet::~TDataSet() {
    // Descendants close themselves; here the sources are detached so that their
    // links see the data set go away.
    FState = dsInactive;
    const auto sources = FDataSources;
    for (TDataSource* source : sources)
        source->SetDataSet(nullptr);
}

void TDataSet::DatabaseError(const String& aMessage) const {
    throw EDatabaseError(FName + ": " + aMessage);
}

void TDataSet::CheckActive() const {
    if (!Active())
        DatabaseError("Cannot perform this operation on a closed data set");
}

void TDataSet::CheckInactive() const {
    if (Active())
        DatabaseError("Cannot perform this operation on an open data set");
}

// ---- opening and closing ---------------------------------------------------------

void TDataSet::SetActive(bool aValue) {
    if (aValue)
        Open();
    else
        Close();
}

void TDataSet::Open() {
    if (Active())
        return;
    TFieldDefs defs;
    InternalInitFieldDefs(defs);
    InternalOpen();
    try {
        FFields.clear();
        for (const TFieldDef& def : defs)
            FFields.push_back(
                std::make_unique<TField>(*this, def, static_cast<int32_t>(FFields.size())));
        FModified = false;
        FIndex = -1;
        FHasRecord = LoadRecord(0);
        FBof = true;
        FEof = !FHasRecord;
    } catch (...) {
        FFields.clear();
        InternalClose();
        throw;
    }
    SetState(dsBrowse);
}

void TDataSet::Close() {
    if (!Active())
        return;
    SetState(dsInactive);
    FFields.clear();
    FCurrent.clear();
    FOldValues.clear();
    FIndex = -1;
    FHasRecord = false;
    FBof = FEof = true;
    FModified = false;
    InternalClose();
}

// ---- fields ----------------------------------------------------------------------

TField& TDataSet::Fields(int32_t aIndex) const {
    if (aIndex < 0 || aIndex >= FieldCount())
        throw EListError(FName + ": field index out of bounds (" + IntToStr(aIndex) + ")");
    return *FFields[aIndex];
}

TField* TDataSet::FindField(const String& aName) const {
    for (const auto& field : FFields)
        if (AnsiCompareText(field->FieldName(), aName) == 0)
            return field.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const String& aName) const {
    TField* field = FindField(aName);
    if (!field)
        DatabaseError("Field '" + aName + "' not found");
    return *field;
}

const Variant& TDataSet::FieldValue(int32_t aIndex) const {
    if (!FHasRecord || aIndex < 0 || static_cast<std::size_t>(aIndex) >= FCurrent.size())
        return NullValue();
    return FCurrent[aIndex];
}

void TDataSet::SetFieldValue(TField& aField, const Variant& aValue) {
    FCurrent[aField.Index()] = aValue;
    FModified = true;
    DataEvent(deFieldChange, reinterpret_cast<intptr_t>(&aField));
}

// ---- the cursor ------------------------------------------------------------------

bool TDataSet::LoadRecord(int64_t aIndex) {
    if (aIndex < 0)
        return false;
    TRecordValues values;
    const int64_t shifted = FShifted;
    if (!InternalFetch(aIndex, values))
        return false;
    // Values past the fields (what a store keeps to find the record again) stay.
    if (values.size() < FFields.size())
        values.resize(FFields.size(), Null());
    FCurrent = std::move(values);
    FIndex = aIndex + (FShifted - shifted);
    return true;
}

void TDataSet::ShiftPositions(int64_t aDelta) {
    if (FIndex >= 0)
        FIndex += aDelta;
    if (FIndexBeforeInsert >= 0)
        FIndexBeforeInsert += aDelta;
    FShifted += aDelta;
}

// Shows the record at aIndex, or the last one before it, or none.
void TDataSet::LoadNearest(int64_t aIndex) {
    FHasRecord = LoadRecord(std::max<int64_t>(aIndex, 0));
    if (!FHasRecord && aIndex > 0) {
        const int64_t count = InternalRecordCount();
        FHasRecord = count > 0 && LoadRecord(std::min(aIndex, count) - 1);
    }
    if (!FHasRecord) {
        FIndex = -1;
        FCurrent.clear();
    }
    FBof = !FHasRecord || FIndex == 0;
    FEof = !FHasRecord;
}

bool TDataSet::IsEmpty() const {
    return !FHasRecord && FState != dsInsert;
}

void TDataSet::Scrolled(int64_t aDistance) {
    DataEvent(deDataSetScroll, static_cast<intptr_t>(aDistance));
    if (AfterScroll)
        AfterScroll(*this);
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    const int64_t before = FIndex;
    if (FIndex != 0)
        FHasRecord = LoadRecord(0);
    FBof = true;
    FEof = !FHasRecord;
    if (FHasRecord && before != FIndex)
        Scrolled(FIndex - before);
}

void TDataSet::Last() {
    CheckActive();
    CheckBrowseMode();
    InternalLast();
    const int64_t before = FIndex;
    const int64_t count = InternalRecordCount();
    if (count > 0 && FIndex != count - 1)
        FHasRecord = LoadRecord(count - 1);
    FEof = true;
    FBof = !FHasRecord;
    if (FHasRecord && before != FIndex)
        Scrolled(FIndex - before);
}

int32_t TDataSet::MoveBy(int32_t aDistance) {
    CheckActive();
    CheckBrowseMode();
    if (!FHasRecord || aDistance == 0)
        return 0;
    const int64_t shifted = FShifted;
    int64_t before = FIndex;
    int64_t target = FIndex + aDistance;
    const bool beforeFirst = target < 0;
    if (beforeFirst)
        target = 0;
    if (target != FIndex && !LoadRecord(target)) {
        if (target + (FShifted - shifted) < 0) {
            // The positions moved while reading: the target lies before the first record.
            LoadRecord(0);
            FBof = true;
        } else {
            // Past the end: stop on the last record.
            const int64_t last = InternalRecordCount() - 1;
            if (last != FIndex && last >= 0)
                LoadRecord(last);
            FEof = true;
        }
    }
    before += FShifted - shifted;
    if (beforeFirst)
        FBof = FIndex == 0;
    const int64_t moved = FIndex - before;
    if (moved > 0)
        FBof = false;
    if (moved < 0)
        FEof = false;
    if (moved != 0)
        Scrolled(moved);
    return static_cast<int32_t>(moved);
}

void TDataSet::Next() {
    if (MoveBy(1) == 0 && Active())
        FEof = true;
}

void TDataSet::Prior() {
    if (MoveBy(-1) == 0 && Active())
        FBof = true;
}

int64_t TDataSet::RecNo() const {
    if (FState == dsInsert || !FHasRecord)
        return 0;
    return FIndex + 1;
}

void TDataSet::SetRecNo(int64_t aValue) {
    CheckActive();
    CheckBrowseMode();
    if (aValue < 1 || aValue > InternalRecordCount())
        DatabaseError("Record number " + IntToStr(aValue) + " out of range");
    const int64_t before = FIndex;
    FHasRecord = LoadRecord(aValue - 1);
    FBof = FIndex == 0;
    FEof = false;
    if (before != FIndex)
        Scrolled(FIndex - before);
}

int64_t TDataSet::RecordCount() {
    CheckActive();
    return InternalRecordCount();
}

// ---- editing ---------------------------------------------------------------------

void TDataSet::Edit() {
    CheckActive();
    if (IsEditState(FState))
        return;
    if (!FHasRecord) {
        Insert();
        return;
    }
    if (!CanModify())
        DatabaseError(CannotModifyReason());
    FOldValues = FCurrent;
    FModified = false;
    SetState(dsEdit);
    DataEvent(deRecordChange);
}

void TDataSet::BeginInsertAppend(bool aAppend) {
    CheckActive();
    // A pending record is posted first; the new one's place is taken afterwards.
    CheckBrowseMode();
    if (!CanModify())
        DatabaseError(CannotModifyReason());
    const int64_t insertIndex = aAppend ? InternalRecordCount() : (FHasRecord ? FIndex : 0);
    FIndexBeforeInsert = FHasRecord ? FIndex : -1;
    FOldValues = FHasRecord ? FCurrent : TRecordValues{};
    FCurrent.assign(FFields.size(), Null());
    FIndex = insertIndex;
    FHasRecord = true;
    FModified = false;
    SetState(dsInsert);
    DataEvent(deDataSetChange);
}

void TDataSet::Insert() {
    BeginInsertAppend(false);
}

void TDataSet::Append() {
    BeginInsertAppend(true);
}

void TDataSet::CheckRequiredFields() {
    for (const auto& field : FFields)
        if (field->Required() && !field->ReadOnly() && field->IsNull())
            DatabaseError("Field '" + field->FieldName() + "' must have a value");
}

void TDataSet::Post() {
    CheckActive();
    DataEvent(deUpdateRecord);
    if (!IsEditState(FState))
        return;
    DataEvent(deCheckBrowseMode);
    if (BeforePost)
        BeforePost(*this);
    CheckRequiredFields();
    const bool inserting = FState == dsInsert;
    // The store works on a copy: when it refuses, the user's values stay as typed.
    TRecordValues values = FCurrent;
    const int64_t index = InternalPost(values, FOldValues, inserting, FIndex);
    FCurrent = std::move(values);
    FOldValues.clear();
    FModified = false;
    FIndex = index;
    ShowWritten(index);
    if (AfterPost)
        AfterPost(*this);
}

void TDataSet::ShowWritten(int64_t aIndex) {
    // The store has taken the write: browse state first, so that nothing can post
    // the record twice; then the record as stored, at the place the store gives it.
    // Failing to read it back or a control failing to show it does not report the
    // write as failed: the record stays current as written, a control that cannot
    // show it shows none (see TDataLink).
    try {
        SetState(dsBrowse);
    } catch (const Exception&) {
    }
    try {
        LoadNearest(aIndex);
    } catch (const Exception&) {
        FHasRecord = !FCurrent.empty();
        FIndex = FHasRecord ? aIndex : -1;
        FBof = !FHasRecord || FIndex == 0;
        FEof = !FHasRecord;
    }
    try {
        DataEvent(deDataSetChange);
    } catch (const Exception&) {
    }
}

void TDataSet::Cancel() {
    if (!IsEditState(FState))
        return;
    if (FState == dsInsert) {
        FCurrent.clear();
        LoadNearest(FIndexBeforeInsert);
    } else {
        FCurrent = FOldValues;
    }
    FOldValues.clear();
    FModified = false;
    SetState(dsBrowse);
    DataEvent(deDataSetChange);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (!IsEditState(FState))
        return;
    DataEvent(deUpdateRecord);
    if (FModified)
        Post();
    else
        Cancel();
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (!FHasRecord)
        DatabaseError("Cannot perform this operation on an empty data set");
    if (!CanModify())
        DatabaseError(CannotModifyReason());
    DataEvent(deCheckBrowseMode);
    const TRecordValues& values = FState == dsEdit ? FOldValues : FCurrent;
    InternalDelete(FIndex, values);
    FOldValues.clear();
    FModified = false;
    FCurrent.clear();
    ShowWritten(FIndex);
}

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    const int64_t index = InternalRefresh(FCurrent, FHasRecord ? FIndex : 0);
    LoadNearest(index);
    DataEvent(deDataSetChange);
}

// ---- events ----------------------------------------------------------------------

void TDataSet::SetState(TDataSetState aState) {
    if (FState == aState)
        return;
    FState = aState;
    DataEvent(deUpdateState);
}

void TDataSet::DisableControls() {
    ++FDisableCount;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0)
        return;
    if (--FDisableCount == 0 && FEventHeld) {
        FEventHeld = false;
        DataEvent(deDataSetChange);
    }
}

void TDataSet::DataEvent(TDataEvent aEvent, intptr_t aInfo) {
    // State changes always go out, so links know whether they are active.
    if (FDisableCount > 0 && aEvent != deUpdateState) {
        if (aEvent != deUpdateRecord && aEvent != deCheckBrowseMode)
            FEventHeld = true;
        return;
    }
    // Every source hears of the record even when a control of another fails.
    const bool stopOnError = aEvent == deUpdateRecord || aEvent == deCheckBrowseMode;
    std::exception_ptr firstError;
    const auto sources = FDataSources;
    for (TDataSource* source : sources) {
        if (std::find(FDataSources.begin(), FDataSources.end(), source) == FDataSources.end())
            continue;
        try {
            source->DataEvent(aEvent, aInfo);
        } catch (...) {
            if (stopOnError)
                throw;
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

} // namespace fw
