// SPDX-License-Identifier: MIT
#pragma once
// TProp: one typed value, the value of one property of one object (in the box,
// one field of the current record). Each kind is a class derived from TProp that
// fixes the size of the value, how two values compare and how the value converts
// to and from a variant; the change check, the notification and the raw accessors
// are defined here on top of those operations.
//
// Create properties through their class (fw::CreateAs<TProp>(aClass), fw::New<T>())
// so that AfterConstruction allocates the kind's storage.
//
// Change rule: SetValue and Assign compare first and store and notify (FOnChange,
// once, after the store) only when the value really differs. AssignValue, the
// kinds' SetAsVariant (except the string kind's) and writes through FValue never
// notify.
//
// A kind that overrides AllocValue must release its storage in its own destructor
// and set FValue to nullptr; TProp's destructor frees only the default heap block.

#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace quire {

class TPropEditInfo;

using TPropClass = fw::TClass;

class TProp : public fw::TObject {
    FW_CLASS(TProp, fw::TObject)
public:
    ~TProp() override;

    // Bytes of value storage; fixed by the kind at construction.
    int32_t FSize = 0;
    // The storage: a zero-filled block of FSize bytes, or the kind's own object.
    void* FValue = nullptr;
    // The row that created the property; not owned, never used by the property.
    TPropEditInfo* FEditInfo = nullptr;
    fw::TNotifyEvent FOnChange;

    virtual int32_t GetValueSize();
    virtual void* AllocValue(int32_t& aSize);
    virtual void FreeValue(void* aValue);
    virtual void AssignValue(const void* aSource);
    virtual void AssignValueTo(void* aDest);
    // 0 when equal, -1 when this value is smaller, 1 when larger.
    virtual int32_t CompareValue(const void* aValue);
    virtual fw::Variant GetAsVariant();
    // Raises the variant conversion error, leaving the value unchanged, when the
    // variant does not convert to the kind.
    virtual void SetAsVariant(const fw::Variant& aValue);

    // Copies the value into aBuffer when it differs; answers whether it did.
    bool GetValue(void* aBuffer);
    // Stores aBuffer and notifies when it differs; answers whether it did.
    bool SetValue(const void* aBuffer);

    // Raw access to the low-order bytes of the storage. Raise fw::Exception
    // ("<class>.GetOrdValue: ...") when the kind is larger than 4 (ordinal) or 8
    // (floating) bytes; nothing changes then.
    int32_t GetOrdValue();
    void SetOrdValue(int32_t aValue);
    double GetFloatValue();
    void SetFloatValue(double aValue);

    // aSource must be of the same kind. Copies and notifies when the values differ.
    void Assign(TProp* aSource);
    int32_t Compare(TProp* aOther);

protected:
    TProp() = default;
    void AfterConstruction() override;
    // False for kinds whose storage is not a byte block; the raw accessors then
    // raise instead of reading the storage as bytes.
    virtual bool HasRawValue() const { return true; }

private:
    void CheckSize(std::size_t aLimit, const char* aOperation);
    template <class T> T ReadRaw(const char* aOperation);
    template <class T> void WriteRaw(T aValue, const char* aOperation);
};

// The value at the position of the first name equal to aName (case-insensitive,
// locale-aware), or nullptr. Raises fw::EListError when the name found has no
// value at its position (aValues shorter than aNames).
void* FindPropValue(const fw::String& aName, std::span<const fw::String> aNames,
                    std::span<void* const> aValues);

// Compares aCount bytes as unsigned; -1, 0 or 1 at the first difference.
int32_t CompareBytes(const void* aFirst, const void* aSecond, int32_t aCount);

} // namespace quire
