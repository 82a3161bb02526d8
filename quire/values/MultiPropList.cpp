// SPDX-License-Identifier: MIT
#include "quire/values/MultiPropList.h"

#include "platform/rtl/Exceptions.h"

namespace quire {

FW_IMPLEMENT_CLASS(TMultiPropList)

TMultiPropList::TMultiPropList() {
    FList.SetDuplicates(fw::dupAccept);
}

TMultiPropList::~TMultiPropList() = default;

TPropList* TMultiPropList::AddList(const fw::String& aName, TPropClass aPropClass, int32_t aCount) {
    auto list = fw::New<TPropList>();
    for (int32_t i = 0; i < aCount; ++i) {
        list->Add(fw::CreateAs<TProp>(aPropClass));
    }
    TPropList* added = list.get();
    FList.AddObject(aName, list.release());
    return added;
}

TPropList* TMultiPropList::GetList(int32_t aIndex) const {
    return static_cast<TPropList*>(FList.GetObject(aIndex).Object());
}

TPropList* TMultiPropList::FindListByName(const fw::String& aName) const {
    const int32_t index = FList.IndexOf(aName);
    return index < 0 ? nullptr : GetList(index);
}

TPropList* TMultiPropList::GetListByName(const fw::String& aName) const {
    TPropList* list = FindListByName(aName);
    if (list == nullptr) {
        throw fw::Exception("TMultiPropList.GetPropsByName: Не найдено имя свойства \"" + aName +
                            "\"");
    }
    return list;
}

void TMultiPropList::ClearLists() {
    for (int32_t i = 0; i < GetCount(); ++i) {
        GetList(i)->Clear();
    }
}

void TMultiPropList::Clear() {
    FList.Clear();
}

} // namespace quire
