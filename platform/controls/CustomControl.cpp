// SPDX-License-Identifier: MIT
#include "platform/controls/CustomControl.h"

#include "platform/controls/WinApi.h"

namespace fw {

FW_IMPLEMENT_CLASS(TCustomControl)

TCustomControl::TCustomControl(TComponent* aOwner)
    : TWinControl(aOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
    FCanvas->FreeHandle();
}

void TCustomControl::Dispatch(TMessage& aMessage) {
    if (aMessage.Msg == WM_PAINT) {
        WMPaint(aMessage);
    } else {
        TWinControl::Dispatch(aMessage);
    }
}

void TCustomControl::PaintWindow(HDC aDC) {
    FCanvas->FreeHandle();
    FCanvas->SetHandle(aDC);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}

void TCustomControl::WMPaint(TMessage& aMessage) {
    auto given = reinterpret_cast<HDC>(aMessage.WParam);
    if (given != nullptr) {
        PaintWindow(given);
        return;
    }
    TPaintStruct paint;
    HDC dc = BeginPaint(Handle(), paint);
    try {
        PaintWindow(dc);
    } catch (...) {
        EndPaint(Handle(), paint);
        throw;
    }
    EndPaint(Handle(), paint);
}

} // namespace fw
