// SPDX-License-Identifier: MIT
#pragma once
// Window messages: the numbers the framework's controls dispatch on, and the one
// message record every handler receives.
//
// A message reaches a control through TControl::WndProc, which dispatches it by
// number to the class's handlers (TControl::Dispatch); what no handler takes goes to
// DefaultHandler, which for a windowed control hands it to the native window.

#include "platform/rtl/Types.h"

#include <cstdint>

namespace fw {

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_SETTEXT = 0x000C,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_ERASEBKGND = 0x0014,
    WM_CANCELMODE = 0x001F,
    WM_DRAWITEM = 0x002B,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_CAPTURECHANGED = 0x0215,

    // Messages of the framework itself.
    CM_BASE = 0xB000,
    // Enter or Escape that the focused control left alone, offered to the controls
    // of its window (WParam: the key, LParam: the key data); Result 1 when taken.
    CM_DIALOGKEY = CM_BASE + 5,
    CM_ENTER = CM_BASE + 10,
    CM_EXIT = CM_BASE + 11,
    CM_FONTCHANGED = CM_BASE + 14,
    CM_COLORCHANGED = CM_BASE + 15,
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_SHOWINGCHANGED = CM_BASE + 21,
    CM_VISIBLECHANGED = CM_BASE + 23,
    CM_PARENTFONTCHANGED = CM_BASE + 32,
    CM_PARENTCOLORCHANGED = CM_BASE + 33,

    // Notifications reflected back to the control they are about.
    CN_BASE = 0xBC00,
    CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
    CN_COMMAND = CN_BASE + WM_COMMAND,
};

// Activation states in the low word of WM_ACTIVATE's WParam.
enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// Button and modifier flags in the WParam of mouse messages.
enum : uint32_t {
    MK_LBUTTON = 0x01,
    MK_RBUTTON = 0x02,
    MK_SHIFT = 0x04,
    MK_CONTROL = 0x08,
    MK_MBUTTON = 0x10
};

// Notification codes in the high word of WM_COMMAND / CN_COMMAND's WParam.
enum : uint32_t { BN_CLICKED = 0, EN_CHANGE = 0x0300, LBN_SELCHANGE = 1, LBN_DBLCLK = 2 };

// Scroll requests in the low word of WM_VSCROLL's WParam.
enum : uint32_t {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8
};

// Bit 29 of a key message's LParam: the Alt key was held.
constexpr intptr_t KF_ALTDOWN_LPARAM = intptr_t{1} << 29;

// One message. WParam and LParam carry the message's arguments as the platform
// packs them; Result is the handler's answer.
struct TMessage {
    uint32_t Msg = WM_NULL;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

inline uint16_t LoWord(intptr_t aValue) {
    return static_cast<uint16_t>(aValue & 0xFFFF);
}
inline uint16_t HiWord(intptr_t aValue) {
    return static_cast<uint16_t>((aValue >> 16) & 0xFFFF);
}
inline intptr_t MakeLong(uint16_t aLow, uint16_t aHigh) {
    return static_cast<intptr_t>(static_cast<uint32_t>(aLow) |
                                 (static_cast<uint32_t>(aHigh) << 16));
}

// Mouse messages carry client coordinates as two signed 16-bit halves of LParam.
inline intptr_t PointToLParam(int32_t aX, int32_t aY) {
    return MakeLong(static_cast<uint16_t>(static_cast<int16_t>(aX)),
                    static_cast<uint16_t>(static_cast<int16_t>(aY)));
}
inline int32_t LParamX(intptr_t aLParam) {
    return static_cast<int16_t>(LoWord(aLParam));
}
inline int32_t LParamY(intptr_t aLParam) {
    return static_cast<int16_t>(HiWord(aLParam));
}

// A mouse message built from client coordinates and MK_ flags.
inline TMessage MouseMessage(uint32_t aMsg, int32_t aX, int32_t aY, uint32_t aKeys = 0) {
    return TMessage{aMsg, static_cast<intptr_t>(aKeys), PointToLParam(aX, aY), 0};
}

inline bool IsMouseMessage(uint32_t aMsg) {
    return aMsg >= WM_MOUSEMOVE && aMsg <= WM_MOUSEWHEEL;
}
inline bool IsKeyMessage(uint32_t aMsg) {
    return aMsg >= WM_KEYDOWN && aMsg <= WM_SYSKEYUP;
}

// The message's name for diagnostics and test recordings ("WM_PAINT"), or its number
// in hexadecimal ("0x1234") when it has no name here.
String MessageName(uint32_t aMsg);

} // namespace fw
