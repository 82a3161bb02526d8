// SPDX-License-Identifier: MIT
#pragma once
// The demo's own errors: a wrong command line (exit 2) and a database it cannot use
// (exit 1). Their messages are one line that names what was wrong.

#include "platform/rtl/Exceptions.h"

namespace demo {

FW_EXCEPTION_CLASS(EUsageError, fw::Exception);
FW_EXCEPTION_CLASS(EDemoError, fw::Exception);

} // namespace demo
