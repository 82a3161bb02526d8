// SPDX-License-Identifier: MIT
#include "quire/values/SubPropList.h"

#include "platform/rtl/Exceptions.h"

namespace quire {

FW_IMPLEMENT_CLASS(TSubPropList)

TSubPropList::TSubPropList() {
    FList.SetDuplicates(fw::dupIgnore);
    FList.SetSorted(true);
}

void TSubPropList::Add(const fw::String& aName, TProp* aProp) {
    const int32_t index = FList.AddObject(aName, aProp);
    FList.PutObject(index, aProp);
}

TProp* TSubPropList::GetProp(int32_t aIndex) const {
    return static_cast<TProp*>(FList.GetObject(aIndex).Object());
}

TProp* TSubPropList::GetPropByName(const fw::String& aName) const {
    int32_t index = 0;
    if (!FList.Find(aName, index)) {
        throw fw::Exception("TSubPropList.GetPropByName: Не найдено имя свойства \"" + aName +
                            "\"");
    }
    return GetProp(index);
}

} // namespace quire
