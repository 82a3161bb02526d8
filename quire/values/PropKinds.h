// SPDX-License-Identifier: MIT
#pragma once
// The standard property kinds. The class tree is part of the contract: editors are
// registered by property class and found by inheritance distance.
//
//   TProp
//     TBooleanProp, TSmallintProp, TLongintProp, TStringProp, TDoubleProp, TTextProp,
//     TWordProp, TLargeintProp, TDecimalProp
//     TDateTimeProp
//       TDateProp, TTimeProp

#include "quire/values/Prop.h"

#include "platform/rtl/Decimal.h"
#include "platform/rtl/StringList.h"

namespace quire {

// One byte: 0 = False, 1 = True.
class TBooleanProp : public TProp {
    FW_CLASS(TBooleanProp, TProp)
public:
    int32_t GetValueSize() override { return 1; }
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

protected:
    TBooleanProp() = default;
};

// 16-bit signed; a variant stores its low-order 16 bits without range check.
class TSmallintProp : public TProp {
    FW_CLASS(TSmallintProp, TProp)
public:
    int32_t GetValueSize() override { return 2; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

protected:
    TSmallintProp() = default;
};

class TLongintProp : public TProp {
    FW_CLASS(TLongintProp, TProp)
public:
    int32_t GetValueSize() override { return 4; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

protected:
    TLongintProp() = default;
};

// 16-bit unsigned: 0 to 65535. A variant outside that range raises
// fw::EVariantOverflowError and leaves the value unchanged.
class TWordProp : public TProp {
    FW_CLASS(TWordProp, TProp)
public:
    int32_t GetValueSize() override { return 2; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

protected:
    TWordProp() = default;
};

// 64-bit signed. A variant outside that range raises fw::EVariantOverflowError.
class TLargeintProp : public TProp {
    FW_CLASS(TLargeintProp, TProp)
public:
    int32_t GetValueSize() override { return 8; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

    int64_t Value() const { return *static_cast<const int64_t*>(FValue); }

protected:
    TLargeintProp() = default;
};

// A decimal with the limits of the field it belongs to: at most Precision digits,
// Scale of them decimals (Precision 0: no limit). The limits travel with the value,
// so a row's copy of a record's value keeps them for its editor; the number itself
// is not checked against them here: the editor checks what is typed, the field
// what is written.
struct TDecimalPropValue {
    fw::TDecimal Number;
    int32_t Precision = 0;
    int32_t Scale = 0;
};

// An exact decimal: FValue is an owned TDecimalPropValue and every value argument is
// one. Values compare as numbers (1.5 equals 1.50), then by their limits.
class TDecimalProp : public TProp {
    FW_CLASS(TDecimalProp, TProp)
public:
    ~TDecimalProp() override;

    void* AllocValue(int32_t& aSize) override;
    void FreeValue(void* aValue) override;
    void AssignValue(const void* aSource) override;
    void AssignValueTo(void* aDest) override;
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    // Numbers exactly (a double as its shortest decimal), text in the format settings.
    void SetAsVariant(const fw::Variant& aValue) override;

    const fw::TDecimal& Value() const { return Held().Number; }
    int32_t Precision() const { return Held().Precision; }
    int32_t Scale() const { return Held().Scale; }
    // Sets the limits directly, without a notification.
    void SetLimits(int32_t aPrecision, int32_t aScale);

protected:
    TDecimalProp() = default;
    bool HasRawValue() const override { return false; }

private:
    const TDecimalPropValue& Held() const { return *static_cast<const TDecimalPropValue*>(FValue); }
};

// A length byte and up to 250 bytes of UTF-8 text; bytes past Len mean nothing.
struct TStringPropValue {
    static constexpr int32_t MaxLength = 250;
    uint8_t Len = 0;
    char Chars[MaxLength] = {};

    fw::String Text() const { return fw::String(Chars, Len); }
    // Keeps the first 250 bytes of aText, never splitting a UTF-8 character.
    static TStringPropValue From(const fw::String& aText);
};

class TStringProp : public TProp {
    FW_CLASS(TStringProp, TProp)
public:
    int32_t GetValueSize() override { return sizeof(TStringPropValue); }
    // Case-sensitive, locale-aware (AnsiCompareStr).
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    // Cut to 250 bytes and stored through SetValue: notifies on a real change.
    void SetAsVariant(const fw::Variant& aValue) override;

    fw::String Text() const;

protected:
    TStringProp() = default;
};

class TDoubleProp : public TProp {
    FW_CLASS(TDoubleProp, TProp)
public:
    int32_t GetValueSize() override { return 8; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

protected:
    TDoubleProp() = default;
};

// Lines of text: FValue is an owned fw::TStringList and every value argument is a
// string list. Converts to and from a string variant with the lines joined by line
// feeds, so a memo's text round-trips exactly: "a\nb\n" is the lines "a", "b", "".
// The empty text is the empty list.
class TTextProp : public TProp {
    FW_CLASS(TTextProp, TProp)
public:
    ~TTextProp() override;

    void* AllocValue(int32_t& aSize) override;
    void FreeValue(void* aValue) override;
    void AssignValue(const void* aSource) override;
    void AssignValueTo(void* aDest) override;
    // 0 when SameStrings, else 1.
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

    fw::TStringList& Lines() const { return *static_cast<fw::TStringList*>(FValue); }
    static fw::String JoinLines(const fw::TStrings& aLines);
    static void SplitLines(const fw::String& aText, fw::TStrings& aLines);

protected:
    TTextProp() = default;
    bool HasRawValue() const override { return false; }
};

// Days since 30 December 1899 with the time of day as the fraction. A string variant
// that is a number (in the format settings) is taken as that number; other text is
// read as a date and time.
class TDateTimeProp : public TProp {
    FW_CLASS(TDateTimeProp, TProp)
public:
    int32_t GetValueSize() override { return 8; }
    int32_t CompareValue(const void* aValue) override;
    fw::Variant GetAsVariant() override;
    void SetAsVariant(const fw::Variant& aValue) override;

    fw::TDateTime Value() const { return *static_cast<const double*>(FValue); }
    // Days within the calendar's years 1 to 9999.
    static bool IsDateTimeInRange(double aDays);

protected:
    TDateTimeProp() = default;
};

// A date compares by its day and a time by its time of day, whatever else the value
// holds: the Date and Time parts of date-times agree or differ on their own part.
class TDateProp : public TDateTimeProp {
    FW_CLASS(TDateProp, TDateTimeProp)
public:
    int32_t CompareValue(const void* aValue) override;

protected:
    TDateProp() = default;
};

class TTimeProp : public TDateTimeProp {
    FW_CLASS(TTimeProp, TDateTimeProp)
public:
    int32_t CompareValue(const void* aValue) override;

protected:
    TTimeProp() = default;
};

// Same count and the same lines in order, compared byte for byte.
bool SameStrings(const fw::TStrings& aFirst, const fw::TStrings& aSecond);

} // namespace quire
