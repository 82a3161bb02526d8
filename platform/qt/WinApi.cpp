// SPDX-License-Identifier: MIT
// The window calls of platform/controls/WinApi.h on the Qt windows.

#include "platform/controls/WinApi.h"

#include "platform/controls/Backend.h"

#include "platform/qt/ImageDC.h"
#include "platform/qt/QtCustomWindow.h"

#include <algorithm>
#include <vector>

namespace fw {

using qt::CustomWindowOf;
using qt::FromHandle;

namespace {

// The screen context (GetDC(nullptr)): for measuring text; what is drawn on it goes
// nowhere. Its contexts are counted so ReleaseDC(nullptr, dc) can tell them apart.
QImage& ScreenImage() {
    static QImage image(1, 1, QImage::Format_RGB32);
    return image;
}

std::vector<HDC>& ScreenContexts() {
    static std::vector<HDC> contexts;
    return contexts;
}

} // namespace

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
    if (aWindow == nullptr) {
        backend::EnsureApplication();
        HDC dc = qt::CreateImageDC(ScreenImage());
        ScreenContexts().push_back(dc);
        return dc;
    }
    return CustomWindowOf(aWindow, "GetDC").GetClientDC();
}

HDC GetWindowDC(HWND aWindow) {
    return CustomWindowOf(aWindow, "GetWindowDC").GetWindowDC();
}

int32_t ReleaseDC(HWND aWindow, HDC aDC) {
    if (aWindow == nullptr) {
        auto& contexts = ScreenContexts();
        auto found = std::find(contexts.begin(), contexts.end(), aDC);
        if (found == contexts.end()) {
            return 0;
        }
        contexts.erase(found);
        qt::ReleaseImageDC(aDC);
        return 1;
    }
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
