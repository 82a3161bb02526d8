// SPDX-License-Identifier: MIT
#include "quire/editors/FormDateTime.h"

#include "platform/stdctrls/Button.h"

namespace quire {

FW_IMPLEMENT_CLASS(TFormDateTime)

namespace {

fw::TButton* AddButton(fw::TForm* aForm, int32_t aLeft, const fw::String& aCaption,
                       fw::TModalResult aResult) {
    auto* button = fw::CreateOwned<fw::TButton>(aForm);
    button->SetParent(aForm);
    button->SetBounds(aLeft, 150, button->Width(), 23);
    button->SetCaption(aCaption);
    button->SetModalResult(aResult);
    return button;
}

} // namespace

TFormDateTime::TFormDateTime(fw::TComponent* aOwner) : fw::TForm(aOwner, 0) {
    SetCaption("Date / Time");
    SetPosition(fw::poScreenCenter);

    Picker = fw::CreateOwned<fw::TDateTimePicker>(this);
    Picker->SetParent(this);
    Picker->SetBounds(50, 50, Picker->Width(), Picker->Height());

    AddButton(this, 4, "OK", fw::mrOk)->SetDefault(true);
    AddButton(this, 84, "Cancel", fw::mrCancel)->SetCancel(true);
}

} // namespace quire
