#include "quire/editors/DatePropEditors.h"

#include "quire/values/PropKinds.h"
#include "quire/values/QuireStrings.h"

#include "platform/rtl/SysUtils.h"

#include <cmath>

namespace quire {

FW_IMPLEMENT_CLASS(TDateTimePropEditor)
FW_IMPLEMENT_CLASS(TDTPropEditor)
FW_IMPLEMENT_CLASS(TDatePropEditor)
FW_IMPLEMENT_CLASS(TTimePropEditor)

void TDateTimePropEditor::GetSubPropsInfo(TPropInfoList* aInfoList) {
    aInfoList->AddInfo(LoadResString(SDate), TDateProp::StaticClass());
    aInfoList->AddInfo(LoadResString(STime), TTimeProp::StaticClass());
}

void TDateTimePropEditor::SetSubProps(TProp* aProp, TSubPropList* aSubProps) {
    const double value = aProp->GetFloatValue();
    aSubProps->GetPropByName(LoadResString(SDate))->SetFloatValue(value);
    aSubProps->GetPropByName(LoadResString(STime))->SetFloatValue(value);
}

void TDateTimePropEditor::GetSubProps(TProp* aProp, TSubPropList* aSubProps) {
    const long double date = aSubProps->GetPropByName(LoadResString(SDate))->GetFloatValue();
    const long double time = aSubProps->GetPropByName(LoadResString(STime))->GetFloatValue();
    const long double composed = std::trunc(date) + (time - std::trunc(time));
    aProp->SetFloatValue(static_cast<double>(composed));
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

TPropEditorAttributes TDTPropEditor::GetAttributes() {
    return {peaDialog, peaMultiSelect, peaReadOnly};
}

fw::String TDatePropEditor::GetValue(TProp* aProp) {
    return fw::DateToStr(aProp->GetFloatValue());
}

void TDatePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(fw::StrToDate(aValue));
}

fw::String TTimePropEditor::GetValue(TProp* aProp) {
    return fw::TimeToStr(aProp->GetFloatValue());
}

void TTimePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(fw::StrToTime(aValue));
}

} // namespace quire
