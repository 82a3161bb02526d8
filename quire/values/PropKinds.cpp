// SPDX-License-Identifier: MIT
#include "quire/values/PropKinds.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>

namespace quire {
namespace {

template <class T> int32_t CompareNumbers(T aOwn, T aOther) {
    return aOwn < aOther ? -1 : (aOther < aOwn ? 1 : 0);
}

// As numbers (0.0 equals -0.0), with a NaN equal only to a NaN: otherwise no value
// would ever replace a stored NaN, nor a NaN replace a number.
int32_t CompareFloats(double aOwn, double aOther) {
    const bool ownNaN = std::isnan(aOwn);
    const bool otherNaN = std::isnan(aOther);
    if (ownNaN || otherNaN) {
        return ownNaN == otherNaN ? 0 : (ownNaN ? -1 : 1);
    }
    return CompareNumbers(aOwn, aOther);
}

template <class T> T& Stored(void* aValue) {
    return *static_cast<T*>(aValue);
}

template <class T> const T& Given(const void* aValue) {
    return *static_cast<const T*>(aValue);
}

} // namespace

FW_IMPLEMENT_CLASS(TBooleanProp)
FW_IMPLEMENT_CLASS(TSmallintProp)
FW_IMPLEMENT_CLASS(TLongintProp)
FW_IMPLEMENT_CLASS(TStringProp)
FW_IMPLEMENT_CLASS(TDoubleProp)
FW_IMPLEMENT_CLASS(TWordProp)
FW_IMPLEMENT_CLASS(TLargeintProp)
FW_IMPLEMENT_CLASS(TDecimalProp)
FW_IMPLEMENT_CLASS(TTextProp)
FW_IMPLEMENT_CLASS(TDateTimeProp)
FW_IMPLEMENT_CLASS(TDateProp)
FW_IMPLEMENT_CLASS(TTimeProp)

// ---- boolean ----

fw::Variant TBooleanProp::GetAsVariant() {
    return fw::Variant(Stored<uint8_t>(FValue) != 0);
}

void TBooleanProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<uint8_t>(FValue) = aValue.AsBoolean() ? 1 : 0;
}

// ---- 16-bit integer ----

int32_t TSmallintProp::CompareValue(const void* aValue) {
    return CompareNumbers(Stored<int16_t>(FValue), Given<int16_t>(aValue));
}

fw::Variant TSmallintProp::GetAsVariant() {
    return fw::Variant(static_cast<int>(Stored<int16_t>(FValue)));
}

void TSmallintProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<int16_t>(FValue) = static_cast<int16_t>(static_cast<uint16_t>(aValue.AsInteger()));
}

// ---- 32-bit integer ----

int32_t TLongintProp::CompareValue(const void* aValue) {
    return CompareNumbers(Stored<int32_t>(FValue), Given<int32_t>(aValue));
}

fw::Variant TLongintProp::GetAsVariant() {
    return fw::Variant(Stored<int32_t>(FValue));
}

void TLongintProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<int32_t>(FValue) = aValue.AsInteger();
}

// ---- 16-bit unsigned integer ----

int32_t TWordProp::CompareValue(const void* aValue) {
    return CompareNumbers(Stored<uint16_t>(FValue), Given<uint16_t>(aValue));
}

fw::Variant TWordProp::GetAsVariant() {
    return fw::Variant(static_cast<int>(Stored<uint16_t>(FValue)));
}

void TWordProp::SetAsVariant(const fw::Variant& aValue) {
    const int64_t number = aValue.AsInt64();
    if (number < 0 || number > UINT16_MAX)
        throw fw::EVariantOverflowError("Variant value " + fw::IntToStr(number) +
                                        " does not fit in a word (0 to 65535)");
    Stored<uint16_t>(FValue) = static_cast<uint16_t>(number);
}

// ---- 64-bit integer ----

int32_t TLargeintProp::CompareValue(const void* aValue) {
    return CompareNumbers(Stored<int64_t>(FValue), Given<int64_t>(aValue));
}

fw::Variant TLargeintProp::GetAsVariant() {
    return fw::Variant(static_cast<long long>(Stored<int64_t>(FValue)));
}

void TLargeintProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<int64_t>(FValue) = aValue.AsInt64();
}

// ---- decimal ----

TDecimalProp::~TDecimalProp() {
    FreeValue(FValue);
    FValue = nullptr;
}

void* TDecimalProp::AllocValue(int32_t& aSize) {
    aSize = 0;
    return new TDecimalPropValue();
}

void TDecimalProp::FreeValue(void* aValue) {
    delete static_cast<TDecimalPropValue*>(aValue);
}

void TDecimalProp::AssignValue(const void* aSource) {
    Stored<TDecimalPropValue>(FValue) = Given<TDecimalPropValue>(aSource);
}

void TDecimalProp::AssignValueTo(void* aDest) {
    Stored<TDecimalPropValue>(aDest) = Stored<TDecimalPropValue>(FValue);
}

int32_t TDecimalProp::CompareValue(const void* aValue) {
    const TDecimalPropValue& own = Stored<TDecimalPropValue>(FValue);
    const TDecimalPropValue& other = Given<TDecimalPropValue>(aValue);
    if (const int32_t order = CompareNumbers(own.Number, other.Number); order != 0)
        return order;
    if (const int32_t order = CompareNumbers(own.Precision, other.Precision); order != 0)
        return order;
    return CompareNumbers(own.Scale, other.Scale);
}

fw::Variant TDecimalProp::GetAsVariant() {
    return fw::Variant(Value());
}

void TDecimalProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<TDecimalPropValue>(FValue).Number = aValue.AsDecimal();
}

void TDecimalProp::SetLimits(int32_t aPrecision, int32_t aScale) {
    Stored<TDecimalPropValue>(FValue).Precision = aPrecision;
    Stored<TDecimalPropValue>(FValue).Scale = aScale;
}

// ---- string ----

TStringPropValue TStringPropValue::From(const fw::String& aText) {
    const fw::String text = fw::Utf8Truncate(aText, MaxLength);
    TStringPropValue value;
    value.Len = static_cast<uint8_t>(text.size());
    std::memcpy(value.Chars, text.data(), text.size());
    return value;
}

int32_t TStringProp::CompareValue(const void* aValue) {
    return fw::AnsiCompareStr(Text(), Given<TStringPropValue>(aValue).Text());
}

fw::Variant TStringProp::GetAsVariant() {
    return fw::Variant(Text());
}

void TStringProp::SetAsVariant(const fw::Variant& aValue) {
    const TStringPropValue value = TStringPropValue::From(aValue.AsString());
    SetValue(&value);
}

fw::String TStringProp::Text() const {
    return Given<TStringPropValue>(FValue).Text();
}

// ---- double ----

int32_t TDoubleProp::CompareValue(const void* aValue) {
    return CompareFloats(Stored<double>(FValue), Given<double>(aValue));
}

fw::Variant TDoubleProp::GetAsVariant() {
    return fw::Variant(Stored<double>(FValue));
}

void TDoubleProp::SetAsVariant(const fw::Variant& aValue) {
    Stored<double>(FValue) = aValue.AsDouble();
}

// ---- text ----

TTextProp::~TTextProp() {
    FreeValue(FValue);
    FValue = nullptr;
}

void* TTextProp::AllocValue(int32_t& aSize) {
    aSize = 0;
    return new fw::TStringList();
}

void TTextProp::FreeValue(void* aValue) {
    delete static_cast<fw::TStringList*>(aValue);
}

void TTextProp::AssignValue(const void* aSource) {
    // The lines only: a sorted source must not make this list sort the lines of
    // every later text.
    Lines().fw::TStrings::Assign(Given<fw::TStringList>(aSource));
}

void TTextProp::AssignValueTo(void* aDest) {
    Stored<fw::TStringList>(aDest).Assign(Lines());
}

int32_t TTextProp::CompareValue(const void* aValue) {
    return SameStrings(Lines(), Given<fw::TStringList>(aValue)) ? 0 : 1;
}

fw::Variant TTextProp::GetAsVariant() {
    return fw::Variant(JoinLines(Lines()));
}

void TTextProp::SetAsVariant(const fw::Variant& aValue) {
    SplitLines(aValue.AsString(), Lines());
}

fw::String TTextProp::JoinLines(const fw::TStrings& aLines) {
    fw::String text;
    for (int32_t i = 0; i < aLines.Count(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += aLines.Get(i);
    }
    return text;
}

void TTextProp::SplitLines(const fw::String& aText, fw::TStrings& aLines) {
    aLines.BeginUpdate();
    aLines.Clear();
    if (!aText.empty()) {
        std::size_t start = 0;
        while (true) {
            const std::size_t end = aText.find('\n', start);
            aLines.Add(
                aText.substr(start, end == fw::String::npos ? fw::String::npos : end - start));
            if (end == fw::String::npos) {
                break;
            }
            start = end + 1;
        }
    }
    aLines.EndUpdate();
}

// ---- date and time ----

int32_t TDateTimeProp::CompareValue(const void* aValue) {
    return CompareFloats(Stored<double>(FValue), Given<double>(aValue));
}

int32_t TDateProp::CompareValue(const void* aValue) {
    return CompareFloats(std::trunc(Stored<double>(FValue)), std::trunc(Given<double>(aValue)));
}

int32_t TTimeProp::CompareValue(const void* aValue) {
    const auto timeOfDay = [](double aDays) { return std::fabs(aDays - std::trunc(aDays)); };
    return CompareFloats(timeOfDay(Stored<double>(FValue)), timeOfDay(Given<double>(aValue)));
}

fw::Variant TDateTimeProp::GetAsVariant() {
    return fw::Variant::FromDateTime(Value());
}

bool TDateTimeProp::IsDateTimeInRange(double aDays) {
    // 1 January of year 1 to the end of 31 December 9999.
    return aDays >= -693593.0 && aDays < 2958466.0;
}

void TDateTimeProp::SetAsVariant(const fw::Variant& aValue) {
    // Text that is a number is the number of days ("3.5" is noon of 2 January 1900,
    // not the 3rd of May); other text is read as a date.
    // A number of days past the calendar (years 1 to 9999) is refused like text that
    // is no date.
    double number = 0;
    if (aValue.VarType() == fw::varString && fw::TryStrToFloat(aValue.AsString(), number) &&
        IsDateTimeInRange(number)) {
        Stored<double>(FValue) = number;
        return;
    }
    Stored<double>(FValue) = aValue.AsDateTime();
}

bool SameStrings(const fw::TStrings& aFirst, const fw::TStrings& aSecond) {
    return aFirst.Equals(aSecond);
}

} // namespace quire
