// SPDX-License-Identifier: MIT
#include "platform/rtl/Strings.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"

namespace fw {

FW_IMPLEMENT_ABSTRACT_CLASS(TStrings)

void TStrings::Put(int32_t aIndex, const String& aText) {
    const TStringObject object = GetObject(aIndex);
    Delete(aIndex);
    InsertObject(aIndex, aText, object);
}

int32_t TStrings::AddObject(const String& aText, TStringObject aObject) {
    const int32_t index = Count();
    InsertObject(index, aText, aObject);
    return index;
}

int32_t TStrings::IndexOf(const String& aText) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), aText) == 0) {
            return i;
        }
    }
    return -1;
}

int32_t TStrings::IndexOfObject(TStringObject aObject) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (GetObject(i) == aObject) {
            return i;
        }
    }
    return -1;
}

void TStrings::Assign(const TStrings& aSource) {
    if (&aSource == this) {
        return;
    }
    BeginUpdate();
    Clear();
    AddStrings(aSource);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& aSource) {
    const int32_t count = aSource.Count();
    for (int32_t i = 0; i < count; ++i) {
        AddObject(aSource.Get(i), aSource.GetObject(i));
    }
}

bool TStrings::Equals(const TStrings& aOther) const {
    if (Count() != aOther.Count()) {
        return false;
    }
    for (int32_t i = 0; i < Count(); ++i) {
        if (Get(i) != aOther.Get(i)) {
            return false;
        }
    }
    return true;
}

String TStrings::GetText() const {
    String text;
    for (int32_t i = 0; i < Count(); ++i) {
        text += Get(i);
        text += '\n';
    }
    return text;
}

void TStrings::SetText(const String& aText) {
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < aText.size()) {
        const std::size_t end = aText.find_first_of("\r\n", start);
        if (end == String::npos) {
            Add(aText.substr(start));
            break;
        }
        Add(aText.substr(start, end - start));
        start = end + 1;
        if (aText[end] == '\r' && start < aText.size() && aText[start] == '\n') {
            ++start;
        }
    }
    EndUpdate();
}

int32_t TStrings::CompareStrings(const String& aLeft, const String& aRight) const {
    return AnsiCompareText(aLeft, aRight);
}

void TStrings::CheckIndex(int32_t aIndex, int32_t aLimit) const {
    if (aIndex < 0 || aIndex >= aLimit) {
        throw EStringListError("List index out of bounds (" + std::to_string(aIndex) + ")");
    }
}

} // namespace fw
