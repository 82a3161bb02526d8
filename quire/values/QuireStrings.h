// SPDX-License-Identifier: MIT
#pragma once
// The library's string table: the user-visible words a translation replaces.
// A host installs a translation with ResStrings().Replace({{SDate, "..."}, ...}).

#include "platform/rtl/StringTable.h"

namespace quire {

enum : int32_t {
    SDate = 65520,
    STime = 65521,
    SText = 65522,
    SNone = 65523,
    SNull = 65524,
    SFalse = 65525,
    STrue = 65526,
};

fw::TStringTable& ResStrings();
// The current text of a string of the table.
const fw::String& LoadResString(int32_t aId);

} // namespace quire
