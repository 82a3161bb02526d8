// SPDX-License-Identifier: MIT
#include "platform/rtl/StringList.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TStringList)

TStringList::~TStringList() {
    OnChange = nullptr;
    Clear();
}

String TStringList::Get(int32_t aIndex) const {
    CheckIndex(aIndex, Count());
    return FItems[aIndex].Text;
}

void TStringList::Put(int32_t aIndex, const String& aText) {
    if (FSorted) {
        throw EStringListError("Operation not allowed on sorted list: cannot replace \"" +
                               Get(aIndex) + "\" by \"" + aText + "\"");
    }
    CheckIndex(aIndex, Count());
    FItems[aIndex].Text = aText;
    Changed();
}

TStringObject TStringList::GetObject(int32_t aIndex) const {
    CheckIndex(aIndex, Count());
    return FItems[aIndex].Object;
}

void TStringList::PutObject(int32_t aIndex, TStringObject aObject) {
    CheckIndex(aIndex, Count());
    if (FItems[aIndex].Object != aObject) {
        FreeObject(FItems[aIndex].Object);
    }
    FItems[aIndex].Object = aObject;
    Changed();
}

void TStringList::InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) {
    if (FSorted) {
        throw EStringListError("Operation not allowed on sorted list: cannot insert \"" + aText +
                               "\" at a position");
    }
    CheckIndex(aIndex, Count() + 1);
    FItems.insert(FItems.begin() + aIndex, Item{aText, aObject});
    Changed();
}

void TStringList::Delete(int32_t aIndex) {
    CheckIndex(aIndex, Count());
    const TStringObject object = FItems[aIndex].Object;
    FItems.erase(FItems.begin() + aIndex);
    FreeObject(object);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) {
        return;
    }
    std::vector<Item> items;
    items.swap(FItems);
    for (const Item& item : items) {
        FreeObject(item.Object);
    }
    Changed();
}

int32_t TStringList::AddObject(const String& aText, TStringObject aObject) {
    if (!FSorted) {
        FItems.push_back(Item{aText, aObject});
        Changed();
        return Count() - 1;
    }
    int32_t index = 0;
    if (Find(aText, index)) {
        if (FDuplicates == dupIgnore) {
            return index;
        }
        if (FDuplicates == dupError) {
            throw EStringListError("String list does not allow duplicates: \"" + aText + "\"");
        }
    }
    FItems.insert(FItems.begin() + index, Item{aText, aObject});
    Changed();
    return index;
}

int32_t TStringList::IndexOf(const String& aText) const {
    if (!FSorted) {
        return TStrings::IndexOf(aText);
    }
    int32_t index = 0;
    return Find(aText, index) ? index : -1;
}

void TStringList::Assign(const TStrings& aSource) {
    if (&aSource == this) {
        return;
    }
    if (FOwnsObjects) {
        throw EStringListError("A string list that owns its objects cannot take copies of " +
                               aSource.ClassName() + " entries");
    }
    if (const auto* list = dynamic_cast<const TStringList*>(&aSource)) {
        FSorted = list->FSorted;
        FDuplicates = list->FDuplicates;
        FCaseSensitive = list->FCaseSensitive;
    }
    TStrings::Assign(aSource);
}

bool TStringList::Find(const String& aText, int32_t& aIndex) const {
    int32_t low = 0;
    int32_t high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int32_t middle = (low + high) / 2;
        const int32_t order = CompareStrings(FItems[middle].Text, aText);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                if (FDuplicates != dupAccept) {
                    low = middle;
                }
            }
        }
    }
    aIndex = low;
    return found;
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(), [this](const Item& a, const Item& b) {
        return CompareStrings(a.Text, b.Text) < 0;
    });
    Changed();
}

void TStringList::SetSorted(bool aSorted) {
    if (aSorted == FSorted) {
        return;
    }
    if (aSorted) {
        Sort();
    }
    FSorted = aSorted;
}

void TStringList::SetCaseSensitive(bool aCaseSensitive) {
    if (aCaseSensitive == FCaseSensitive) {
        return;
    }
    FCaseSensitive = aCaseSensitive;
    if (FSorted) {
        Sort();
    }
}

int32_t TStringList::CompareStrings(const String& aLeft, const String& aRight) const {
    return FCaseSensitive ? AnsiCompareStr(aLeft, aRight) : AnsiCompareText(aLeft, aRight);
}

void TStringList::FreeObject(const TStringObject& aObject) const {
    if (FOwnsObjects) {
        delete aObject.Object();
    }
}

void TStringList::Changed() {
    if (OnChange) {
        OnChange(this);
    }
}

} // namespace fw
