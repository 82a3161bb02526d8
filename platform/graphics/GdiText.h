// SPDX-License-Identifier: MIT
#pragma once
// Text output in the context's font, text colour and background. In the opaque
// background mode the character cells are filled with the background colour first.
// Text is UTF-8, one line per call unless DrawText is given several lines.

#include "platform/graphics/GdiTypes.h"

#include <string_view>

namespace fw {

// Each answers the previous value.
COLORREF SetTextColor(HDC aDC, COLORREF aColor);
COLORREF SetBkColor(HDC aDC, COLORREF aColor);
// TRANSPARENT or OPAQUE; raises for anything else.
int32_t SetBkMode(HDC aDC, int32_t aMode);
COLORREF GetTextColor(HDC aDC);
COLORREF GetBkColor(HDC aDC);
int32_t GetBkMode(HDC aDC);

// Draws aText with its cell's top-left corner at (aX, aY).
bool TextOut(HDC aDC, int32_t aX, int32_t aY, std::string_view aText);
// Like TextOut; ETO_OPAQUE first fills *aRect with the background colour whatever
// the background mode, ETO_CLIPPED clips the text to *aRect. aRect may be null when
// neither option is given.
bool ExtTextOut(HDC aDC, int32_t aX, int32_t aY, uint32_t aOptions, const TRect* aRect,
                std::string_view aText);
// Draws aText formatted in *aRect (DT_* flags) and answers the height of the drawn
// text. Unless DT_NOCLIP is given the text is clipped to *aRect. Unless DT_NOPREFIX
// is given "&" marks the next character as a mnemonic (underlined, the "&" itself is
// not drawn) and "&&" draws one "&". Without DT_SINGLELINE the text breaks at line
// feeds; DT_VCENTER and DT_BOTTOM apply only with DT_SINGLELINE. DT_CALCRECT draws
// nothing and sets aRect's right and bottom edges to the extent of the text.
int32_t DrawText(HDC aDC, std::string_view aText, TRect* aRect, uint32_t aFormat);
// The width and the cell height of aText in the selected font.
bool GetTextExtentPoint32(HDC aDC, std::string_view aText, TSize* aSize);

} // namespace fw
