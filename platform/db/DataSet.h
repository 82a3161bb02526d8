// SPDX-License-Identifier: MIT
#pragma once
// TDataSet: a cursor over records with state, fields and data events.
//
// The data set owns its fields (created at Open from the field definitions its
// descendant supplies, destroyed at Close). It does not own its data sources; they
// attach themselves and are detached when the data set is destroyed.
//
// Records are addressed by a 0-based position; RecNo is 1-based (0 when there is
// no record). Descendants supply the records on demand through the Internal...
// operations, so a data set never has to hold all of its records.
//
// Events reach the attached data sources (and through them their links):
// - Open and Close change the state (deUpdateState): links hear ActiveChanged.
// - Moving the cursor sends deDataSetScroll when the position changed.
// - Edit sends deUpdateState and then deRecordChange; Insert and Append send
//   deUpdateState and deDataSetChange; a written field sends deFieldChange.
// - Post, Cancel, Delete and Refresh send deUpdateState (when the state changed)
//   and deDataSetChange.
// While controls are disabled (DisableControls) record events are held back;
// the last EnableControls sends one deDataSetChange when any was held.
//
// Moving the cursor or refreshing while editing first posts a modified record
// (or cancels an unmodified one). A refused Post raises EDatabaseError carrying the
// reason and leaves the data set in its edit or insert state with the values the
// user gave. Once the store has taken a Post or Delete, nothing after it raises:
// the data set is in browse state on the written record (or the one after the
// deleted one). Close discards an unposted record.

#include "platform/db/DataTypes.h"
#include "platform/db/Field.h"
#include "platform/db/FieldDefs.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace fw {

class TDataSource;

using TRecordValues = std::vector<Variant>;
using TDataSetNotifyEvent = std::function<void(TDataSet& aDataSet)>;

// The values PostRecords writes into one record: field name and value, by the
// record's 1-based number.
struct TRecordEdit {
    int64_t RecNo = 0;
    std::vector<std::pair<String, Variant>> Values;
};

class TDataSet : public TObject {
    FW_CLASS(TDataSet, TObject)
public:
    ~TDataSet() override;

    // A name used in messages ("Orders"); descendants give a default.
    const String& Name() const { return FName; }
    void SetName(const String& aName) { FName = aName; }

    void Open();
    void Close();
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool aValue);
    TDataSetState State() const { return FState; }

    int32_t FieldCount() const { return static_cast<int32_t>(FFields.size()); }
    int32_t GetFieldCount() const { return FieldCount(); }
    // Raises EListError naming the index when it is outside the field list.
    TField& Fields(int32_t aIndex) const;
    TField* GetField(int32_t aIndex) const { return &Fields(aIndex); }
    // Raises EDatabaseError naming the field and the data set when there is none.
    TField& FieldByName(const String& aName) const;
    // Nullptr when there is none. Letter case is ignored.
    TField* FindField(const String& aName) const;

    void First();
    void Last();
    void Next();
    void Prior();
    // Moves up to aDistance records (negative: backwards); answers how far it moved.
    int32_t MoveBy(int32_t aDistance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    bool IsEmpty() const;
    // 1-based position of the current record; 0 when there is none.
    int64_t RecNo() const;
    void SetRecNo(int64_t aValue);
    int64_t RecordCount();

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Posts a modified record, cancels an unmodified one; nothing in browse state.
    void CheckBrowseMode();
    bool Modified() const { return FModified; }
    virtual bool CanModify() const = 0;
    // Why records cannot be modified, for the error Edit, Insert and Delete raise
    // when CanModify is false.
    virtual String CannotModifyReason() const { return "Cannot modify a read-only data set"; }

    // Runs aVisit once for each record numbered in aRecNos (1-based), in that order,
    // with the fields reading that record. The cursor does not move as far as anyone
    // can tell: no event is sent and afterwards the current record, an edit in
    // progress included, is as it was (also when aVisit raises). A number outside
    // the records raises EDatabaseError naming it, before aVisit runs at all.
    void ForEachRecord(const std::vector<int64_t>& aRecNos, const std::function<void()>& aVisit);
    // Writes each edit's values into its record and posts it, all as one write: when
    // the store refuses one record, none of them stays written and EDatabaseError
    // names the refused record (its number and, where the store knows it, its key)
    // with the store's reason. A record being edited is posted first (as a move
    // would). Controls hear one deDataSetChange at the end, not one per record; the
    // current record stays the current one, read again as stored.
    void PostRecords(const std::vector<TRecordEdit>& aEdits);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // Called before a record is written; raising refuses the post.
    TDataSetNotifyEvent BeforePost;
    TDataSetNotifyEvent AfterPost;
    TDataSetNotifyEvent AfterScroll;

protected:
    TDataSet();

    // Fills aDefs with the columns; called by Open before the records are read.
    virtual void InternalInitFieldDefs(TFieldDefs& aDefs) = 0;
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // Reads the record at aIndex; false when there is none (past the end).
    virtual bool InternalFetch(int64_t aIndex, TRecordValues& aValues) = 0;
    virtual int64_t InternalRecordCount() = 0;
    // Writes aValues (new when aInserting, else replacing aOldValues) and answers
    // the record's position afterwards. aValues may be updated with what the
    // store assigned (keys, defaults). Raises EDatabaseError when refused; then
    // nothing is written.
    virtual int64_t InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues,
                                 bool aInserting, int64_t aIndex) = 0;
    virtual void InternalDelete(int64_t aIndex, const TRecordValues& aValues) = 0;
    // Drops what was read and answers the position of aCurrent afterwards (or the
    // nearest one when it is gone).
    virtual int64_t InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) = 0;
    // Called by Last before it asks for the record count; a descendant whose count is
    // an estimate drops what does not reach the real end.
    virtual void InternalLast() {}

    // For descendants whose positions are estimates, when they learn better ones:
    // every position moves by aDelta, the current record's included. A fetch during
    // which this happens answers the asked record at its new position.
    void ShiftPositions(int64_t aDelta);

    // Bracket the writes of PostRecords. A store with transactions starts one (a
    // savepoint inside one already open) and answers true; EndRecordsWrite(false)
    // then undoes every write since. The default answers false: PostRecords undoes
    // a failed set of writes by writing the records' old values back.
    virtual bool StartRecordsWrite() { return false; }
    virtual void EndRecordsWrite(bool /*aKeep*/) {}
    // The record's key as text for messages ("Id = 17"), empty when unknown.
    virtual String RecordKeyText(const TRecordValues& /*aValues*/) const { return {}; }

    void DataEvent(TDataEvent aEvent, intptr_t aInfo = 0);
    void CheckActive() const;
    void CheckInactive() const;
    [[noreturn]] void DatabaseError(const String& aMessage) const;

private:
    friend class TField;
    friend class TDataSource;

    String FName;
    TDataSetState FState = dsInactive;
    std::vector<std::unique_ptr<TField>> FFields;
    std::vector<TDataSource*> FDataSources;
    TRecordValues FCurrent;
    TRecordValues FOldValues;
    int64_t FIndex = -1; // position of the current record, -1 when none
    int64_t FIndexBeforeInsert = -1;
    bool FHasRecord = false; // FCurrent holds a record (browse) or a new one (insert)
    bool FBof = true;
    bool FEof = true;
    bool FModified = false;
    int32_t FDisableCount = 0;
    bool FEventHeld = false;
    int64_t FShifted = 0; // every ShiftPositions so far

    void SetState(TDataSetState aState);
    void CreateFields();
    bool LoadRecord(int64_t aIndex);
    void LoadNearest(int64_t aIndex);
    void BeginInsertAppend(bool aAppend);
    void CheckRequiredFields();
    const Variant& FieldValue(int32_t aIndex) const;
    void SetFieldValue(TField& aField, const Variant& aValue);
    void Scrolled(int64_t aDistance);
    void ShowWritten(int64_t aIndex);
    // The values of the record numbered aRecNo; EDatabaseError when there is none.
    TRecordValues FetchNumbered(int64_t aRecNo);
    // Sets aEdit's values into FCurrent (a copy of the record aOld) and writes it.
    TRecordValues PostEdit(const TRecordEdit& aEdit, const TRecordValues& aOld);
    String DescribeRecord(int64_t aRecNo, const TRecordValues& aValues) const;
};

} // namespace fw
