// SPDX-License-Identifier: MIT
#pragma once
// TPropSelection: the in-place editor strip laid over the box's selected row. It
// repeats the row's left half (indent, expand sign, name, divider) and carries the
// edit field and, for rows with lookup values or a dialog, a small button. It loads
// the row's text, writes typed text back on a commit (Enter, moving to another row,
// the box's ApplyChanges), opens the pick list or the row's dialog, and hands
// presses on its own surface to the box, so selecting, dragging the divider and
// double-click expansion work over the strip as over the box.
//
// A call out of the strip (the pick list's or a dialog's wait, a commit reaching the
// host's OnPropChange) may rebuild the box's rows: the strip holds them meanwhile
// and finds its row again afterwards (TQuire::FindRow), writing nothing when the
// data set moved to another record or closed.
//
// A text the row rejects is reported by rethrowing its error after the strip has
// put the selection back on the row and reloaded the stored value: nothing typed is
// written half-way, and the framework's standard report shows the message.
//
// The box creates the strip (no owner, the box as parent), sets FBox and destroys it
// with itself.

#include "platform/controls/CustomControl.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/StringList.h"

#include <memory>

namespace quire {

class TQuire;
class TPropEditInfo;
class TPropEdit;
class TPropButton;

class TPropSelection : public fw::TCustomControl {
    FW_CLASS(TPropSelection, fw::TCustomControl)
public:
    explicit TPropSelection(fw::TComponent* aOwner = nullptr);
    ~TPropSelection() override;

    std::unique_ptr<fw::TBitmap> FBitmap;
    TQuire* FBox = nullptr;
    // Children owned by the strip as their owner component.
    TPropEdit* FEdit = nullptr;
    TPropButton* FButton = nullptr;
    // The row being edited; not owned.
    TPropEditInfo* FEditInfo = nullptr;
    fw::TRect FIndentRect;
    fw::TRect FNameRect;
    fw::TRect FEditRect;
    fw::TRect FButtonRect;

    // Commits the current row's changed text, then attaches to aEditInfo (nullptr:
    // detaches and hides). The same row again changes nothing.
    void SetEditInfo(TPropEditInfo* aEditInfo);
    // Lets go of the row without committing (the box's destruction).
    void Detach() { FEditInfo = nullptr; }
    // Lays out the name, edit and button rectangles from the box's divider and
    // read-only switch. (It hides the framework's alignment call of the same name,
    // which reaches it through AlignControls.)
    void Realign();
    // Loads the row's text into the edit field, dropping what was typed.
    void GetValueFromProp();
    // Writes the edit field's text into the row when it was changed.
    void SetValueToProp();
    // Opens the pick list of the row's lookup values.
    void Lookup();
    // Runs the row's dialog, or steps a lookup row to its next value.
    void Edit();
    void PropButtonClick(fw::TObject* aSender);
    // Repaints at once.
    void UpdatePropName();
    // True for a press within the double-click time after the box's last press: the
    // second press of a double click that began on the box.
    bool WithinDoubleClickOfBox() const;

    void Dispatch(fw::TMessage& aMessage) override;
    void DblClick() override;
    void MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) override;
    void MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                   int32_t aY) override;

protected:
    void AlignControls(fw::TControl* aControl, fw::TRect& aRect) override;
    void Paint() override;
    void WMLButtonDown(fw::TMessage& aMessage);

private:
    void PaintRow(fw::TCanvas& aCanvas, fw::TRect aRect);
    // The button's glyph width, its type from the row, its bounds and visibility.
    int32_t ButtonGlyphWidth() const;
    void UpdateButtonType();
    void PlaceButton();
    // Sets aText into aRow, then shows the strip's row's text in the edit field.
    void SetRowValue(TPropEditInfo& aRow, const fw::String& aText);
    // Runs the row's dialog; a choice made while the rows were rebuilt for the same
    // record reaches the rebuilt row.
    void EditInDialog();
    bool LookupValues(fw::TStringList& aValues);
};

} // namespace quire
