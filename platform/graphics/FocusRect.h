// SPDX-License-Identifier: MIT
#pragma once
// DrawFocusRect: the dotted focus frame of a selected item, drawn by inverting every
// other pixel on the rectangle's edge (right and bottom exclusive), so drawing it
// twice restores the pixels. Pixels outside the context's clip are left alone.

#include "platform/graphics/GdiTypes.h"

namespace fw {

bool DrawFocusRect(HDC aDC, const TRect& aRect);

} // namespace fw
