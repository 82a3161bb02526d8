// SPDX-License-Identifier: MIT
#pragma once
// Copying pixels between contexts, and single pixels.

#include "platform/graphics/GdiTypes.h"

namespace fw {

// Copies the aWidth x aHeight block at (aXSrc, aYSrc) of aSrc to (aX, aY) of aDest,
// combined by aRop (SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY, DSTINVERT,
// BLACKNESS, WHITENESS; aSrc may be null for the last three). Source and destination
// may be the same context and may overlap. Raises for another raster operation.
bool BitBlt(HDC aDest, int32_t aX, int32_t aY, int32_t aWidth, int32_t aHeight, HDC aSrc,
            int32_t aXSrc, int32_t aYSrc, uint32_t aRop);
// The colour at (aX, aY), or CLR_INVALID outside the image or the clip rectangle.
COLORREF GetPixel(HDC aDC, int32_t aX, int32_t aY);
// Sets one pixel (inside the clip rectangle) and answers the colour set, or
// CLR_INVALID.
COLORREF SetPixel(HDC aDC, int32_t aX, int32_t aY, COLORREF aColor);

} // namespace fw
