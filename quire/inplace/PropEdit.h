// SPDX-License-Identifier: MIT
#pragma once
// TPropEdit: the strip's borderless one-line edit field. Every change of its text,
// typed or set by the program, marks it changed; only a commit writes the text into
// the row. Keys:
//   Up, Down, Page Up, Page Down   go to the box, which moves its selection (and
//                                  commits the text of the row it leaves)
//   Enter                          commits the text
//   Ctrl+Enter (character 10)      the row's dialog, or its next lookup value
//   Alt+Down                       the pick list
//   Escape                         drops a changed text (an unchanged one lets Escape
//                                  go on, to a dialog's cancel button, say)
// A double click in the field, or a press on it within the double-click time after
// a press on the box, runs the strip's Edit like Ctrl+Enter.

#include "platform/stdctrls/Edit.h"

namespace quire {

class TPropSelection;

class TPropEdit : public fw::TCustomEdit {
    FW_CLASS(TPropEdit, fw::TCustomEdit)
public:
    explicit TPropEdit(fw::TComponent* aOwner = nullptr) : fw::TCustomEdit(aOwner) {}

    // The strip that created the field; not owned.
    TPropSelection* FSelection = nullptr;
    // The text changed since it was loaded from the row or committed to it.
    bool FTextChanged = false;

    void Change() override;
    void DblClick() override;
    void MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                   int32_t aY) override;
    void Dispatch(fw::TMessage& aMessage) override;

protected:
    // Enter always commits here, and Escape drops a changed text here: neither goes
    // to a dialog's default or cancel button then.
    bool WantsKey(uint16_t aKey) const override;
    void WMKeyDown(fw::TMessage& aMessage);
    void WMSysKeyDown(fw::TMessage& aMessage);
    void WMChar(fw::TMessage& aMessage);
};

} // namespace quire
