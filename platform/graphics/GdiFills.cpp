#include "platform/graphics/GdiFills.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"

namespace fw {

namespace {

void Fill(TDeviceContext& aContext, const TRect& aRect, COLORREF aColor) {
    TContextPainter painter(aContext);
    if (painter.isActive())
        painter.fillRect(ToQRect(aRect), QColor(ToQRgb(aColor)));
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
    const uint32_t outer = aEdge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    const uint32_t innerEdge = aEdge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (outer == BDR_RAISEDOUTER || outer == BDR_SUNKENOUTER) {
        const TEdgeColors colors =
            outer == BDR_RAISEDOUTER
                ? TEdgeColors{GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)}
                : TEdgeColors{GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
        DrawBorder(context, inner, colors, aFlags);
        Shrink(inner, aFlags);
    }
    if (innerEdge == BDR_RAISEDINNER || innerEdge == BDR_SUNKENINNER) {
        const TEdgeColors colors =
            innerEdge == BDR_RAISEDINNER
                ? TEdgeColors{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)}
                : TEdgeColors{GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
        DrawBorder(context, inner, colors, aFlags);
        Shrink(inner, aFlags);
    }
    if ((aFlags & BF_MIDDLE) != 0)
        Fill(context, inner, GetSysColor(COLOR_BTNFACE));
    if ((aFlags & BF_ADJUST) != 0)
        *aRect = inner;
    return true;
}

} // namespace fw
