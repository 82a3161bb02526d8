// SPDX-License-Identifier: MIT
#include "quire/editors/EnumPropEditors.h"

#include "quire/values/QuireStrings.h"

#include "platform/rtl/AnsiStrings.h"

namespace quire {

FW_IMPLEMENT_CLASS(TEnumOrdPropEditor)
FW_IMPLEMENT_CLASS(TBooleanPropEditor)

TEnumOrdPropEditor::TEnumOrdPropEditor() : FValues(std::make_unique<fw::TStringList>()) {}

TEnumOrdPropEditor::~TEnumOrdPropEditor() = default;

void TEnumOrdPropEditor::AfterConstruction() {
    inherited::AfterConstruction();
    GetEnumValues([this](const fw::String& aName, int32_t aValue) { AddEnumValue(aName, aValue); },
                  FOptions);
}

TPropEditorAttributes TEnumOrdPropEditor::GetAttributes() {
    return {peaLookupValues, peaMultiSelect};
}

void TEnumOrdPropEditor::GetLookupValues(fw::TStringList* aValues) {
    // The lines and objects only: a string list's own Assign would also hand over
    // this list's settings (and refuses a list that owns its objects).
    aValues->fw::TStrings::Assign(*FValues);
}

fw::String TEnumOrdPropEditor::GetValue(TProp* aProp) {
    const int32_t index = FValues->IndexOfObject(aProp->GetOrdValue());
    if (index < 0)
        return LoadResString(SNone);
    return FValues->Get(index);
}

void TEnumOrdPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetOrdValue(GetValueFromName(aValue));
}

void TEnumOrdPropEditor::GetEnumValues(const TAddEnumValueProc&, TEnumOrdOptions&) {}

void TEnumOrdPropEditor::AddEnumValue(const fw::String& aName, int32_t aValue) {
    FValues->AddObject(aName, aValue);
}

int32_t TEnumOrdPropEditor::GetValueFromName(const fw::String& aName) {
    int32_t index = -1;
    if (FOptions.Contains(eooIgnoreCase)) {
        for (int32_t i = 0; i < FValues->Count() && index < 0; ++i)
            if (fw::AnsiCompareText(FValues->Get(i), aName) == 0)
                index = i;
    } else {
        index = FValues->IndexOf(aName);
    }
    if (index < 0)
        throw fw::Exception("Неверное значение: \"" + aName + "\"");
    return FValues->GetObject(index).Integer();
}

void TBooleanPropEditor::GetEnumValues(const TAddEnumValueProc& aProc, TEnumOrdOptions&) {
    aProc(LoadResString(SFalse), 0);
    aProc(LoadResString(STrue), 1);
}

} // namespace quire
