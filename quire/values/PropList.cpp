// SPDX-License-Identifier: MIT
#include "quire/values/PropList.h"

#include "platform/rtl/Exceptions.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropList)

TPropList::~TPropList() {
    Clear();
}

void TPropList::Clear() {
    for (auto& prop : FList) {
        prop.reset();
    }
    FList.clear();
}

void TPropList::Add(std::unique_ptr<TProp> aProp) {
    FList.push_back(std::move(aProp));
}

TProp* TPropList::GetProp(int32_t aIndex) const {
    if (aIndex < 0 || aIndex >= GetCount()) {
        throw fw::EListError("List index out of bounds (" + std::to_string(aIndex) + ")");
    }
    return FList[static_cast<std::size_t>(aIndex)].get();
}

int32_t TPropList::IndexOf(const TProp* aProp) const {
    for (std::size_t i = 0; i < FList.size(); ++i) {
        if (FList[i].get() == aProp) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool TPropList::AllEquals() const {
    for (std::size_t i = 1; i < FList.size(); ++i) {
        if (FList[0]->Compare(FList[i].get()) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace quire
