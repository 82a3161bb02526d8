#include "platform/controls/Deliver.h"

#include "platform/controls/Application.h"
#include "platform/controls/ControlCanvas.h"
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

void Deliver(TWinControl& aControl, TMessage& aMessage) {
    DeliverCall(&aControl, [&] { aControl.WndProc(aMessage); });
}

int DeliverDepth() {
    return Depth();
}

} // namespace fw
