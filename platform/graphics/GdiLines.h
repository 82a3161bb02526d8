// SPDX-License-Identifier: MIT
#pragma once
// Lines with the selected pen. A line from A to B covers the pixels of A up to, but
// not including, B (so joined segments meet without drawing a pixel twice), combined
// with the destination by the context's raster operation: with R2_XORPEN the same
// line drawn twice restores every pixel.

#include "platform/graphics/GdiTypes.h"

namespace fw {

// Sets the raster operation (R2_BLACK ... R2_WHITE) and answers the previous one;
// raises for a value outside that range.
int32_t SetROP2(HDC aDC, int32_t aMode);
int32_t GetROP2(HDC aDC);
// Moves the current position; the previous one goes to *aOld when aOld is given.
bool MoveToEx(HDC aDC, int32_t aX, int32_t aY, TPoint* aOld);
// Draws from the current position to (aX, aY), leaving that end pixel out, and makes
// it the current position.
bool LineTo(HDC aDC, int32_t aX, int32_t aY);
TPoint GetCurrentPosition(HDC aDC);

} // namespace fw
