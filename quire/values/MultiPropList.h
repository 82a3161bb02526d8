// SPDX-License-Identifier: MIT
#pragma once
// TMultiPropList: the properties of the inspected objects as named TPropLists
// (in the box: one per field of the current record). Owns the lists. Names compare
// case-insensitively; the list is unsorted (insertion order, duplicates kept)
// unless SetSorted turns sorting on.

#include "quire/values/PropList.h"

#include "platform/rtl/StringList.h"

namespace quire {

class TMultiPropList : public fw::TObject {
    FW_CLASS(TMultiPropList, fw::TObject)
public:
    TMultiPropList();
    ~TMultiPropList() override;

    // A new list of aCount new properties of aPropClass, at their zero value, added
    // under aName. The collection owns it. While sorted, a name already present is
    // added once more beside the first (both lists kept).
    TPropList* AddList(const fw::String& aName, TPropClass aPropClass, int32_t aCount);
    int32_t GetCount() const { return FList.Count(); }
    // Both raise fw::EListError for an index outside 0..GetCount()-1.
    fw::String GetName(int32_t aIndex) const { return FList.Get(aIndex); }
    TPropList* GetList(int32_t aIndex) const;
    // The first list of that name, or nullptr.
    TPropList* FindListByName(const fw::String& aName) const;
    // As FindListByName; a missing name raises fw::Exception naming it.
    TPropList* GetListByName(const fw::String& aName) const;
    bool GetSorted() const { return FList.Sorted(); }
    void SetSorted(bool aSorted) { FList.SetSorted(aSorted); }
    // Empties every list, keeping the names and the lists.
    void ClearLists();
    // Frees every list and removes all names.
    void Clear();

private:
    fw::TStringList FList{true};
};

} // namespace quire
