// SPDX-License-Identifier: MIT
#pragma once
// TStringList: the in-memory string list.
//
// Sorted lists keep their names in AnsiCompareText order (AnsiCompareStr when
// CaseSensitive) and find names by binary search; Duplicates decides what adding a
// name already present does (dupIgnore: nothing, answering the present index;
// dupAccept: add; dupError: raise EStringListError). Insert into a sorted list
// raises. With OwnsObjects the list owns the TObject in each slot and frees it when
// the entry is deleted, replaced or the list is cleared or destroyed.

#include "platform/rtl/Strings.h"

#include <vector>

namespace fw {

enum class TDuplicates { dupIgnore, dupAccept, dupError };
using enum TDuplicates;

class TStringList : public TStrings {
    FW_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(bool aOwnsObjects) : FOwnsObjects(aOwnsObjects) {}
    ~TStringList() override;

    int32_t Count() const override { return static_cast<int32_t>(FItems.size()); }
    String Get(int32_t aIndex) const override;
    void Put(int32_t aIndex, const String& aText) override;
    TStringObject GetObject(int32_t aIndex) const override;
    void PutObject(int32_t aIndex, TStringObject aObject) override;
    void InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) override;
    void Delete(int32_t aIndex) override;
    void Clear() override;
    int32_t AddObject(const String& aText, TStringObject aObject) override;
    int32_t IndexOf(const String& aText) const override;
    void Assign(const TStrings& aSource) override;

    // Binary search of a sorted list: true when found; aIndex is the match or the
    // place where the name would go. Unsorted lists must not call it.
    bool Find(const String& aText, int32_t& aIndex) const;
    void Sort();

    bool Sorted() const { return FSorted; }
    void SetSorted(bool aSorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates aDuplicates) { FDuplicates = aDuplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool aCaseSensitive);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool aOwnsObjects) { FOwnsObjects = aOwnsObjects; }

    TNotifyEvent OnChange;

protected:
    int32_t CompareStrings(const String& aLeft, const String& aRight) const override;

private:
    struct Item {
        String Text;
        TStringObject Object;
    };
    void FreeObject(const TStringObject& aObject) const;
    void Changed();

    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

} // namespace fw
