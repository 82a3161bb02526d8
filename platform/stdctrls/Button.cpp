// SPDX-License-Identifier: MIT
#include "platform/stdctrls/Button.h"

#include "platform/controls/VirtualKeys.h"
#include "platform/stdctrls/Form.h"
#include "platform/stdctrls/NativeControls.h"

namespace fw {

FW_IMPLEMENT_CLASS(TButton)

TButton::TButton(TComponent* aOwner) : TWinControl(aOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

std::unique_ptr<TNativeWindow> TButton::CreateNativeWindow(const TCreateParams& aParams) {
    return backend::CreateButtonWindow(*this, aParams);
}

void TButton::InitializeWnd() {
    dynamic_cast<TNativeButton&>(*Native()).SetDefault(FDefault);
}

void TButton::SetDefault(bool aDefault) {
    FDefault = aDefault;
    if (auto* button = dynamic_cast<TNativeButton*>(Native())) {
        button->SetDefault(aDefault);
    }
}

void TButton::Click() {
    if (TForm* form = GetParentForm(this); form != nullptr && FModalResult != mrNone) {
        form->SetModalResult(FModalResult);
    }
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& aMessage) {
    if (aMessage.Msg == CN_COMMAND && HiWord(aMessage.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    if (aMessage.Msg == CM_DIALOGKEY) {
        CMDialogKey(aMessage);
        return;
    }
    TWinControl::Dispatch(aMessage);
}

void TButton::CMDialogKey(TMessage& aMessage) {
    const auto key = static_cast<uint16_t>(aMessage.WParam);
    const bool mine = (key == VK_RETURN && TakesEnter()) || (key == VK_ESCAPE && FCancel);
    if (mine && CanFocus()) {
        aMessage.Result = 1;
        Click();
    }
}

bool TButton::TakesEnter() {
    TForm* form = GetParentForm(this);
    TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
    if (focused == this) {
        return true;
    }
    return FDefault && dynamic_cast<TButton*>(focused) == nullptr;
}

} // namespace fw
