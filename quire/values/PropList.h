// SPDX-License-Identifier: MIT
#pragma once
// TPropList: the values of one property across the inspected objects, one TProp
// per object, in object order. Owns its properties.

#include "quire/values/Prop.h"

#include <memory>
#include <vector>

namespace quire {

class TPropList : public fw::TObject {
    FW_CLASS(TPropList, fw::TObject)
public:
    TPropList() = default;
    ~TPropList() override;

    // Frees every property, first to last.
    void Clear();
    // The list takes ownership.
    void Add(std::unique_ptr<TProp> aProp);
    int32_t GetCount() const { return static_cast<int32_t>(FList.size()); }
    // Raises fw::EListError for an index outside 0..GetCount()-1.
    TProp* GetProp(int32_t aIndex) const;
    // Position of that very object, or -1.
    int32_t IndexOf(const TProp* aProp) const;
    // True when every property compares equal to the first (by the first's kind).
    bool AllEquals() const;

private:
    std::vector<std::unique_ptr<TProp>> FList;
};

} // namespace quire
