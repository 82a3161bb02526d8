// SPDX-License-Identifier: MIT
#include "quire/editors/PropEditor.h"

#include "platform/graphics/Gdi.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropInfoList)
FW_IMPLEMENT_CLASS(TPropEditor)

void TPropInfoList::AddInfo(const fw::String& aName, TPropClass aPropClass) {
    AddObject(aName, aPropClass);
}

TPropClass TPropInfoList::GetPropClass(int32_t aIndex) const {
    return GetObject(aIndex).Class();
}

void TPropEditor::GetSubPropsInfo(TPropInfoList*) {}

void TPropEditor::SetSubProps(TProp*, TSubPropList*) {}

void TPropEditor::GetSubProps(TProp*, TSubPropList*) {}

void TPropEditor::Edit(TProp*) {}

TPropEditorAttributes TPropEditor::GetAttributes() {
    return {peaMultiSelect};
}

int32_t TPropEditor::GetEditLimit() {
    return 255;
}

void TPropEditor::GetLookupValues(fw::TStringList*) {}

void TPropEditor::GetPropLookupValues(TPropList*, fw::TStringList* aValues) {
    GetLookupValues(aValues);
}

fw::String TPropEditor::GetValue(TProp*) {
    return "(Пусто)";
}

void TPropEditor::SetValue(TProp*, const fw::String&) {}

void TPropEditor::PaintValue(const fw::String& aValue, fw::TCanvas* aCanvas, const fw::TRect& aRect,
                             fw::TOwnerDrawState) {
    const fw::TRect r = aRect;
    // An opaque output of no characters: fills r with the background colour.
    fw::ExtTextOut(aCanvas->Handle(), r.Left, r.Top, fw::ETO_OPAQUE, &r, "");
    DrawTextVCenter(aCanvas, r, 0, aValue);
}

fw::TObject* TPropEditor::FindObject(const fw::String& aName) {
    if (FNameSpace == nullptr)
        return nullptr;
    const int32_t index = FNameSpace->IndexOf(aName);
    if (index < 0)
        return nullptr;
    return FNameSpace->GetObject(index).Object();
}

fw::TObject* TPropEditor::GetObject(const fw::String& aName) {
    fw::TObject* object = FindObject(aName);
    if (object == nullptr)
        throw EPropEditor("TPropEditor.GetObject: Не найден объект \"" + aName + "\"");
    return object;
}

void DrawTextVCenter(fw::TCanvas* aCanvas, const fw::TRect& aRect, int32_t aDY,
                     const fw::String& aText) {
    fw::TRect r = aRect;
    fw::OffsetRect(&r, 0, aDY);
    // DT_NOPREFIX: a value such as "Smith & Sons" shows its "&" instead of
    // underlining the next letter.
    fw::DrawText(aCanvas->Handle(), aText, &r,
                 fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
}

} // namespace quire
