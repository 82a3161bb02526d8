// SPDX-License-Identifier: MIT
#pragma once
// Pictures of windows, as the screen shows them: a window and its child windows are
// rendered after their pending paints have been delivered. For screenshots (PNG) and
// for pixel checks in tests.

#include "platform/graphics/Bitmap.h"

namespace fw {

class TWinControl;

// Renders aControl's window (creating it when needed) into aBitmap, resized to the
// window's size, border included.
void CaptureWindow(TWinControl& aControl, TBitmap& aBitmap);
// Saves the rendering as a PNG file; raises Exception naming the file when it
// cannot be written.
void SaveWindowToPng(TWinControl& aControl, const String& aFileName);
// The colour of one pixel of a custom-painted window's backing image, in window
// coordinates (border included), after pending paints; CLR_INVALID outside.
COLORREF WindowPixel(TWinControl& aControl, int32_t aX, int32_t aY);

} // namespace fw
