// SPDX-License-Identifier: MIT
#pragma once
// Area fills and frames. Fills cover exactly the pixels of the rectangle (right and
// bottom edges exclusive) and ignore the raster operation.

#include "platform/graphics/GdiTypes.h"

namespace fw {

// Fills aRect with aBrush (a null brush fills nothing).
bool FillRect(HDC aDC, const TRect& aRect, HBRUSH aBrush);
// One-pixel frame inside aRect with aBrush.
bool FrameRect(HDC aDC, const TRect& aRect, HBRUSH aBrush);
// A 3-D edge inside *aRect: aEdge combines BDR_* (outer, then inner border), aFlags
// BF_* sides, BF_MIDDLE fills the interior with the button face, BF_ADJUST shrinks
// *aRect by the drawn borders. Top and left sides take the light colour of a raised
// border and the shadow of a sunken one; bottom and right the other.
bool DrawEdge(HDC aDC, TRect* aRect, uint32_t aEdge, uint32_t aFlags);

} // namespace fw
