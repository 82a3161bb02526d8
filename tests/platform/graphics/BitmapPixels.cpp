// SPDX-License-Identifier: MIT
// Pixel inspection of bitmaps, shared by the graphics and editor tests.

#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"

#include <algorithm>

namespace fw::test {

int32_t CountPixels(TBitmap& aBitmap, const TRect& aRect, COLORREF aColor) {
    int32_t count = 0;
    for (int32_t y = aRect.Top; y < aRect.Bottom; ++y)
        for (int32_t x = aRect.Left; x < aRect.Right; ++x)
            count += aBitmap.Canvas().Pixel(x, y) == aColor ? 1 : 0;
    return count;
}

TRect InkBounds(TBitmap& aBitmap, const TRect& aRect, COLORREF aBackground) {
    TRect bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    bool found = false;
    for (int32_t y = aRect.Top; y < aRect.Bottom; ++y)
        for (int32_t x = aRect.Left; x < aRect.Right; ++x)
            if (aBitmap.Canvas().Pixel(x, y) != aBackground) {
                found = true;
                bounds = Rect(std::min(bounds.Left, x), std::min(bounds.Top, y),
                              std::max(bounds.Right, x + 1), std::max(bounds.Bottom, y + 1));
            }
    return found ? bounds : TRect{};
}

void Prepare(TBitmap& aBitmap, int32_t aWidth, int32_t aHeight, COLORREF aColor) {
    aBitmap.SetSize(aWidth, aHeight);
    aBitmap.Canvas().Brush().SetColor(aColor);
    aBitmap.Canvas().Brush().SetStyle(bsSolid);
    aBitmap.Canvas().FillRect(Rect(0, 0, aWidth, aHeight));
}

} // namespace fw::test
