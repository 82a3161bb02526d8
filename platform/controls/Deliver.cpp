// SPDX-License-Identifier: MIT
#include "platform/controls/Deliver.h"

#include "platform/controls/Application.h"
#include "platform/controls/ControlCanvas.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/WinControl.h"

namespace fw {

namespace {

int& Depth() {
    static int depth = 0;
    return depth;
}

struct TDepthScope {
    TDepthScope() { ++Depth(); }
    ~TDepthScope() {
        --Depth();
        FreeDeviceContexts();
    }
};

} // namespace

void DeliverCall(TObject* aSender, const std::function<void()>& aCall) {
    TDepthScope scope;
    try {
        aCall();
    } catch (...) {
        try {
            Application->HandleException(aSender);
        } catch (...) {
            // The report itself failed; nothing may cross into the toolkit.
        }
    }
}

namespace {

bool IsButtonPress(uint32_t aMsg) {
    switch (aMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

} // namespace

void Deliver(TWinControl& aControl, TMessage& aMessage) {
    DeliverCall(&aControl, [&] {
        try {
            aControl.WndProc(aMessage);
        } catch (...) {
            // The release of a press whose handler failed may never come (the report
            // runs modally): the capture the press took must not outlive it.
            if (IsButtonPress(aMessage.Msg)) {
                ReleaseCapture();
            }
            throw;
        }
    });
}

int DeliverDepth() {
    return Depth();
}

} // namespace fw
