// SPDX-License-Identifier: MIT
#pragma once
// A string table: user-visible words kept by id so that a translation can replace
// them. A library creates one with its default texts; a host replaces the whole
// table at once (ids it does not give keep their default). Nothing is read from
// files.

#include "platform/rtl/Types.h"

#include <cstdint>
#include <map>

namespace fw {

class TStringTable {
public:
    explicit TStringTable(std::map<int32_t, String> aDefaults);

    // Raises EResNotFound naming the id when the table has no such id.
    const String& Load(int32_t aId) const;
    // Installs a translation. Raises EResNotFound, changing nothing, when it names
    // an id the table does not have.
    void Replace(const std::map<int32_t, String>& aTranslation);
    // Back to the default texts.
    void Reset();

private:
    std::map<int32_t, String> FDefaults;
    std::map<int32_t, String> FCurrent;
};

} // namespace fw
