// SPDX-License-Identifier: MIT
#include "quire/editors/ScalarPropEditors.h"

#include "quire/values/PropKinds.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"

namespace quire {

FW_IMPLEMENT_CLASS(TStringPropEditor)
FW_IMPLEMENT_CLASS(TSmallintPropEditor)
FW_IMPLEMENT_CLASS(TLongintPropEditor)
FW_IMPLEMENT_CLASS(TDoublePropEditor)

namespace {

TStringProp* AsStringProp(TProp* aProp, const char* aOperation) {
    auto* prop = dynamic_cast<TStringProp*>(aProp);
    if (prop == nullptr)
        throw EPropEditor(fw::String("TStringPropEditor.") + aOperation + ": " +
                          (aProp == nullptr ? fw::String("no property") : aProp->ClassName()) +
                          " is not a string property");
    return prop;
}

} // namespace

fw::String TStringPropEditor::GetValue(TProp* aProp) {
    return AsStringProp(aProp, "GetValue")->Text();
}

void TStringPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    const TStringPropValue value = TStringPropValue::From(aValue);
    AsStringProp(aProp, "SetValue")->SetValue(&value);
}

fw::String TSmallintPropEditor::GetValue(TProp* aProp) {
    return fw::IntToStr(static_cast<int16_t>(aProp->GetOrdValue()));
}

void TSmallintPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetOrdValue(fw::StrToInt(aValue));
}

fw::String TLongintPropEditor::GetValue(TProp* aProp) {
    return fw::IntToStr(aProp->GetOrdValue());
}

void TLongintPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetOrdValue(fw::StrToInt(aValue));
}

fw::String TDoublePropEditor::GetValue(TProp* aProp) {
    return fw::FloatToStrF(aProp->GetFloatValue(), fw::ffFixed, 15, 4);
}

void TDoublePropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    aProp->SetFloatValue(ParseFloatText(aValue));
}

double ParseFloatText(const fw::String& aValue) {
    fw::String text = aValue;
    const char separator = fw::FormatSettings().DecimalSeparator;
    size_t position = fw::String::npos;
    if (separator == '.')
        position = text.find(',');
    else if (separator == ',')
        position = text.find('.');
    else {
        position = text.find(',');
        if (position == fw::String::npos)
            position = text.find('.');
    }
    if (position != fw::String::npos)
        text[position] = separator;
    return fw::StrToFloat(text);
}

} // namespace quire
