// SPDX-License-Identifier: MIT
#include "platform/graphics/FocusRect.h"

#include "platform/graphics/GdiBlits.h"

namespace fw {

namespace {

void InvertPixel(HDC aDC, int32_t aX, int32_t aY) {
    COLORREF color = GetPixel(aDC, aX, aY);
    if (color != CLR_INVALID) {
        SetPixel(aDC, aX, aY, color ^ 0x00FFFFFF);
    }
}

} // namespace

bool DrawFocusRect(HDC aDC, const TRect& aRect) {
    if (aRect.Width() <= 0 || aRect.Height() <= 0) {
        return false;
    }
    int32_t right = aRect.Right - 1;
    int32_t bottom = aRect.Bottom - 1;
    for (int32_t x = aRect.Left; x <= right; x += 2) {
        InvertPixel(aDC, x, aRect.Top);
        if (bottom != aRect.Top) {
            InvertPixel(aDC, x, bottom);
        }
    }
    for (int32_t y = aRect.Top + 2; y < bottom; y += 2) {
        InvertPixel(aDC, aRect.Left, y);
        if (right != aRect.Left) {
            InvertPixel(aDC, right, y);
        }
    }
    return true;
}

} // namespace fw
