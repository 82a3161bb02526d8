// SPDX-License-Identifier: MIT
#pragma once
// TSubPropList: a name-sorted view of sub-properties ("Date", "Time"), each name
// mapped to one TProp that a row owns. Owns nothing but its list: clearing or
// destroying it leaves the properties alive. Names compare case-insensitively.

#include "quire/values/Prop.h"

#include "platform/rtl/StringList.h"

namespace quire {

class TSubPropList : public fw::TObject {
    FW_CLASS(TSubPropList, fw::TObject)
public:
    TSubPropList();

    // A name already present keeps its place and spelling and gets aProp.
    void Add(const fw::String& aName, TProp* aProp);
    int32_t GetCount() const { return FList.Count(); }
    // By sorted position; raise fw::EListError outside 0..GetCount()-1.
    fw::String GetName(int32_t aIndex) const { return FList.Get(aIndex); }
    TProp* GetProp(int32_t aIndex) const;
    // Raises fw::Exception naming aName when it is not present.
    TProp* GetPropByName(const fw::String& aName) const;
    void Clear() { FList.Clear(); }

private:
    fw::TStringList FList;
};

} // namespace quire
