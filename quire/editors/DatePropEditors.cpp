// SPDX-License-Identifier: MIT
#include "quire/editors/DatePropEditors.h"

#include "quire/editors/FormDateTime.h"
#include "quire/values/PropKinds.h"
#include "quire/values/QuireStrings.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

namespace quire {

FW_IMPLEMENT_CLASS(TDateTimePropEditor)
FW_IMPLEMENT_ABSTRACT_CLASS(TDTPropEditor)
FW_IMPLEMENT_CLASS(TDatePropEditor)
FW_IMPLEMENT_CLASS(TTimePropEditor)

void TDateTimePropEditor::GetSubPropsInfo(TPropInfoList* aInfoList) {
    aInfoList->AddInfo(LoadResString(SDate), TDateProp::StaticClass());
    aInfoList->AddInfo(LoadResString(STime), TTimeProp::StaticClass());
}

void TDateTimePropEditor::SetSubProps(TProp* aProp, TSubPropList* aSubProps) {
    const double value = aProp->GetFloatValue();
    TProp* date = aSubProps->GetPropByName(LoadResString(SDate));
    TProp* time = aSubProps->GetPropByName(LoadResString(STime));
    date->SetFloatValue(value);
    time->SetFloatValue(value);
}

void TDateTimePropEditor::GetSubProps(TProp* aProp, TSubPropList* aSubProps) {
    const double date = aSubProps->GetPropByName(LoadResString(SDate))->GetFloatValue();
    const double time = aSubProps->GetPropByName(LoadResString(STime))->GetFloatValue();
    aProp->SetFloatValue(fw::ComposeDateTime(date, time));
}

TPropEditorAttributes TDateTimePropEditor::GetAttributes() {
    return {peaMultiSelect, peaReadOnly};
}

fw::String TDateTimePropEditor::GetValue(TProp* aProp) {
    return fw::DateTimeToStr(aProp->GetFloatValue());
}

void TDateTimePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(fw::StrToDateTime(aValue));
}

void TDTPropEditor::Edit(TProp* aProp) {
    const fw::TDateTime value = aProp->GetFloatValue();
    const std::unique_ptr<TFormDateTime> form = fw::New<TFormDateTime>(nullptr);
    // The picker starts from the whole value (not from the clock), so the part the
    // dialog does not show comes back as it was.
    form->Picker->SetDateTime(value);
    PrepareForm(form.get(), value);
    // The value as the picker holds it, to tell an untouched dialog from a changed
    // one: OK on an untouched dialog stores nothing, also where the picker cannot
    // hold the value exactly.
    form->HandleNeeded();
    const fw::TDateTime shown = form->Picker->Date();
    if (form->ShowModal() == fw::mrOk && form->Picker->Date() != shown) {
        aProp->SetFloatValue(form->Picker->Date());
    }
}

TPropEditorAttributes TDTPropEditor::GetAttributes() {
    return {peaDialog, peaMultiSelect, peaReadOnly};
}

fw::String TDatePropEditor::GetValue(TProp* aProp) {
    return fw::DateToStr(aProp->GetFloatValue());
}

void TDatePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(fw::StrToDate(aValue));
}

void TDatePropEditor::PrepareForm(TFormDateTime* aForm, fw::TDateTime aValue) {
    aForm->SetCaption(LoadResString(SDate));
    aForm->Picker->SetKind(fw::dtkDate);
    aForm->Picker->SetDate(aValue);
}

fw::String TTimePropEditor::GetValue(TProp* aProp) {
    return fw::TimeToStr(aProp->GetFloatValue());
}

void TTimePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(fw::StrToTime(aValue));
}

void TTimePropEditor::PrepareForm(TFormDateTime* aForm, fw::TDateTime aValue) {
    aForm->SetCaption(LoadResString(STime));
    aForm->Picker->SetKind(fw::dtkTime);
    aForm->Picker->SetTime(aValue);
}

} // namespace quire
