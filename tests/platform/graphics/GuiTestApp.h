// SPDX-License-Identifier: MIT
#pragma once
// Test helpers: the application object that fonts need, and pixel inspection of
// bitmaps.

#include "platform/graphics/Bitmap.h"

#include <cstdint>

namespace fw::test {

// Number of pixels of aRect (within the bitmap) that have aColor.
int32_t CountPixels(TBitmap& aBitmap, const TRect& aRect, COLORREF aColor);
// The smallest rectangle holding every pixel of aRect that differs from aBackground;
// empty (all zero) when there is none.
TRect InkBounds(TBitmap& aBitmap, const TRect& aRect, COLORREF aBackground);
// A bitmap of the given size filled with aColor.
void Prepare(TBitmap& aBitmap, int32_t aWidth, int32_t aHeight, COLORREF aColor);

} // namespace fw::test
