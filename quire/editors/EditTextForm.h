// SPDX-License-Identifier: MIT
#pragma once
// TEditTextForm: the text editor's dialog, built in code: a memo filling the form
// above a 25-pixel strip with OK (mrOk, the default button) and Cancel (mrCancel,
// also Escape). Enter in the memo breaks the line. Every control belongs to the
// form's component tree and dies with it. Only TTextPropEditor creates it.

#include "platform/stdctrls/Form.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Panel.h"

namespace quire {

class TEditTextForm : public fw::TForm {
    FW_CLASS(TEditTextForm, fw::TForm)
public:
    explicit TEditTextForm(fw::TComponent* aOwner = nullptr);

    // Owned by the component tree (Panel1 and Panel2 by the form, TextMemo by Panel1).
    fw::TPanel* Panel1 = nullptr;
    fw::TPanel* Panel2 = nullptr;
    fw::TMemo* TextMemo = nullptr;
};

} // namespace quire
