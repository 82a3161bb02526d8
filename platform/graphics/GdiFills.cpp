// SPDX-License-Identifier: MIT
#include "platform/graphics/GdiFills.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"

namespace fw {

namespace {

void Fill(TDeviceContext& aContext, const TRect& aRect, COLORREF aColor) {
    TContextPainter painter(aContext);
    if (painter.isActive())
        painter->fillRect(ToQRect(aRect), QColor(ToQRgb(aColor)));
}

struct TEdgeColors {
    COLORREF TopLeft;
    COLORREF BottomRight;
};

// One-pixel border: top and left first, then bottom and right, which so own the
// top-right and bottom-left corners.
void DrawBorder(TDeviceContext& aContext, const TRect& aRect, TEdgeColors aColors,
                uint32_t aFlags) {
    const TRect& r = aRect;
    if ((aFlags & BF_TOP) != 0)
        Fill(aContext, Rect(r.Left, r.Top, r.Right, r.Top + 1), aColors.TopLeft);
    if ((aFlags & BF_LEFT) != 0)
        Fill(aContext, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), aColors.TopLeft);
    if ((aFlags & BF_BOTTOM) != 0)
        Fill(aContext, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), aColors.BottomRight);
    if ((aFlags & BF_RIGHT) != 0)
        Fill(aContext, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), aColors.BottomRight);
}

void Shrink(TRect& aRect, uint32_t aFlags) {
    if ((aFlags & BF_LEFT) != 0)
        ++aRect.Left;
    if ((aFlags & BF_TOP) != 0)
        ++aRect.Top;
    if ((aFlags & BF_RIGHT) != 0)
        --aRect.Right;
    if ((aFlags & BF_BOTTOM) != 0)
        --aRect.Bottom;
}

// Draws one ring of an edge (outer or inner) and shrinks aRect past it, when the
// ring asks for exactly one of its styles; both or neither draw nothing.
void DrawRing(TDeviceContext& aContext, TRect& aRect, uint32_t aFlags, uint32_t aRing,
              uint32_t aRaised, const TEdgeColors& aRaisedColors,
              const TEdgeColors& aSunkenColors) {
    const uint32_t sunken = aRaised << 1; // each sunken bit follows its raised bit
    if (aRing != aRaised && aRing != sunken)
        return;
    DrawBorder(aContext, aRect, aRing == aRaised ? aRaisedColors : aSunkenColors, aFlags);
    Shrink(aRect, aFlags);
}

} // namespace

bool FillRect(HDC aDC, const TRect& aRect, HBRUSH aBrush) {
    TDeviceContext& context = CheckDC(aDC, "FillRect");
    if (aBrush == nullptr)
        throw EInvalidGraphicOperation("FillRect: no brush");
    if (aBrush->LogBrush.Style != BS_NULL)
        Fill(context, aRect, aBrush->LogBrush.Color);
    return true;
}

bool FrameRect(HDC aDC, const TRect& aRect, HBRUSH aBrush) {
    TDeviceContext& context = CheckDC(aDC, "FrameRect");
    if (aBrush == nullptr)
        throw EInvalidGraphicOperation("FrameRect: no brush");
    if (aBrush->LogBrush.Style != BS_NULL && aRect.Right > aRect.Left && aRect.Bottom > aRect.Top)
        DrawBorder(context, aRect, {aBrush->LogBrush.Color, aBrush->LogBrush.Color}, BF_RECT);
    return true;
}

bool DrawEdge(HDC aDC, TRect* aRect, uint32_t aEdge, uint32_t aFlags) {
    TDeviceContext& context = CheckDC(aDC, "DrawEdge");
    if (aRect == nullptr)
        throw EInvalidGraphicOperation("DrawEdge: no rectangle");
    TRect inner = *aRect;
    DrawRing(context, inner, aFlags, aEdge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER), BDR_RAISEDOUTER,
             {GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)},
             {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)});
    DrawRing(context, inner, aFlags, aEdge & (BDR_RAISEDINNER | BDR_SUNKENINNER), BDR_RAISEDINNER,
             {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)},
             {GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)});
    if ((aFlags & BF_MIDDLE) != 0)
        Fill(context, inner, GetSysColor(COLOR_BTNFACE));
    if ((aFlags & BF_ADJUST) != 0)
        *aRect = inner;
    return true;
}

} // namespace fw
