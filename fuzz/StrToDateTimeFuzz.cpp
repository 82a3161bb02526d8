// SPDX-License-Identifier: MIT
// StrToDateTime under each of the fuzz settings (see DateTimeChecks.h).

#include "DateTimeChecks.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    fuzz::CheckStrToDateTime(fuzz::Text(aData, aSize));
    return 0;
}
