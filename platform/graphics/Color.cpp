// SPDX-License-Identifier: MIT
#include "platform/graphics/Color.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/rtl/Format.h"

#include <array>

namespace fw {

namespace {

// The system palette: the classic grey desktop scheme, fixed so that painting does
// not depend on the machine. Index 25 has no colour of its own and repeats black.
constexpr std::array<COLORREF, 31> SystemPalette = {
    RGB(192, 192, 192), // 0  scroll bar
    RGB(0, 128, 128),   // 1  desktop background
    RGB(0, 0, 128),     // 2  active caption
    RGB(128, 128, 128), // 3  inactive caption
    RGB(192, 192, 192), // 4  menu
    RGB(255, 255, 255), // 5  window (clWindow)
    RGB(0, 0, 0),       // 6  window frame
    RGB(0, 0, 0),       // 7  menu text
    RGB(0, 0, 0),       // 8  window text (clWindowText)
    RGB(255, 255, 255), // 9  caption text
    RGB(192, 192, 192), // 10 active border
    RGB(192, 192, 192), // 11 inactive border
    RGB(128, 128, 128), // 12 application work space
    RGB(0, 0, 128),     // 13 highlight (clHighlight)
    RGB(255, 255, 255), // 14 highlight text (clHighlightText)
    RGB(192, 192, 192), // 15 button face (clBtnFace)
    RGB(128, 128, 128), // 16 button shadow (clBtnShadow)
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(192, 192, 192), // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight (clBtnHighlight)
    RGB(0, 0, 0),       // 21 3-D dark shadow
    RGB(223, 223, 223), // 22 3-D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
    RGB(0, 0, 0),       // 25 (unused index)
    RGB(0, 0, 255),     // 26 hot-tracked item
    RGB(16, 132, 208),  // 27 active caption gradient
    RGB(181, 181, 181), // 28 inactive caption gradient
    RGB(49, 106, 197),  // 29 highlighted menu item
    RGB(192, 192, 192), // 30 menu bar
};

} // namespace

COLORREF GetSysColor(int32_t aIndex) {
    if (aIndex < 0 || aIndex >= static_cast<int32_t>(SystemPalette.size()))
        throw EInvalidGraphicOperation(
            Format("GetSysColor: no system colour with index %d", {aIndex}));
    return SystemPalette[static_cast<size_t>(aIndex)];
}

COLORREF ColorToRGB(TColor aColor) {
    const uint32_t highByte = aColor >> 24;
    if (highByte == 0x80)
        return GetSysColor(static_cast<int32_t>(aColor & 0xFF));
    if (highByte == 0)
        return aColor;
    throw EInvalidGraphicOperation(Format("ColorToRGB: 0x%.8x is not a colour", {aColor}));
}

} // namespace fw
