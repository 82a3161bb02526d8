// SPDX-License-Identifier: MIT
#pragma once
// Drawing objects: stock objects, pens, brushes, fonts, and selecting them into a
// context. Ownership rules are in GdiTypes.h.

#include "platform/graphics/GdiTypes.h"

namespace fw {

// A stock object owned by the layer; raises EInvalidGraphicOperation for an unknown
// index.
HGDIOBJ GetStockObject(int32_t aIndex);
HPEN CreatePen(int32_t aStyle, int32_t aWidth, COLORREF aColor);
HBRUSH CreateSolidBrush(COLORREF aColor);
HFONT CreateFontIndirect(const TLogFont& aLogFont);
// Selects a pen, brush or font into the context and answers the one of the same kind
// that was selected before. Raises for an invalid context or object.
HGDIOBJ SelectObject(HDC aDC, HGDIOBJ aObject);
// Frees an object made by a Create call. Answers false, freeing nothing, for an
// unknown handle or an object selected into a context; true (freeing nothing) for a
// stock object.
bool DeleteObject(HGDIOBJ aObject);

// The objects currently selected into a context.
HPEN GetCurrentPen(HDC aDC);
HBRUSH GetCurrentBrush(HDC aDC);
HFONT GetCurrentFont(HDC aDC);

} // namespace fw
