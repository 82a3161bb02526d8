// SPDX-License-Identifier: MIT
#include "platform/rtl/StringTable.h"

#include "platform/rtl/Exceptions.h"

namespace fw {

TStringTable::TStringTable(std::map<int32_t, String> aDefaults)
    : FDefaults(std::move(aDefaults)), FCurrent(FDefaults) {}

const String& TStringTable::Load(int32_t aId) const {
    const auto found = FCurrent.find(aId);
    if (found == FCurrent.end()) {
        throw EResNotFound("Resource string " + std::to_string(aId) + " not found");
    }
    return found->second;
}

void TStringTable::Replace(const std::map<int32_t, String>& aTranslation) {
    for (const auto& [id, text] : aTranslation) {
        if (!FDefaults.contains(id)) {
            throw EResNotFound("Resource string " + std::to_string(id) +
                               " is not in the table; translation not installed");
        }
    }
    FCurrent = FDefaults;
    for (const auto& [id, text] : aTranslation) {
        FCurrent[id] = text;
    }
}

void TStringTable::Reset() {
    FCurrent = FDefaults;
}

} // namespace fw
