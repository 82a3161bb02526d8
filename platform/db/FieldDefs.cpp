// SPDX-License-Identifier: MIT
#include "platform/db/FieldDefs.h"

#include "platform/rtl/AnsiStrings.h"

namespace fw {

TFieldDef& TFieldDefs::Add(const String& aName, TFieldType aDataType, int32_t aSize,
                           bool aRequired) {
    if (aName.empty())
        throw EDatabaseError("Field definition: a field needs a name");
    if (IndexOf(aName) >= 0)
        throw EDatabaseError("Field definition: duplicate field name '" + aName + "'");
    FItems.push_back(TFieldDef{aName, aDataType, aSize, aRequired, aDataType == ftAutoInc});
    return FItems.back();
}

int32_t TFieldDefs::IndexOf(const String& aName) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (AnsiCompareText(FItems[i].Name, aName) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

} // namespace fw
