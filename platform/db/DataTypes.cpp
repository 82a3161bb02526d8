// SPDX-License-Identifier: MIT
#include "platform/db/DataTypes.h"

#include <array>

namespace fw {

const char* FieldTypeName(TFieldType aType) {
    static constexpr std::array<const char*, 26> names{
        "ftUnknown",    "ftString",     "ftSmallint", "ftInteger",     "ftWord",   "ftBoolean",
        "ftFloat",      "ftCurrency",   "ftBCD",      "ftDate",        "ftTime",   "ftDateTime",
        "ftBytes",      "ftVarBytes",   "ftAutoInc",  "ftBlob",        "ftMemo",   "ftGraphic",
        "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar",
        "ftWideString", "ftLargeint"};
    const auto index = static_cast<std::size_t>(aType);
    return index < names.size() ? names[index] : names[0];
}

} // namespace fw
