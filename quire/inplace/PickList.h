// SPDX-License-Identifier: MIT
#pragma once
// The pick list: the drop-down list from which a row's lookup value is chosen.
//
// ShowPickList opens one borderless form holding a list box below the value area
// aRect (screen coordinates), or above it when fewer than 4 rows fit below and there
// are at least 4 entries; the list's right edge is aRect's right edge (a wider list
// grows to the left), it shows as many whole rows as fit in the work area, at least
// one, and is moved inside the work area. It then waits, processing the application's
// messages, until the user accepts (Enter, Space, Alt+Up, Alt+Down, a mouse release
// in the list) or cancels (Escape, the form losing activation, e.g. by a press on
// another form). Once shown, Application->ModalShown is called with the form, so tests
// and scripted runs can act on it. The form is hidden again on every path.
//
// It answers true with aValue set to the current entry when the user accepted one;
// false with aValue unchanged when cancelled, and also when accepted without a
// current entry (aValue matched none and the user did not move). Without a paint
// method the list draws its texts and is at least as wide as the widest text + 8;
// with one it is owner-drawn, exactly aRect's width, and the method paints each item
// on the list's canvas (prepared with the selection colours).
//
// One form serves the whole application (PickListForm), created on first use with
// the application object as owner and kept hidden between showings. One showing at a
// time: ShowPickList called while one waits (from a handler run by its message loop)
// raises fw::EInvalidOperation and leaves the open list alone.

#include "quire/editors/PropEditor.h"

#include "platform/stdctrls/Form.h"
#include "platform/stdctrls/ListBox.h"

namespace quire {

class TPickListForm : public fw::TForm {
    FW_CLASS(TPickListForm, fw::TForm)
public:
    // Built in code: no border, the list box filling it with a flat one-pixel frame.
    // OnDestroy resets PickListForm when this is the shared form.
    explicit TPickListForm(fw::TComponent* aOwner = nullptr);

    // Owned by the form.
    fw::TListBox* ListBox = nullptr;

    // ModalResult := mrCancel.
    void FormDeactivate(fw::TObject* Sender);
    // Enter, Space, Alt+Up/Down: mrOk; Escape: mrCancel; each then clears Key. Up and
    // Down without Alt stay with the list (they move the current entry).
    void ListBoxKeyDown(fw::TObject* Sender, uint16_t& Key, fw::TShiftState Shift);
    // Any button: mrOk (the press has made the entry under the pointer current).
    void ListBoxMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                        int32_t X, int32_t Y);
    // Calls the paint method of the showing, if any, with the item's text.
    void ListBoxDrawItem(fw::TWinControl* Control, int32_t Index, const fw::TRect& Rect,
                         fw::TOwnerDrawState State);

private:
    friend bool ShowPickList(const fw::TRect&, fw::String&, const fw::TStrings&,
                             const TPaintItemProc&);
    TPaintItemProc FPaintItemProc;
};

// The shared form, or nullptr before the first showing and after it was destroyed.
extern TPickListForm* PickListForm;

// See the header comment. aList is copied; it is not kept.
bool ShowPickList(const fw::TRect& aRect, fw::String& aValue, const fw::TStrings& aList,
                  const TPaintItemProc& aPaintItemProc);

// The desktop work area in screen coordinates (SPI_GETWORKAREA).
void GetWorkArea(fw::TRect& aRect);
// The larger of aMinWidth and the widest entry's text in aFont plus 8, measured on a
// screen context.
int32_t CalcPickListWidth(int32_t aMinWidth, const fw::TFont& aFont, const fw::TStrings& aList);
// Moves aRect, keeping its size, into the work area: right, then left, then bottom,
// then top edge, so a rectangle larger than the work area ends at its left and top.
void FitRectToWorkArea(fw::TRect& aRect);
// The list hanging down from aTop (or up from aBottom), right edge aRight, aWidth
// wide: aRows whole rows of aRowHeight (as many as fit in the work area, at most
// aCount, at least 1) plus 2 border pixels, fitted into the work area.
void CalcDropDownRect(int32_t aRight, int32_t aTop, int32_t aRowHeight, int32_t aWidth,
                      int32_t aCount, fw::TRect& aRect, int32_t& aRows);
void CalcDropUpRect(int32_t aRight, int32_t aBottom, int32_t aRowHeight, int32_t aWidth,
                    int32_t aCount, fw::TRect& aRect, int32_t& aRows);

} // namespace quire
