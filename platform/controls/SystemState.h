// SPDX-License-Identifier: MIT
#pragma once
// Input and system state: the tick clock, the double-click time, the cursor
// position, the key state, the mouse capture and the desktop work area.
//
// The platform updates the cursor position and the key state from every input event
// it translates, so they describe the input as the framework has seen it (simulated
// input included). Tests set the clock, the double-click time and the work area.

#include "platform/controls/NativeWindow.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <optional>

namespace fw {

// Milliseconds of the platform clock. It runs with real time until a test fixes it
// with SetTickCount; from then on it moves only through AdvanceTickCount (the input
// simulator advances it as it goes) until UseRealTickCount.
uint32_t GetTickCount();
void SetTickCount(uint32_t aMilliseconds);
void AdvanceTickCount(uint32_t aMilliseconds);
void UseRealTickCount();

// The longest time between two presses of a double click: 500 ms unless set.
uint32_t GetDoubleClickTime();
void SetDoubleClickTime(uint32_t aMilliseconds);

// The pointer's position in screen coordinates, as of the last input event.
bool GetCursorPos(TPoint& aPoint);
void SetCursorPos(int32_t aX, int32_t aY);

// 0x8000 set while the key (a virtual key code, mouse buttons included) is down.
int16_t GetAsyncKeyState(int32_t aVirtualKey);
// Records a key as down or up; the platform calls it for every translated event.
void SetKeyDown(int32_t aVirtualKey, bool aDown);

// Mouse capture: while a window holds it, every mouse message goes to it.
// SetCapture answers the window that held it before.
HWND SetCapture(HWND aWindow);
bool ReleaseCapture();
HWND GetCapture();

// SystemParametersInfo(SPI_GETWORKAREA, 0, &rect, 0) fills a TRect with the primary
// screen's available area in screen coordinates and answers true; other actions
// answer false.
constexpr uint32_t SPI_GETWORKAREA = 0x0030;
bool SystemParametersInfo(uint32_t aAction, uint32_t aParam, void* aValue, uint32_t aWinIni);
// Replaces the primary screen's work area (tests placing pop-ups); nullopt restores it.
void SetWorkAreaOverride(std::optional<TRect> aWorkArea);

namespace detail {
// Records where the pointer is, as a translated event reports it (the native cursor
// is not moved).
void RecordCursorPos(TPoint aPoint);
} // namespace detail

} // namespace fw
