// SPDX-License-Identifier: MIT
#pragma once
// TTextPropEditor: multi-line text (TTextProp). The row shows the placeholder
// "(Text)" (the resource string "Text" in parentheses) whatever the lines are, cannot
// be typed into, and offers a dialog. Typed text is ignored (the inherited SetValue).
//
// Edit shows the lines in TEditTextForm's memo, joined by line feeds as the text
// kind converts them. OK stores the memo's text split at line feeds through
// TProp::SetValue, so only a real change is reported; OK on a text the user did not
// touch stores nothing, also where the memo shows the text differently from how it
// is held (a carriage return is a line break in the memo). Cancel or closing the
// window leaves the property as it was. The form is freed on every path.

#include "quire/editors/PropEditor.h"

namespace quire {

class TTextPropEditor : public TPropEditor {
    FW_CLASS(TTextPropEditor, TPropEditor)
public:
    TTextPropEditor() = default;
    // Raises EPropEditor when aProp is not a text property.
    void Edit(TProp* aProp) override;
    // [peaDialog, peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
    fw::String GetValue(TProp* aProp) override;
};

} // namespace quire
