// SPDX-License-Identifier: MIT
#include "quire/inplace/PropEdit.h"

#include "quire/box/Quire.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropEdit)

void TPropEdit::Change() {
    fw::TCustomEdit::Change();
    FTextChanged = true;
}

void TPropEdit::DblClick() {
    FSelection->Edit();
}

void TPropEdit::MouseDown(fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
    if (FSelection->WithinDoubleClickOfBox()) {
        DblClick();
    }
}

bool TPropEdit::WantsKey(uint16_t aKey) const {
    return aKey == fw::VK_RETURN || (aKey == fw::VK_ESCAPE && FTextChanged);
}

void TPropEdit::Dispatch(fw::TMessage& aMessage) {
    switch (aMessage.Msg) {
    case fw::WM_KEYDOWN:
        WMKeyDown(aMessage);
        break;
    case fw::WM_SYSKEYDOWN:
        WMSysKeyDown(aMessage);
        break;
    case fw::WM_CHAR:
        WMChar(aMessage);
        break;
    default:
        fw::TCustomEdit::Dispatch(aMessage);
        break;
    }
}

void TPropEdit::WMKeyDown(fw::TMessage& aMessage) {
    switch (aMessage.WParam) {
    case fw::VK_PRIOR:
    case fw::VK_NEXT:
    case fw::VK_UP:
    case fw::VK_DOWN:
        FSelection->FBox->Perform(aMessage.Msg, aMessage.WParam, aMessage.LParam);
        break;
    case fw::VK_ESCAPE:
        // Escape drops the typed text, so a later move to another row cannot write
        // what the user meant to throw away.
        if (FTextChanged) {
            FSelection->GetValueFromProp();
        } else {
            fw::TCustomEdit::Dispatch(aMessage);
        }
        break;
    default:
        fw::TCustomEdit::Dispatch(aMessage);
        break;
    }
}

void TPropEdit::WMSysKeyDown(fw::TMessage& aMessage) {
    if (aMessage.WParam == fw::VK_DOWN && (fw::GetAsyncKeyState(fw::VK_MENU) & 0x8000) != 0) {
        FSelection->Lookup();
        return;
    }
    fw::TCustomEdit::Dispatch(aMessage);
}

void TPropEdit::WMChar(fw::TMessage& aMessage) {
    switch (aMessage.WParam) {
    case 13:
        FSelection->SetValueToProp();
        break;
    case 10:
        FSelection->Edit();
        break;
    case 27:
        break; // handled as a key
    default:
        fw::TCustomEdit::Dispatch(aMessage);
        break;
    }
}

} // namespace quire
