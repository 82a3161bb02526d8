// SPDX-License-Identifier: MIT
#pragma once
// TControlCanvas: the canvas of a custom-painted control. Inside WM_PAINT the
// control gives it the paint context; drawn outside WM_PAINT, it takes a client
// context of the control's window (GetDC) on first use and keeps it until the
// message being handled is done (FreeDeviceContexts, run after every delivered
// message) or the canvas is destroyed; releasing it shows what was drawn.

#include "platform/graphics/Canvas.h"

namespace fw {

class TWinControl;

class TControlCanvas : public TCanvas {
    FW_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas();
    ~TControlCanvas() override;

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* aControl);
    // Releases a context the canvas took itself; a given one is left alone.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TWinControl* FControl = nullptr;
    HDC FOwnDC = nullptr;
};

// Releases the contexts every control canvas took outside WM_PAINT.
void FreeDeviceContexts();

} // namespace fw
