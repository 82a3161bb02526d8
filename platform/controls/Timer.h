// SPDX-License-Identifier: MIT
#pragma once
// TTimer: calls OnTimer every Interval milliseconds on the event loop (through
// WM_TIMER) while Enabled, Interval is above zero and OnTimer is set. A tick's
// exception goes to the application's standard report. A new timer is enabled with
// an interval of 1000 ms.

#include "platform/controls/Component.h"
#include "platform/controls/Messages.h"

#include <memory>

namespace fw {

namespace backend {
class TNativeTimer;
}

class TTimer : public TComponent {
    FW_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* aOwner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool aEnabled);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t aInterval);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent aOnTimer);

    // WM_TIMER runs Timer, which calls OnTimer.
    virtual void WndProc(TMessage& aMessage);

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    bool FEnabled = true;
    uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    std::unique_ptr<backend::TNativeTimer> FNative;
};

} // namespace fw
