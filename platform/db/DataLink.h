// SPDX-License-Identifier: MIT
#pragma once
// TDataLink: what a data-aware control hears of a data set, through a data source.
//
// The link does not own its data source; a destroyed source detaches its links.
// The virtual notifications, with their default routing:
// - ActiveChanged: the link became active (data set opened, source attached or
//   enabled) or inactive (closed, detached, disabled).
// - EditingChanged: Editing changed (edit or insert state entered or left).
// - RecordChanged(aField): the current record changed; aField is the written field,
//   or nullptr when the whole record may have changed.
// - DataSetChanged: the record set or the current record changed (post, cancel,
//   insert, delete, refresh); by default calls RecordChanged(nullptr).
// - DataSetScrolled(aDistance): the cursor moved; by default calls DataSetChanged.
// - LayoutChanged: the fields changed; by default calls DataSetChanged.
// - UpdateData: the data set asks the control to write pending edits into fields.
// - CheckBrowseMode: the data set is about to leave edit state.
// So every change of the current record reaches RecordChanged.
//
// A control that raises while it is told of a record (it cannot show a value) is
// made inactive, so that it shows no record rather than an earlier one, and the
// error goes on to the caller. It becomes active again (ActiveChanged) when the
// data set moves to another record or re-reads its records.

#include "platform/db/DataTypes.h"
#include "platform/rtl/Object.h"

namespace fw {

class TDataSet;
class TDataSource;
class TField;

class TDataLink : public TObject {
    FW_CLASS(TDataLink, TObject)
public:
    TDataLink() = default;
    ~TDataLink() override;

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* aSource);
    // The source's data set, or nullptr.
    TDataSet* DataSet() const;
    TDataSet* GetDataSet() const { return DataSet(); }
    bool Active() const { return FActive; }
    bool Editing() const { return FEditing; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aValue);
    // Asks for edit state (unless the link is read-only or the source's AutoEdit is
    // off) and answers whether the data set is in edit or insert state now. Errors
    // of the data set (a read-only data set) pass on.
    bool Edit();
    // Writes pending control edits (UpdateData) unless a write is already running.
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void RecordChanged(TField* aField) { (void)aField; }
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int32_t aDistance);
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}

private:
    friend class TDataSource;

    TDataSource* FDataSource = nullptr;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
    bool FOutOfStep = false; // the control failed to show the current record

    void Resume();
    void Dispatch(TDataEvent aEvent, intptr_t aInfo);
    void FallOutOfStep();

    void DataEvent(TDataEvent aEvent, intptr_t aInfo);
    void UpdateState();
    void SetActive(bool aValue);
    void SetEditing(bool aValue);
};

} // namespace fw
