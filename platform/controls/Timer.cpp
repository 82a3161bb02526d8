// SPDX-License-Identifier: MIT
#include "platform/controls/Timer.h"

#include "platform/controls/Backend.h"
#include "platform/controls/Deliver.h"

namespace fw {

FW_IMPLEMENT_CLASS(TTimer)

TTimer::TTimer(TComponent* aOwner) : TComponent(aOwner) {}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool aEnabled) {
    if (aEnabled != FEnabled) {
        FEnabled = aEnabled;
        UpdateTimer();
    }
}

void TTimer::SetInterval(uint32_t aInterval) {
    if (aInterval != FInterval) {
        FInterval = aInterval;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent aOnTimer) {
    FOnTimer = std::move(aOnTimer);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    bool running = FEnabled && FInterval > 0 && FOnTimer;
    if (!running) {
        if (FNative) {
            FNative->Stop();
        }
        return;
    }
    if (!FNative) {
        backend::EnsureApplication();
        FNative = backend::CreateTimer([this] {
            TMessage message{WM_TIMER, 0, 0, 0};
            DeliverCall(this, [&] { WndProc(message); });
        });
    }
    FNative->Start(FInterval);
}

void TTimer::WndProc(TMessage& aMessage) {
    if (aMessage.Msg == WM_TIMER) {
        Timer();
    }
}

void TTimer::Timer() {
    // A copy runs: the handler may replace or clear OnTimer (a one-shot timer).
    if (TNotifyEvent handler = FOnTimer) {
        handler(this);
    }
}

} // namespace fw
