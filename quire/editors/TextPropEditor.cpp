// SPDX-License-Identifier: MIT
#include "quire/editors/TextPropEditor.h"

#include "quire/editors/EditTextForm.h"
#include "quire/values/PropKinds.h"
#include "quire/values/QuireStrings.h"

namespace quire {

FW_IMPLEMENT_CLASS(TTextPropEditor)

void TTextPropEditor::Edit(TProp* aProp) {
    auto* text = dynamic_cast<TTextProp*>(aProp);
    if (text == nullptr) {
        throw EPropEditor("TTextPropEditor.Edit: a text property is needed, not " +
                          (aProp != nullptr ? aProp->ClassName() : fw::String("none")));
    }
    const std::unique_ptr<TEditTextForm> form = fw::New<TEditTextForm>(nullptr);
    form->TextMemo->SetText(TTextProp::JoinLines(text->Lines()));
    // The text as the memo holds it, to tell an untouched text from an edited one.
    form->HandleNeeded();
    const fw::String shown = form->TextMemo->Text();
    if (form->ShowModal() != fw::mrOk) {
        return;
    }
    const fw::String edited = form->TextMemo->Text();
    if (edited == shown) {
        return;
    }
    fw::TStringList lines;
    TTextProp::SplitLines(edited, lines);
    aProp->SetValue(&lines);
}

TPropEditorAttributes TTextPropEditor::GetAttributes() {
    return {peaDialog, peaMultiSelect, peaReadOnly};
}

fw::String TTextPropEditor::GetValue(TProp*) {
    return "(" + LoadResString(SText) + ")";
}

} // namespace quire
