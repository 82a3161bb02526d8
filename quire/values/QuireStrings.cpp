// SPDX-License-Identifier: MIT
#include "quire/values/QuireStrings.h"

namespace quire {

fw::TStringTable& ResStrings() {
    static fw::TStringTable table({{SDate, "Date"},
                                   {STime, "Time"},
                                   {SText, "Text"},
                                   {SNone, "None"},
                                   {SNull, "Null"},
                                   {SFalse, "False"},
                                   {STrue, "True"}});
    return table;
}

const fw::String& LoadResString(int32_t aId) {
    return ResStrings().Load(aId);
}

} // namespace quire
