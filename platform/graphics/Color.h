// SPDX-License-Identifier: MIT
#pragma once
// Colours. A TColor is either a plain colour 0x00BBGGRR (red in the low byte, as
// the platform's COLORREF) or a system colour 0x800000nn, where nn is the index of
// an entry of the system palette (clWindow = 0x80000005, clBtnShadow = 0x80000010,
// ...). ColorToRGB resolves system colours to the fixed palette documented in
// Color.cpp; that palette does not follow the desktop theme, so painting is the
// same on every machine.

#include <cstdint>

namespace fw {

using TColor = uint32_t;
// A plain colour 0x00BBGGRR as the GDI-style calls take and answer it.
using COLORREF = uint32_t;

constexpr COLORREF RGB(uint8_t aRed, uint8_t aGreen, uint8_t aBlue) {
    return static_cast<COLORREF>(aRed) | (static_cast<COLORREF>(aGreen) << 8) |
           (static_cast<COLORREF>(aBlue) << 16);
}
constexpr uint8_t GetRValue(COLORREF aColor) {
    return aColor & 0xFF;
}
constexpr uint8_t GetGValue(COLORREF aColor) {
    return (aColor >> 8) & 0xFF;
}
constexpr uint8_t GetBValue(COLORREF aColor) {
    return (aColor >> 16) & 0xFF;
}

// Answered by GetPixel for a point outside the context's image or clip rectangle.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr TColor clSystemColor = 0x80000000;

// System palette indexes.
constexpr int32_t COLOR_SCROLLBAR = 0;
constexpr int32_t COLOR_BACKGROUND = 1;
constexpr int32_t COLOR_ACTIVECAPTION = 2;
constexpr int32_t COLOR_INACTIVECAPTION = 3;
constexpr int32_t COLOR_MENU = 4;
constexpr int32_t COLOR_WINDOW = 5;
constexpr int32_t COLOR_WINDOWFRAME = 6;
constexpr int32_t COLOR_MENUTEXT = 7;
constexpr int32_t COLOR_WINDOWTEXT = 8;
constexpr int32_t COLOR_CAPTIONTEXT = 9;
constexpr int32_t COLOR_ACTIVEBORDER = 10;
constexpr int32_t COLOR_INACTIVEBORDER = 11;
constexpr int32_t COLOR_APPWORKSPACE = 12;
constexpr int32_t COLOR_HIGHLIGHT = 13;
constexpr int32_t COLOR_HIGHLIGHTTEXT = 14;
constexpr int32_t COLOR_BTNFACE = 15;
constexpr int32_t COLOR_BTNSHADOW = 16;
constexpr int32_t COLOR_GRAYTEXT = 17;
constexpr int32_t COLOR_BTNTEXT = 18;
constexpr int32_t COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int32_t COLOR_BTNHIGHLIGHT = 20;
constexpr int32_t COLOR_3DDKSHADOW = 21;
constexpr int32_t COLOR_3DLIGHT = 22;
constexpr int32_t COLOR_INFOTEXT = 23;
constexpr int32_t COLOR_INFOBK = 24;
constexpr int32_t COLOR_HOTLIGHT = 26;
constexpr int32_t COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int32_t COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int32_t COLOR_MENUHILIGHT = 29;
constexpr int32_t COLOR_MENUBAR = 30;

constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clMaroon = RGB(128, 0, 0);
constexpr TColor clGreen = RGB(0, 128, 0);
constexpr TColor clOlive = RGB(128, 128, 0);
constexpr TColor clNavy = RGB(0, 0, 128);
constexpr TColor clPurple = RGB(128, 0, 128);
constexpr TColor clTeal = RGB(0, 128, 128);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clSilver = RGB(192, 192, 192);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clLime = RGB(0, 255, 0);
constexpr TColor clYellow = RGB(255, 255, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clFuchsia = RGB(255, 0, 255);
constexpr TColor clAqua = RGB(0, 255, 255);
constexpr TColor clWhite = RGB(255, 255, 255);

// The palette entry of a system colour index. Raises EInvalidGraphicOperation for an
// index the palette does not have.
COLORREF GetSysColor(int32_t aIndex);

// A plain colour for any TColor: system colours resolved through GetSysColor, plain
// colours unchanged. Raises EInvalidGraphicOperation, naming the value, for a colour
// that is neither (high byte other than 0x00 and 0x80).
COLORREF ColorToRGB(TColor aColor);

} // namespace fw
