// SPDX-License-Identifier: MIT
#pragma once
// Rectangle arithmetic. Right and Bottom are exclusive; an empty rectangle has no
// width or no height.

#include "platform/rtl/Types.h"

namespace fw {

bool SetRect(TRect* aRect, int32_t aLeft, int32_t aTop, int32_t aRight, int32_t aBottom);
bool OffsetRect(TRect* aRect, int32_t aDX, int32_t aDY);
// Grows each side outward by aDX / aDY (shrinks for negative values).
bool InflateRect(TRect* aRect, int32_t aDX, int32_t aDY);
// The common part of two rectangles; an empty (0, 0, 0, 0) rectangle and false when
// they do not meet.
bool IntersectRect(TRect* aResult, const TRect& aFirst, const TRect& aSecond);
bool IsRectEmpty(const TRect& aRect);
bool PtInRect(const TRect& aRect, const TPoint& aPoint);

} // namespace fw
