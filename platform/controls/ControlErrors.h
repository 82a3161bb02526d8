// SPDX-License-Identifier: MIT
#pragma once
// Errors of the control framework.

#include "platform/rtl/Exceptions.h"

namespace fw {

// An operation the control's state does not allow (making a visible form modal).
FW_EXCEPTION_CLASS(EInvalidOperation, Exception);

} // namespace fw
