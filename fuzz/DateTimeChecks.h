// SPDX-License-Identifier: MIT
#pragma once
// Checks of the date and time readers under each of the fuzz settings: an
// accepted text gives a valid value that reads back from its own text; a refused
// one raises EConvertError quoting it, and the Try reader agrees.

#include "platform/rtl/Types.h"

namespace fuzz {

void CheckStrToDate(const fw::String& aText);
void CheckStrToTime(const fw::String& aText);
void CheckStrToDateTime(const fw::String& aText);

} // namespace fuzz
