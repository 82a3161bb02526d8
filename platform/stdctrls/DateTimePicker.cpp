// SPDX-License-Identifier: MIT
#include "platform/stdctrls/DateTimePicker.h"

#include "platform/rtl/DateUtils.h"
#include "platform/stdctrls/NativeControls.h"

namespace fw {

FW_IMPLEMENT_CLASS(TDateTimePicker)

namespace {

TNativeDateTimePicker* PickerOf(TNativeWindow* aWindow) {
    return dynamic_cast<TNativeDateTimePicker*>(aWindow);
}

TPickerKind NativeKind(TDateTimeKind aKind) {
    return aKind == dtkTime ? TPickerKind::Time : TPickerKind::Date;
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* aOwner) : TWinControl(aOwner), FDateTime(Now()) {
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

std::unique_ptr<TNativeWindow> TDateTimePicker::CreateNativeWindow(const TCreateParams& aParams) {
    return backend::CreateDateTimePickerWindow(*this, aParams);
}

void TDateTimePicker::InitializeWnd() {
    TNativeDateTimePicker* picker = PickerOf(Native());
    picker->SetKind(NativeKind(FKind));
    picker->SetDateTime(FDateTime);
}

void TDateTimePicker::DestroyWnd() {
    FDateTime = PickerOf(Native())->DateTime();
}

void TDateTimePicker::SetKind(TDateTimeKind aKind) {
    FKind = aKind;
    if (TNativeDateTimePicker* picker = PickerOf(Native())) {
        picker->SetKind(NativeKind(aKind));
    }
}

TDateTime TDateTimePicker::DateTime() const {
    TNativeDateTimePicker* picker = PickerOf(Native());
    return picker != nullptr ? picker->DateTime() : FDateTime;
}

void TDateTimePicker::SetDateTime(TDateTime aValue) {
    FDateTime = aValue;
    if (TNativeDateTimePicker* picker = PickerOf(Native())) {
        picker->SetDateTime(aValue);
    }
}

void TDateTimePicker::SetDate(TDateTime aValue) {
    SetDateTime(ComposeDateTime(DateOf(aValue), TimeOf(DateTime())));
}

void TDateTimePicker::SetTime(TDateTime aValue) {
    SetDateTime(ComposeDateTime(DateOf(DateTime()), TimeOf(aValue)));
}

void TDateTimePicker::Change() {
    if (OnChange) {
        OnChange(this);
    }
}

void TDateTimePicker::Dispatch(TMessage& aMessage) {
    if (aMessage.Msg == CN_COMMAND && HiWord(aMessage.WParam) == DTN_DATETIMECHANGE) {
        FDateTime = DateTime();
        Change();
        return;
    }
    TWinControl::Dispatch(aMessage);
}

} // namespace fw
