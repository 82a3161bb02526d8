// SPDX-License-Identifier: MIT
#include "quire/values/Prop.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace quire {

FW_IMPLEMENT_CLASS(TProp)

TProp::~TProp() {
    if (FValue != nullptr) {
        TProp::FreeValue(FValue);
    }
}

void TProp::AfterConstruction() {
    FValue = AllocValue(FSize);
}

int32_t TProp::GetValueSize() {
    return 0;
}

void* TProp::AllocValue(int32_t& aSize) {
    aSize = GetValueSize();
    // One byte at least, so that a size-0 kind still has storage to point at.
    void* block = std::calloc(static_cast<std::size_t>(aSize > 0 ? aSize : 1), 1);
    if (block == nullptr) {
        throw fw::EOutOfMemory("Out of memory allocating " + std::to_string(aSize) +
                               " bytes for a " + ClassName());
    }
    return block;
}

void TProp::FreeValue(void* aValue) {
    std::free(aValue);
}

void TProp::AssignValue(const void* aSource) {
    if (FSize > 0) {
        std::memcpy(FValue, aSource, static_cast<std::size_t>(FSize));
    }
}

void TProp::AssignValueTo(void* aDest) {
    if (FSize > 0) {
        std::memcpy(aDest, FValue, static_cast<std::size_t>(FSize));
    }
}

int32_t TProp::CompareValue(const void* aValue) {
    return CompareBytes(FValue, aValue, FSize);
}

fw::Variant TProp::GetAsVariant() {
    return fw::Unassigned();
}

void TProp::SetAsVariant(const fw::Variant&) {}

bool TProp::GetValue(void* aBuffer) {
    if (CompareValue(aBuffer) == 0) {
        return false;
    }
    AssignValueTo(aBuffer);
    return true;
}

bool TProp::SetValue(const void* aBuffer) {
    if (CompareValue(aBuffer) == 0) {
        return false;
    }
    AssignValue(aBuffer);
    if (FOnChange) {
        FOnChange(this);
    }
    return true;
}

void TProp::CheckSize(std::size_t aLimit, const char* aOperation) {
    if (!HasRawValue()) {
        throw fw::Exception(ClassName() + "." + aOperation + ": no raw value to access");
    }
    if (static_cast<std::size_t>(FSize) > aLimit) {
        throw fw::Exception(ClassName() + "." + aOperation + ": Размер свойства > " +
                            std::to_string(aLimit));
    }
}

// The low-order FSize bytes of a T, the rest zero: no sign extension, no
// numeric conversion.
template <class T> T TProp::ReadRaw(const char* aOperation) {
    CheckSize(sizeof(T), aOperation);
    T value{};
    if (FSize > 0) {
        std::memcpy(&value, FValue, static_cast<std::size_t>(FSize));
    }
    return value;
}

// Hands the low-order FSize bytes of aValue to SetValue.
template <class T> void TProp::WriteRaw(T aValue, const char* aOperation) {
    CheckSize(sizeof(T), aOperation);
    SetValue(&aValue);
}

int32_t TProp::GetOrdValue() {
    return ReadRaw<int32_t>("GetOrdValue");
}

void TProp::SetOrdValue(int32_t aValue) {
    WriteRaw(aValue, "SetOrdValue");
}

double TProp::GetFloatValue() {
    return ReadRaw<double>("GetFloatValue");
}

void TProp::SetFloatValue(double aValue) {
    WriteRaw(aValue, "SetFloatValue");
}

void TProp::Assign(TProp* aSource) {
    // Kinds of one line of descent share their storage unless a descendant changes
    // it (TProp itself holds no value): the sizes and the storage kind must agree too.
    const bool related = aSource->InheritsFrom(ClassType()) || InheritsFrom(aSource->ClassType());
    if (!related || aSource->FSize != FSize || aSource->HasRawValue() != HasRawValue()) {
        throw fw::Exception(ClassName() + ".Assign: cannot assign a " + aSource->ClassName());
    }
    if (Compare(aSource) == 0) {
        return;
    }
    AssignValue(aSource->FValue);
    if (FOnChange) {
        FOnChange(this);
    }
}

int32_t TProp::Compare(TProp* aOther) {
    return CompareValue(aOther->FValue);
}

void* FindPropValue(const fw::String& aName, std::span<const fw::String> aNames,
                    std::span<void* const> aValues) {
    for (std::size_t i = 0; i < aNames.size(); ++i) {
        if (fw::AnsiCompareText(aNames[i], aName) == 0) {
            if (i >= aValues.size()) {
                throw fw::EListError("FindPropValue: no value given for the name \"" + aName +
                                     "\" at position " + std::to_string(i));
            }
            return aValues[i];
        }
    }
    return nullptr;
}

int32_t CompareBytes(const void* aFirst, const void* aSecond, int32_t aCount) {
    if (aCount <= 0) {
        return 0;
    }
    const int order = std::memcmp(aFirst, aSecond, static_cast<std::size_t>(aCount));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace quire
