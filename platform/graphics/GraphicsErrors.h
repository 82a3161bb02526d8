// SPDX-License-Identifier: MIT
#pragma once
// Errors of the graphics layer: an invalid device context or object handle, a
// raster operation or colour the layer does not know, text drawn before the
// application object exists, a bitmap that cannot be written.

#include "platform/rtl/Exceptions.h"

namespace fw {

FW_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception);

} // namespace fw
