// SPDX-License-Identifier: MIT
#pragma once
// What the framework classes ask of the windowing backend beyond a single window.
// Implemented in platform/qt; internal to the framework layer.

#include "platform/controls/NativeWindow.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {
class TWinControl;
struct TCreateParams;
} // namespace fw

namespace fw::backend {

// Makes sure the GUI application exists (created on first use).
void EnsureApplication();

// A custom-painted window for aControl: a backing image, WM_PAINT, mouse, keys,
// focus and activation translated into messages for the control.
std::unique_ptr<TNativeWindow> CreateCustomWindow(TWinControl& aControl,
                                                  const TCreateParams& aParams);

TRect PrimaryScreenRect();
TRect PrimaryWorkArea();
void MoveNativeCursor(TPoint aScreenPoint);

// Event processing for the application object.
void ProcessEvents();
void WaitAndProcessEvents();
void WakeUp();
// Runs aCall from the event loop, after the event being handled.
void PostCall(std::function<void()> aCall);
// Shows aMessage to a person in a message box titled aTitle (blocks until closed).
void ShowMessageBox(const String& aTitle, const String& aMessage);
// False on platforms without a person in front of them (offscreen).
bool HasInteractiveDisplay();

// A repeating timer on the event loop, calling aTick every aInterval milliseconds.
class TNativeTimer {
public:
    virtual ~TNativeTimer() = default;
    virtual void Start(uint32_t aInterval) = 0;
    virtual void Stop() = 0;
};
std::unique_ptr<TNativeTimer> CreateTimer(std::function<void()> aTick);

} // namespace fw::backend
