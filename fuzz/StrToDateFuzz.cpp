// SPDX-License-Identifier: MIT
// StrToDate under each of the fuzz settings (see DateTimeChecks.h).

#include "DateTimeChecks.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    fuzz::CheckStrToDate(fuzz::Text(aData, aSize));
    return 0;
}
