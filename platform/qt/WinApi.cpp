// The window calls of platform/controls/WinApi.h on the Qt windows.

#include "platform/controls/WinApi.h"

#include "platform/qt/ImageDC.h"
#include "platform/qt/QtCustomWindow.h"

namespace fw {

using qt::CustomWindowOf;
using qt::FromHandle;

HDC BeginPaint(HWND aWindow, TPaintStruct& aPaint) {
    return CustomWindowOf(aWindow, "BeginPaint").BeginPaint(aPaint);
}

bool EndPaint(HWND aWindow, const TPaintStruct& aPaint) {
    CustomWindowOf(aWindow, "EndPaint").EndPaint(aPaint);
    return true;
}

bool InvalidateRect(HWND aWindow, const TRect* aRect, bool aErase) {
    if (aWindow == nullptr) {
        return false;
    }
    aWindow->Invalidate(aRect, aErase);
    return true;
}

bool UpdateWindow(HWND aWindow) {
    if (aWindow == nullptr) {
        return false;
    }
    aWindow->Update();
    return true;
}

HDC GetDC(HWND aWindow) {
    return CustomWindowOf(aWindow, "GetDC").GetClientDC();
}

HDC GetWindowDC(HWND aWindow) {
    return CustomWindowOf(aWindow, "GetWindowDC").GetWindowDC();
}

int32_t ReleaseDC(HWND aWindow, HDC aDC) {
    auto* window = dynamic_cast<qt::TQtCustomWindow*>(aWindow);
    return window != nullptr && window->ReleaseDC(aDC) ? 1 : 0;
}

bool GetClientRect(HWND aWindow, TRect& aRect) {
    if (aWindow == nullptr) {
        return false;
    }
    aRect = aWindow->ClientRect();
    return true;
}

bool ClientToScreen(HWND aWindow, TPoint& aPoint) {
    if (aWindow == nullptr) {
        return false;
    }
    aPoint = aWindow->ClientToScreen(aPoint);
    return true;
}

bool ScreenToClient(HWND aWindow, TPoint& aPoint) {
    if (aWindow == nullptr) {
        return false;
    }
    aPoint = aWindow->ScreenToClient(aPoint);
    return true;
}

} // namespace fw
