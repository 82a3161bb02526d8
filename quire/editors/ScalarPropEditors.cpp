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
FW_IMPLEMENT_CLASS(TWordPropEditor)
FW_IMPLEMENT_CLASS(TLargeintPropEditor)
FW_IMPLEMENT_CLASS(TDecimalPropEditor)

namespace {

TStringProp* AsStringProp(TProp* aProp, const char* aOperation) {
    auto* prop = dynamic_cast<TStringProp*>(aProp);
    if (prop == nullptr)
        throw EPropEditor(fw::String("TStringPropEditor.") + aOperation + ": " +
                          (aProp == nullptr ? fw::String("no property") : aProp->ClassName()) +
                          " is not a string property");
    return prop;
}

template <class TKind> TKind* AsKind(TProp* aProp, const char* aEditor, const char* aKind) {
    auto* prop = dynamic_cast<TKind*>(aProp);
    if (prop == nullptr)
        throw EPropEditor(fw::String(aEditor) + ": " +
                          (aProp == nullptr ? fw::String("no property") : aProp->ClassName()) +
                          " is not a " + aKind + " property");
    return prop;
}

// The text with the other one of "," and "." made the locale's separator, as for
// floating-point numbers.
fw::String WithLocaleSeparator(const fw::String& aValue) {
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
    return text;
}

fw::String Limits(const TDecimalProp& aProp) {
    return "at most " + fw::IntToStr(aProp.Precision()) + " digits, " +
           fw::IntToStr(aProp.Scale()) + " of them after the decimal separator";
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

fw::String TWordPropEditor::GetValue(TProp* aProp) {
    return fw::IntToStr(static_cast<uint16_t>(aProp->GetOrdValue()));
}

void TWordPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    const int32_t number = fw::StrToInt(aValue);
    if (number < 0 || number > UINT16_MAX)
        throw fw::EConvertError("'" + aValue + "' is out of range for a word (0 to 65535)");
    aProp->SetOrdValue(number);
}

fw::String TLargeintPropEditor::GetValue(TProp* aProp) {
    return fw::IntToStr(
        AsKind<TLargeintProp>(aProp, "TLargeintPropEditor.GetValue", "64-bit")->Value());
}

void TLargeintPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    auto* prop = AsKind<TLargeintProp>(aProp, "TLargeintPropEditor.SetValue", "64-bit");
    int64_t number = 0;
    if (!fw::TryStrToInt64(aValue, number))
        throw fw::EConvertError("'" + aValue +
                                "' is not an integer from -9223372036854775808 to "
                                "9223372036854775807");
    prop->SetValue(&number);
}

fw::String TDecimalPropEditor::GetValue(TProp* aProp) {
    const auto* prop = AsKind<TDecimalProp>(aProp, "TDecimalPropEditor.GetValue", "decimal");
    const fw::TDecimal& value = prop->Value();
    return fw::DecimalToStr(value.Scale() < prop->Scale() ? value.Rescaled(prop->Scale()) : value);
}

void TDecimalPropEditor::SetValue(TProp* aProp, const fw::String& aValue) {
    auto* prop = AsKind<TDecimalProp>(aProp, "TDecimalPropEditor.SetValue", "decimal");
    TDecimalPropValue value{ParseDecimalText(aValue), prop->Precision(), prop->Scale()};
    if (value.Precision > 0) {
        if (value.Number.SignificantScale() > value.Scale)
            throw fw::EConvertError("'" + aValue + "' has more than " + fw::IntToStr(value.Scale) +
                                    " decimals (" + Limits(*prop) + ")");
        value.Number = value.Number.Rescaled(value.Scale);
        if (value.Number.IntegerDigits() > value.Precision - value.Scale)
            throw fw::EConvertError("'" + aValue + "' has more than " +
                                    fw::IntToStr(value.Precision - value.Scale) +
                                    " digits before the decimal separator (" + Limits(*prop) + ")");
    }
    prop->SetValue(&value);
}

double ParseFloatText(const fw::String& aValue) {
    return fw::StrToFloat(WithLocaleSeparator(aValue));
}

fw::TDecimal ParseDecimalText(const fw::String& aValue) {
    fw::TDecimal value;
    if (!fw::TDecimal::TryParse(WithLocaleSeparator(aValue), value,
                                fw::FormatSettings().DecimalSeparator))
        throw fw::EConvertError("'" + aValue + "' is not a valid decimal number");
    return value;
}

} // namespace quire
