// SPDX-License-Identifier: MIT
#pragma once
// TQuire: the data-aware property box. Bound to a data source, it shows one row per
// field of a supported type of the current record (name | value, with a divider the
// user can drag) and writes every value changed in a row straight back into the
// field of the same name. A date-time field is one row with "Date" and "Time"
// children, shown by a double click on it.
//
// The list's items are the visible rows: item i has the row's name as text and the
// row (TPropEditInfo) as object. The top-level rows are rebuilt from a snapshot of
// the record on every change of the current record (open, scroll, post, cancel, a
// field written elsewhere); the box's own writes do not rebuild them. Only the
// selected item's name survives a rebuild; every row comes back collapsed. A record
// of the rows' shape with no row expanded is loaded into the rows in place (the
// same visible result without rebuilding, hiding the strip or repainting rows whose
// text did not change). Closing
// the data set, or detaching or destroying the source or the data set, clears the
// rows. Posting is left to the data set's owner.
//
// The one editor strip (TPropSelection) lies over the selected item and edits it in
// place; it follows the selection, the scroll position and the divider.
//
// Re-entrancy: a call out of the box (the host's OnPropChange, the wait of the pick
// list or of a dialog, the application's error report) may rebuild the rows, move
// or close the data set. Rows dropped while code up the stack still uses one are
// kept until that code returns (TRowsInUse) and are never shown, written or
// repainted again; the code after the call finds its row again by its place
// (RowPlaceOf, FindRow), which answers nullptr when the data set is now on another
// record or closed, so a value is never written into another record.
//
// Several records: SelectRecords shows the chosen records of the data set at once,
// each row holding the field's value of every chosen record (a row whose records
// disagree shows its name in grey and no value). A value set in a row is written
// into that field of every chosen record and posted, all records in one write
// (TDataSet::PostRecords): when one record is refused, none is written, the rows
// show the stored values again and the error names the record. The choice holds
// until SelectRecords({}), the data set closes or its count of records changes;
// meanwhile every record change re-reads the chosen records.
//
// Errors: a value the data set refuses (no edit state possible, a read-only field,
// a CHECK the database enforces at post) passes out of PropChange to whoever set the
// value (the strip, which restores its text and lets the framework report it).
// GetEditInfo, ExpandItem and CollapseItem raise the list's index error for an index
// outside the list.

#include "quire/box/PropDataLink.h"
#include "quire/box/PropEditInfo.h"
#include "quire/values/MultiPropList.h"

#include "platform/db/DataSource.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/ListBox.h"

#include <memory>
#include <vector>

namespace quire {

class TPropSelection;

// Where a row was: the rows' generation, the row, the names from its top-level row
// down to it, and the record the rows showed.
struct TRowPlace {
    uint64_t Generation = 0;
    TPropEditInfo* Row = nullptr;
    std::vector<fw::String> Path;
    TRecordMark Record;
};

class TQuire : public fw::TCustomListBox {
    FW_CLASS(TQuire, fw::TCustomListBox)
public:
    explicit TQuire(fw::TComponent* aOwner = nullptr);
    ~TQuire() override;

    // --- published -------------------------------------------------------------------
    fw::TDataSource* GetDataSource() const;
    void SetDataSource(fw::TDataSource* aValue);
    bool ReadOnly() const { return FReadOnly; }
    // Read-only concerns the strip only (no edit field, no button); code can still
    // write values through the box.
    void SetReadOnly(bool aValue);
    // The divider as a percentage of the width (50 for a box of width 0).
    int32_t GetDividerPos() const;
    // Any percentage is taken, also below 0 or above 100; the divider keeps its
    // pixel column when the box is resized.
    virtual void SetDividerPos(int32_t aValue);

    // --- public ----------------------------------------------------------------------
    // Runs when a top-level row's value changed, before the value is written into the
    // field. When it raises, nothing is written and the row shows the field's value
    // again; when it posts, refreshes or rebuilds the rows, the value is written into
    // the same record afterwards; when it moves or closes the data set, it is dropped.
    TOnPropChange& OnPropChange() { return FOnPropChange; }
    void SetOnPropChange(TOnPropChange aEvent) { FOnPropChange = std::move(aEvent); }
    fw::TStringList* NameSpace() const { return FNameSpace; }
    void SetNameSpace(fw::TStringList* aNameSpace) { FNameSpace = aNameSpace; }

    // Rebuilds all rows from aMultiProps (nullptr: no rows), selecting the item
    // whose name equals the one selected before (letter case ignored), else the
    // first. The new rows are built before the old ones go: when one cannot be built
    // (no editor for its property class) the error passes out and the box is left
    // as it was.
    virtual void NewProps(TMultiPropList* aMultiProps);
    // Loads the values of aMultiProps into the top-level rows by position, keeping
    // rows, expansion and selection; every changed value is written to the data set.
    // Raises EListError, loading nothing, when aMultiProps has more lists than the
    // box has rows; nullptr loads nothing.
    void UpdateProps(TMultiPropList* aMultiProps);
    // Loads aProps into the first top-level row named exactly aName, if any
    // (nullptr: nothing).
    void SetProps(const fw::String& aName, TPropList* aProps);
    // Commits the strip, then copies the values of the first top-level row named
    // exactly aName into aProps; aProps is left alone when there is none.
    void GetProps(const fw::String& aName, TPropList* aProps);
    // Commits the text typed into the strip, if it was changed.
    void ApplyChanges();
    // Drops the text typed into the strip.
    void DiscardChanges();
    void ClearList();
    // Shows the records numbered aRecNos (1-based, in that order; repeats count
    // once) instead of the current record; an empty list goes back to the current
    // record. A number outside the records raises EDatabaseError, changing nothing.
    // Without an active data set the choice is dropped.
    void SelectRecords(const std::vector<int64_t>& aRecNos);
    // The chosen records; empty while the box shows the current record.
    const std::vector<int64_t>& SelectedRecords() const { return FChosen; }
    // Forgets the choice without touching the rows (the data set opened or closed).
    void DropChoice();
    // Brackets a change of rows' values (TRecordWrites): values set for chosen
    // records are gathered and written together when the outermost bracket ends
    // with aKeep (raising what PostRecords raises); without aKeep they are
    // dropped and the rows show the stored values again.
    void BeginRecordWrites();
    void EndRecordWrites(bool aKeep);
    // Shows the children of the row of item aIndex, or hides all its descendants.
    // Nothing happens for a row without children or already in that state.
    void ExpandItem(int32_t aIndex);
    void CollapseItem(int32_t aIndex);

    TPropEditInfo* GetEditInfo(int32_t aIndex) const;
    void RebuildListIndexes();
    // Commits the strip's text and moves the strip onto the selected item.
    void UpdatePropSelection();
    // Invalidates item aIndex (and the strip when it is the selected one).
    void RepaintItem(int32_t aIndex);
    // True for x within two pixels of the divider's column.
    bool IsDividerPos(int32_t aX) const;
    // Lays the strip over the selected item: its rectangle widened by a pixel on
    // either side and raised by two.
    void PlaceSelection();

    // Counts the rebuilds of the rows (ClearList).
    uint64_t RowsGeneration() const { return FGeneration; }
    // True for a top-level row of the rows shown now.
    bool IsCurrentRow(const TPropEditInfo* aRow) const;
    // The place of aRow, taken before a call out of the box.
    TRowPlace RowPlaceOf(TPropEditInfo* aRow) const;
    // The row at aPlace after the call: the same row when the rows were not rebuilt,
    // the row of the same names when they were rebuilt for the same record, else
    // (another record, the data set closed, no such row) nullptr.
    TPropEditInfo* FindRow(const TRowPlace& aPlace) const;
    // Rows dropped while the rows are held are freed when the last hold ends.
    void HoldRows() { ++FRowsHeld; }
    void ReleaseRows();

    // The data link's notification of every record change.
    void DataChange(fw::TObject* aSender);
    // The change notification of every top-level row: raises OnPropChange, reloads
    // the strip, repaints the row and writes the value into the field named
    // aPropName.
    virtual void PropChange(fw::TObject* aSender, const fw::String& aPropName, TProp* aProp,
                            int32_t aPropIndex);

    // Painting of one item (the bitmap is the box's one off-screen bitmap).
    void PaintItem(int32_t aIndex, fw::TCanvas* aCanvas, const fw::TRect& aRect,
                   fw::TOwnerDrawState aState);
    void PaintItemToDC(int32_t aIndex, fw::HDC aDC, const fw::TRect& aRect,
                       fw::TOwnerDrawState aState);

    void Dispatch(fw::TMessage& aMessage) override;
    void Click() override;
    void DblClick() override;
    void MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                   int32_t aY) override;
    void MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) override;
    void MouseUp(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX, int32_t aY) override;

    // Fields read and written by the rows and the strip.
    bool FReadOnly = false;
    // The tick of the last press on the rows; set half the tick range back at
    // construction, so the first press is never taken for the second of a pair.
    uint32_t FMouseDownTime = 0;
    TOnPropChange FOnPropChange;
    bool FDragging = false;
    int32_t FDragX = 0;
    std::unique_ptr<fw::TBitmap> FBitmap;
    std::unique_ptr<TPropDataLink> FDataLink;
    bool FUpdatingData = false;
    int32_t FDividerPos = 100;
    std::vector<std::unique_ptr<TPropEditInfo>> FRows;
    // A child control, destroyed with the box.
    TPropSelection* FSelection = nullptr;
    fw::TStringList* FNameSpace = nullptr;

protected:
    void CreateParams(fw::TCreateParams& aParams) override;
    void AlignControls(fw::TControl* aControl, fw::TRect& aRect) override;
    void TopIndexChanged() override;

    void WMPaint(fw::TMessage& aMessage);
    void CNDrawItem(fw::TMessage& aMessage);
    void WMLButtonDown(fw::TMessage& aMessage);
    void RepaintDraggingDivider();

private:
    using TRows = std::vector<std::unique_ptr<TPropEditInfo>>;
    std::unique_ptr<TPropEditInfo> MakeRow(const fw::String& aName, TPropList* aProps);
    // Loads aMultiProps into the rows shown when it has their shape (the same names and
    // property kinds in order, no row expanded): the strip stays on its row and only
    // rows whose look changes are repainted. False, changing nothing, otherwise.
    bool LoadIntoSameRows(TMultiPropList* aMultiProps);
    // Repaints the item of a row LoadIntoSameRows changed, and the strip over it when
    // the strip shows what changed.
    void RepaintLoadedRow(int32_t aIndex, bool aColorChanged);
    TPropEditInfo* FindTopRow(const fw::String& aName) const;
    bool CanPlaceSelection() const;
    // Runs the host's OnPropChange for aRow; false when the handler rebuilt the rows
    // (the typed value has then been written into the same record's field, if the
    // rows still show it).
    bool CallPropChangeHandler(TPropEditInfo& aRow, const fw::String& aName, TProp* aProp,
                               int32_t aPropIndex, const fw::Variant& aValue);
    // Writes aValue into the field aName of the current record; a refusal reloads
    // aRow (when given) from the field and passes on.
    void WriteField(TPropEditInfo* aRow, const fw::String& aName, const fw::Variant& aValue);
    // The bitmap canvas in the box's font and colour.
    void PrepareItemCanvas(fw::TCanvas& aCanvas);
    bool Designing() const;
    // True when aRow is aTop or one of its descendants.
    static bool IsInTree(const TPropEditInfo* aRow, const TPropEditInfo* aTop);
    // The values the rows show: the current record's, or the chosen records'.
    std::unique_ptr<TMultiPropList> Snapshot(fw::TDataSet& aDataSet) const;
    // True when the chosen records no longer mean what they meant when chosen.
    bool ChoiceOutdated() const;
    // Writes the gathered values of the chosen records; a refusal reloads the rows.
    void WriteChosenRecords();
    // Reloads every top-level row from the data set without writing anything.
    void RestoreRowsFromData();
    // Repaints the items of aRow and of its shown descendants.
    void RepaintTree(const TPropEditInfo& aRow);
    // Reloads aRow from its field after the field refused the row's value.
    void RestoreRowFromField(TPropEditInfo& aRow, fw::TDataSet& aDataSet);

    // True while NewProps or ClearList change the items: a resize they cause (a
    // scroll bar coming or going) must not move the strip onto half-built rows.
    bool FRebuilding = false;
    // True while a row is reloaded from its field after a refused write.
    bool FRestoringRow = false;
    // True while LoadIntoSameRows loads a record: the loads are no changes to report.
    bool FLoadingSameRows = false;
    uint64_t FGeneration = 0;
    // Holds on the rows (TRowsInUse) and the rows dropped while held.
    int32_t FRowsHeld = 0;
    TRows FRetiredRows;
    // The chosen records, the record count they were chosen at and a counter of
    // choices (a handler that changes the choice drops the values gathered).
    std::vector<int64_t> FChosen;
    int64_t FChosenCount = 0;
    uint64_t FChoice = 0;
    // A value set for chosen record (object) Index, not yet written.
    struct TPendingWrite {
        int32_t Index;
        fw::String Field;
        fw::Variant Value;
    };
    std::vector<TPendingWrite> FPendingWrites;
    int32_t FWriteDepth = 0;
    // The choice when the outermost bracket began: rows dropped by a rebuild under
    // a handler still hold values for those records.
    uint64_t FWritesChoice = 0;
    uint64_t FWritesGeneration = 0;
    void QueueWrite(int32_t aIndex, const fw::String& aName, const fw::Variant& aValue);
};

// Holds the box's rows for the lifetime of the scope (see TQuire::HoldRows); a null
// box holds nothing.
class TRowsInUse {
public:
    explicit TRowsInUse(TQuire* aBox) : FBox(aBox) {
        if (FBox != nullptr) {
            FBox->HoldRows();
        }
    }
    ~TRowsInUse() {
        if (FBox != nullptr) {
            FBox->ReleaseRows();
        }
    }
    TRowsInUse(const TRowsInUse&) = delete;
    TRowsInUse& operator=(const TRowsInUse&) = delete;

private:
    TQuire* FBox;
};

// Brackets a change of rows' values for the lifetime of the scope (see
// TQuire::BeginRecordWrites): Done writes what was gathered, leaving the scope
// without Done drops it. A null box brackets nothing.
class TRecordWrites {
public:
    explicit TRecordWrites(TQuire* aBox) : FBox(aBox) {
        if (FBox != nullptr) {
            FBox->BeginRecordWrites();
        }
    }
    ~TRecordWrites() {
        if (FBox != nullptr && !FDone) {
            FBox->EndRecordWrites(false);
        }
    }
    void Done() {
        FDone = true;
        if (FBox != nullptr) {
            FBox->EndRecordWrites(true);
        }
    }
    TRecordWrites(const TRecordWrites&) = delete;
    TRecordWrites& operator=(const TRecordWrites&) = delete;

private:
    TQuire* FBox;
    bool FDone = false;
};

} // namespace quire
