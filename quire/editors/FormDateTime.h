// SPDX-License-Identifier: MIT
#pragma once
// TFormDateTime: the date and time editors' dialog, built in code: a date-time
// picker with OK (mrOk, the default button, also Enter) and Cancel (mrCancel, also
// Escape) below it. The editor sets the caption and the picker's kind and value
// before showing it. Every control belongs to the form and dies with it. Only
// TDTPropEditor creates it.

#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Form.h"

namespace quire {

class TFormDateTime : public fw::TForm {
    FW_CLASS(TFormDateTime, fw::TForm)
public:
    explicit TFormDateTime(fw::TComponent* aOwner = nullptr);

    // Owned by the form.
    fw::TDateTimePicker* Picker = nullptr;
};

} // namespace quire
