// SPDX-License-Identifier: MIT
#pragma once
// Window calls in the platform's style, on the native windows of the framework.
// Device contexts are those of platform/graphics (HDC); a window's contexts draw on
// its backing image, which is what the screen shows. Only custom-painted windows
// (TCustomControl and the list box) have a backing image; the calls raise
// EInvalidGraphicOperation, naming the call, for a null window or one without image.
//
// - BeginPaint: the context for WM_PAINT, clipped to the update rectangle
//   (rcPaint, client coordinates), which it takes from the window's invalid region
//   and clears; when the invalidation asked for erasing, WM_ERASEBKGND is sent to
//   the control first with the context. EndPaint releases the context and shows the
//   painted image.
// - InvalidateRect: adds the rectangle (nullptr: the client area) to the invalid
//   region; nothing is erased unless aErase. The paint follows from the event loop.
// - GetDC: a context on the client area (GetDC(nullptr): a screen context for
//   measuring text, released with ReleaseDC(nullptr, dc)); GetWindowDC: a context on the whole
//   window, border included, whose (0, 0) is the window's outer corner. ReleaseDC releases either
//   and shows what was drawn without asking the control to repaint.

#include "platform/controls/NativeWindow.h"
#include "platform/graphics/GdiTypes.h"

namespace fw {

struct TPaintStruct {
    HDC hdc = nullptr;
    bool fErase = false;
    TRect rcPaint;
};

HDC BeginPaint(HWND aWindow, TPaintStruct& aPaint);
bool EndPaint(HWND aWindow, const TPaintStruct& aPaint);
bool InvalidateRect(HWND aWindow, const TRect* aRect, bool aErase);
bool UpdateWindow(HWND aWindow);
HDC GetDC(HWND aWindow);
HDC GetWindowDC(HWND aWindow);
int32_t ReleaseDC(HWND aWindow, HDC aDC);
bool GetClientRect(HWND aWindow, TRect& aRect);
bool ClientToScreen(HWND aWindow, TPoint& aPoint);
bool ScreenToClient(HWND aWindow, TPoint& aPoint);

} // namespace fw
