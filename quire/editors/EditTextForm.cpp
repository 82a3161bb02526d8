// SPDX-License-Identifier: MIT
#include "quire/editors/EditTextForm.h"

#include "platform/stdctrls/Button.h"

namespace quire {

FW_IMPLEMENT_CLASS(TEditTextForm)

namespace {

fw::TButton* AddButton(fw::TPanel* aStrip, int32_t aLeft, const fw::String& aCaption,
                       fw::TModalResult aResult) {
    auto* button = fw::CreateOwned<fw::TButton>(aStrip);
    button->SetParent(aStrip);
    button->SetBounds(aLeft, 0, button->Width(), 23);
    button->SetCaption(aCaption);
    button->SetModalResult(aResult);
    return button;
}

} // namespace

TEditTextForm::TEditTextForm(fw::TComponent* aOwner) : fw::TForm(aOwner, 0) {
    SetCaption("Text");
    SetPosition(fw::poScreenCenter);
    SetClientSize(400, 300);

    Panel1 = fw::CreateOwned<fw::TPanel>(this);
    Panel1->SetParent(this);
    Panel1->SetAlign(fw::alClient);
    Panel1->SetBevelOuter(fw::bvNone);

    Panel2 = fw::CreateOwned<fw::TPanel>(this);
    Panel2->SetParent(this);
    Panel2->SetAlign(fw::alBottom);
    Panel2->SetHeight(25);
    Panel2->SetBevelOuter(fw::bvNone);

    TextMemo = fw::CreateOwned<fw::TMemo>(Panel1);
    TextMemo->SetParent(Panel1);
    TextMemo->SetAlign(fw::alClient);

    AddButton(Panel2, 4, "OK", fw::mrOk)->SetDefault(true);
    AddButton(Panel2, 84, "Cancel", fw::mrCancel)->SetCancel(true);
}

} // namespace quire
