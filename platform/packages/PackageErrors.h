// SPDX-License-Identifier: MIT
#pragma once
// Errors of package loading, component registration and resource reading.

#include "platform/rtl/Exceptions.h"

namespace fw {

// A package that cannot be loaded, unloaded or registered; the message names the file.
FW_EXCEPTION_CLASS(EPackageError, Exception);
// A component class refused by the palette; the message names the class and the page.
FW_EXCEPTION_CLASS(EComponentError, Exception);
// Resource data that does not have the form its kind needs; the message names the
// resource and what is wrong with it.
FW_EXCEPTION_CLASS(EResourceError, Exception);

} // namespace fw
