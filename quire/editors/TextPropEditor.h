#pragma once
// TTextPropEditor: multi-line text (TTextProp). The row shows the placeholder
// "(Text)" (the resource string "Text" in parentheses) whatever the lines are, cannot
// be typed into, and offers a dialog. Typed text is ignored (the inherited SetValue).
// Edit keeps the inherited behaviour (nothing happens) until the text dialog exists.

#include "quire/editors/PropEditor.h"

namespace quire {

class TTextPropEditor : public TPropEditor {
    FW_CLASS(TTextPropEditor, TPropEditor)
public:
    TTextPropEditor() = default;
    // [peaDialog, peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
    fw::String GetValue(TProp* aProp) override;
};

} // namespace quire
