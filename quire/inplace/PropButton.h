// SPDX-License-Identifier: MIT
#pragma once
// TPropButton: the small owner-painted button at the right end of the selection
// strip: a drop-down arrow for rows with lookup values (pbtLookup), an ellipsis for
// rows with a dialog (pbtEdit, the type at creation). Its glyphs are drawn in the
// symbol faces "Marlett" ("6", height 12) and "Wingdings" (three 0x9F, height 9).
//
// The button tracks the pointer itself; the framework's control style is empty, so
// neither a capture nor click events come from the framework:
//   - a move over it without capture makes the flat look (pbsNormal) raised
//     (pbsHighlight) and starts the 100 ms hover timer; with capture the look is
//     sunken (pbsPressed) inside and raised outside;
//   - a left press captures the mouse and shows the sunken look;
//   - the release ends the capture; inside, and unless a click was delivered since
//     the last timer tick, it fires OnClick (through Click); then the look is raised
//     and the timer runs, also when OnClick raises;
//   - a timer tick without capture in the raised look re-arms the click latch and,
//     when the pointer has left the button, returns it to the flat look and stops
//     the timer.
// So the two clicks of a quick double click give one OnClick. A state change paints
// at once when the window exists. ParentFont is off.

#include "platform/controls/CustomControl.h"
#include "platform/controls/Timer.h"

#include <cstdint>

namespace quire {

enum class TPropButtonType : uint8_t { pbtLookup, pbtEdit };
using enum TPropButtonType;

enum class TPropButtonState : uint8_t { pbsNormal, pbsHighlight, pbsPressed };
using enum TPropButtonState;

class TPropButton : public fw::TCustomControl {
    FW_CLASS(TPropButton, fw::TCustomControl)
public:
    explicit TPropButton(fw::TComponent* aOwner = nullptr);

    TPropButtonState State() const { return FState; }
    void SetState(TPropButtonState aState);
    TPropButtonType ButtonType() const { return FButtonType; }
    void SetButtonType(TPropButtonType aType);
    // True from a delivered click until the next timer tick.
    bool Clicked() const { return FClicked; }
    // The hover timer (owned by the button as its component owner).
    fw::TTimer* Timer() const { return FTimer; }

    // The pixel width of the current type's glyph in the glyph's font.
    int32_t CalcWidth();

    // The hover timer's handler.
    void OnTimer(fw::TObject* Sender);

    void MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) override;
    void MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                   int32_t aY) override;
    void MouseUp(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX, int32_t aY) override;

protected:
    void Paint() override;

private:
    bool InClient(int32_t aX, int32_t aY) const;
    // The raised look and the running timer after a release.
    void EndClick();

    fw::TTimer* FTimer = nullptr;
    TPropButtonState FState = pbsNormal;
    TPropButtonType FButtonType = pbtEdit;
    bool FClicked = false;
};

} // namespace quire
