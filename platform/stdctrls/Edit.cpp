// SPDX-License-Identifier: MIT
#include "platform/stdctrls/Edit.h"

#include "platform/stdctrls/NativeControls.h"

namespace fw {

FW_IMPLEMENT_CLASS(TCustomEdit)
FW_IMPLEMENT_CLASS(TEdit)

TCustomEdit::TCustomEdit(TComponent* aOwner) : TWinControl(aOwner) {
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TNativeEdit* TCustomEdit::NativeEdit() const {
    return dynamic_cast<TNativeEdit*>(Native());
}

std::unique_ptr<TNativeWindow> TCustomEdit::CreateNativeWindow(const TCreateParams& aParams) {
    return backend::CreateEditWindow(*this, aParams, IsMultiLine());
}

void TCustomEdit::InitializeWnd() {
    TNativeEdit* edit = NativeEdit();
    edit->SetReadOnly(FReadOnly);
    edit->SetFrame(FBorderStyle != bsNone);
    edit->SetHideSelection(FHideSelection);
    edit->SetMaxLength(FMaxLength);
}

void TCustomEdit::SetReadOnly(bool aReadOnly) {
    FReadOnly = aReadOnly;
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetReadOnly(aReadOnly);
    }
}

void TCustomEdit::SetBorderStyle(TBorderStyle aStyle) {
    FBorderStyle = aStyle;
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetFrame(aStyle != bsNone);
    }
}

void TCustomEdit::SetHideSelection(bool aHide) {
    FHideSelection = aHide;
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetHideSelection(aHide);
    }
}

void TCustomEdit::SetMaxLength(int32_t aMaxLength) {
    FMaxLength = aMaxLength;
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetMaxLength(aMaxLength);
    }
}

void TCustomEdit::SelectAll() {
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SelectAll();
    }
}

int32_t TCustomEdit::SelStart() const {
    TNativeEdit* edit = NativeEdit();
    return edit != nullptr ? edit->SelStart() : 0;
}

int32_t TCustomEdit::SelLength() const {
    TNativeEdit* edit = NativeEdit();
    return edit != nullptr ? edit->SelLength() : 0;
}

void TCustomEdit::SetSelStart(int32_t aStart) {
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetSelection(aStart, 0);
    }
}

void TCustomEdit::SetSelLength(int32_t aLength) {
    if (TNativeEdit* edit = NativeEdit()) {
        edit->SetSelection(edit->SelStart(), aLength);
    }
}

void TCustomEdit::Change() {
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomEdit::TextChanged() {
    TWinControl::TextChanged();
    // A one-line field reports programmatic changes itself (EN_CHANGE); a memo and a
    // field without window do not, so the change is announced here.
    if (!HandleAllocated() || IsMultiLine()) {
        Change();
    }
}

void TCustomEdit::Dispatch(TMessage& aMessage) {
    if (aMessage.Msg == CN_COMMAND) {
        CNCommand(aMessage);
    } else {
        TWinControl::Dispatch(aMessage);
    }
}

void TCustomEdit::CNCommand(TMessage& aMessage) {
    if (HiWord(aMessage.WParam) == EN_CHANGE && !CreatingWnd()) {
        Change();
    }
}

} // namespace fw
