// SPDX-License-Identifier: MIT
#include "platform/graphics/Rects.h"

#include <algorithm>

namespace fw {

bool SetRect(TRect* aRect, int32_t aLeft, int32_t aTop, int32_t aRight, int32_t aBottom) {
    if (aRect == nullptr)
        return false;
    *aRect = Rect(aLeft, aTop, aRight, aBottom);
    return true;
}

bool OffsetRect(TRect* aRect, int32_t aDX, int32_t aDY) {
    if (aRect == nullptr)
        return false;
    aRect->Left += aDX;
    aRect->Right += aDX;
    aRect->Top += aDY;
    aRect->Bottom += aDY;
    return true;
}

bool InflateRect(TRect* aRect, int32_t aDX, int32_t aDY) {
    if (aRect == nullptr)
        return false;
    aRect->Left -= aDX;
    aRect->Right += aDX;
    aRect->Top -= aDY;
    aRect->Bottom += aDY;
    return true;
}

bool IsRectEmpty(const TRect& aRect) {
    return aRect.Right <= aRect.Left || aRect.Bottom <= aRect.Top;
}

bool IntersectRect(TRect* aResult, const TRect& aFirst, const TRect& aSecond) {
    if (aResult == nullptr)
        return false;
    const TRect common =
        Rect(std::max(aFirst.Left, aSecond.Left), std::max(aFirst.Top, aSecond.Top),
             std::min(aFirst.Right, aSecond.Right), std::min(aFirst.Bottom, aSecond.Bottom));
    if (IsRectEmpty(common)) {
        *aResult = TRect{};
        return false;
    }
    *aResult = common;
    return true;
}

bool PtInRect(const TRect& aRect, const TPoint& aPoint) {
    return aPoint.X >= aRect.Left && aPoint.X < aRect.Right && aPoint.Y >= aRect.Top &&
           aPoint.Y < aRect.Bottom;
}

} // namespace fw
