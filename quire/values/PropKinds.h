// SPDX-License-Identifier: MIT
#pragma once
// The standard property kinds. The class tree is part of the contract: editors are
// registered by property class and found by inheritance distance.
//
//   TProp
//     TBooleanProp, TSmallintProp, TLongintProp, TStringProp, TDoubleProp, TTextProp
//     TDateTimeProp
//       TDateProp, TTimeProp

#include "quire/values/Prop.h"

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

class TDateProp : public TDateTimeProp {
    FW_CLASS(TDateProp, TDateTimeProp)
protected:
    TDateProp() = default;
};

class TTimeProp : public TDateTimeProp {
    FW_CLASS(TTimeProp, TDateTimeProp)
protected:
    TTimeProp() = default;
};

// Same count and the same lines in order, compared byte for byte.
bool SameStrings(const fw::TStrings& aFirst, const fw::TStrings& aSecond);

} // namespace quire
