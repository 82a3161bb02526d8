// SPDX-License-Identifier: MIT
#include "platform/controls/Messages.h"

#include <cstdio>

namespace fw {

String MessageName(uint32_t aMsg) {
    switch (aMsg) {
#define FW_NAME(m)                                                                                 \
    case m:                                                                                        \
        return #m;
        FW_NAME(WM_NULL)
        FW_NAME(WM_MOVE)
        FW_NAME(WM_SIZE)
        FW_NAME(WM_ACTIVATE)
        FW_NAME(WM_SETFOCUS)
        FW_NAME(WM_KILLFOCUS)
        FW_NAME(WM_SETTEXT)
        FW_NAME(WM_PAINT)
        FW_NAME(WM_CLOSE)
        FW_NAME(WM_ERASEBKGND)
        FW_NAME(WM_CANCELMODE)
        FW_NAME(WM_DRAWITEM)
        FW_NAME(WM_KEYDOWN)
        FW_NAME(WM_KEYUP)
        FW_NAME(WM_CHAR)
        FW_NAME(WM_SYSKEYDOWN)
        FW_NAME(WM_SYSKEYUP)
        FW_NAME(WM_COMMAND)
        FW_NAME(WM_TIMER)
        FW_NAME(WM_VSCROLL)
        FW_NAME(WM_MOUSEMOVE)
        FW_NAME(WM_LBUTTONDOWN)
        FW_NAME(WM_LBUTTONUP)
        FW_NAME(WM_LBUTTONDBLCLK)
        FW_NAME(WM_RBUTTONDOWN)
        FW_NAME(WM_RBUTTONUP)
        FW_NAME(WM_RBUTTONDBLCLK)
        FW_NAME(WM_MBUTTONDOWN)
        FW_NAME(WM_MBUTTONUP)
        FW_NAME(WM_MBUTTONDBLCLK)
        FW_NAME(WM_MOUSEWHEEL)
        FW_NAME(WM_CAPTURECHANGED)
        FW_NAME(CM_DIALOGKEY)
        FW_NAME(CM_ENTER)
        FW_NAME(CM_EXIT)
        FW_NAME(CM_FONTCHANGED)
        FW_NAME(CM_COLORCHANGED)
        FW_NAME(CM_TEXTCHANGED)
        FW_NAME(CM_SHOWINGCHANGED)
        FW_NAME(CM_VISIBLECHANGED)
        FW_NAME(CM_PARENTFONTCHANGED)
        FW_NAME(CM_PARENTCOLORCHANGED)
        FW_NAME(CN_DRAWITEM)
        FW_NAME(CN_COMMAND)
#undef FW_NAME
    default:
        break;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(aMsg));
    return buffer;
}

} // namespace fw
