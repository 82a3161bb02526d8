// SPDX-License-Identifier: MIT
#include "platform/controls/SystemState.h"

#include "platform/controls/Backend.h"

#include <array>
#include <chrono>

namespace fw {

namespace {

struct TClockState {
    bool Manual = false;
    uint32_t Value = 0;
};

TClockState& Clock() {
    static TClockState state;
    return state;
}

uint32_t RealTicks() {
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

uint32_t& DoubleClickTime() {
    static uint32_t time = 500;
    return time;
}

TPoint& CursorPos() {
    static TPoint position;
    return position;
}

std::array<bool, 256>& KeysDown() {
    static std::array<bool, 256> keys{};
    return keys;
}

HWND& CaptureWindow() {
    static HWND window = nullptr;
    return window;
}

std::optional<TRect>& WorkAreaOverride() {
    static std::optional<TRect> area;
    return area;
}

} // namespace

uint32_t GetTickCount() {
    return Clock().Manual ? Clock().Value : RealTicks();
}

void SetTickCount(uint32_t aMilliseconds) {
    Clock() = TClockState{true, aMilliseconds};
}

void AdvanceTickCount(uint32_t aMilliseconds) {
    SetTickCount(GetTickCount() + aMilliseconds);
}

void UseRealTickCount() {
    Clock().Manual = false;
}

uint32_t GetDoubleClickTime() {
    return DoubleClickTime();
}

void SetDoubleClickTime(uint32_t aMilliseconds) {
    DoubleClickTime() = aMilliseconds == 0 ? 500 : aMilliseconds;
}

bool GetCursorPos(TPoint& aPoint) {
    aPoint = CursorPos();
    return true;
}

void SetCursorPos(int32_t aX, int32_t aY) {
    CursorPos() = TPoint{aX, aY};
    backend::MoveNativeCursor(CursorPos());
}

namespace detail {
// Records the pointer position of a translated event without moving the native cursor.
void RecordCursorPos(TPoint aPoint) {
    CursorPos() = aPoint;
}
} // namespace detail

int16_t GetAsyncKeyState(int32_t aVirtualKey) {
    if (aVirtualKey < 0 || aVirtualKey > 255) {
        return 0;
    }
    return KeysDown()[static_cast<size_t>(aVirtualKey)] ? static_cast<int16_t>(0x8000) : 0;
}

void SetKeyDown(int32_t aVirtualKey, bool aDown) {
    if (aVirtualKey >= 0 && aVirtualKey <= 255) {
        KeysDown()[static_cast<size_t>(aVirtualKey)] = aDown;
    }
}

HWND SetCapture(HWND aWindow) {
    HWND previous = CaptureWindow();
    CaptureWindow() = aWindow;
    return previous;
}

bool ReleaseCapture() {
    CaptureWindow() = nullptr;
    return true;
}

HWND GetCapture() {
    return CaptureWindow();
}

bool SystemParametersInfo(uint32_t aAction, uint32_t, void* aValue, uint32_t) {
    if (aAction != SPI_GETWORKAREA || aValue == nullptr) {
        return false;
    }
    *static_cast<TRect*>(aValue) =
        WorkAreaOverride() ? *WorkAreaOverride() : backend::PrimaryWorkArea();
    return true;
}

void SetWorkAreaOverride(std::optional<TRect> aWorkArea) {
    WorkAreaOverride() = aWorkArea;
}

} // namespace fw
