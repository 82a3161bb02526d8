// SPDX-License-Identifier: MIT
#include "platform/controls/ControlCanvas.h"

#include "platform/controls/WinApi.h"
#include "platform/controls/WinControl.h"
#include "platform/graphics/GraphicsErrors.h"

#include <algorithm>
#include <vector>

namespace fw {

FW_IMPLEMENT_CLASS(TControlCanvas)

namespace {
std::vector<TControlCanvas*>& CanvasesWithOwnDC() {
    static std::vector<TControlCanvas*> canvases;
    return canvases;
}
} // namespace

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TWinControl* aControl) {
    if (aControl != FControl) {
        FreeHandle();
        FControl = aControl;
    }
}

void TControlCanvas::CreateHandle() {
    if (FControl == nullptr) {
        throw EInvalidGraphicOperation("Canvas does not allow drawing: it belongs to no control");
    }
    HWND window = FControl->Handle();
    FOwnDC = GetDC(window);
    SetHandle(FOwnDC);
    CanvasesWithOwnDC().push_back(this);
}

void TControlCanvas::FreeHandle() {
    if (FOwnDC == nullptr) {
        return;
    }
    HDC dc = FOwnDC;
    FOwnDC = nullptr;
    auto& list = CanvasesWithOwnDC();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    SetHandle(nullptr);
    ReleaseDC(FControl != nullptr ? FControl->WindowHandle() : nullptr, dc);
}

void FreeDeviceContexts() {
    auto list = CanvasesWithOwnDC();
    for (TControlCanvas* canvas : list) {
        canvas->FreeHandle();
    }
}

} // namespace fw
