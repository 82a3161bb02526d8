// SPDX-License-Identifier: MIT
#pragma once
// TCustomControl: a windowed control that paints itself. WM_PAINT gives Canvas the
// paint context (clipped to the update rectangle) and calls Paint; drawing on Canvas
// outside WM_PAINT goes straight to the window (see TControlCanvas).

#include "platform/controls/ControlCanvas.h"
#include "platform/controls/WinControl.h"

namespace fw {

class TCustomControl : public TWinControl {
    FW_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* aOwner = nullptr);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

    void Dispatch(TMessage& aMessage) override;

protected:
    virtual void Paint() {}
    // Runs Paint with the canvas on aDC.
    void PaintWindow(HDC aDC);
    void WMPaint(TMessage& aMessage);

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

} // namespace fw
