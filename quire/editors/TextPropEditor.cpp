#include "quire/editors/TextPropEditor.h"

#include "quire/values/QuireStrings.h"

namespace quire {

FW_IMPLEMENT_CLASS(TTextPropEditor)

TPropEditorAttributes TTextPropEditor::GetAttributes() {
    return {peaDialog, peaMultiSelect, peaReadOnly};
}

fw::String TTextPropEditor::GetValue(TProp*) {
    return "(" + LoadResString(SText) + ")";
}

} // namespace quire
