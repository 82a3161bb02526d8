// SPDX-License-Identifier: MIT
#include "platform/stdctrls/Panel.h"

#include "platform/graphics/GdiText.h"

namespace fw {

FW_IMPLEMENT_CLASS(TPanel)

namespace {

void BevelColors(TBevelCut aBevel, TColor& aTop, TColor& aBottom) {
    aTop = aBevel == bvLowered ? clBtnShadow : clBtnHighlight;
    aBottom = aBevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

TPanel::TPanel(TComponent* aOwner) : TCustomControl(aOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TBevelCut aBevel) {
    if (aBevel != FBevelOuter) {
        FBevelOuter = aBevel;
        BevelChanged();
    }
}

void TPanel::SetBevelInner(TBevelCut aBevel) {
    if (aBevel != FBevelInner) {
        FBevelInner = aBevel;
        BevelChanged();
    }
}

void TPanel::SetBevelWidth(int32_t aWidth) {
    if (aWidth != FBevelWidth && aWidth > 0) {
        FBevelWidth = aWidth;
        BevelChanged();
    }
}

void TPanel::BevelChanged() {
    Realign();
    Invalidate();
}

void TPanel::TextChanged() {
    TCustomControl::TextChanged();
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& aRect) {
    int32_t bevel = 0;
    if (FBevelOuter != bvNone) {
        bevel += FBevelWidth;
    }
    if (FBevelInner != bvNone) {
        bevel += FBevelWidth;
    }
    aRect.Left += bevel;
    aRect.Top += bevel;
    aRect.Right -= bevel;
    aRect.Bottom -= bevel;
}

void TPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect area = ClientRect();
    TColor top;
    TColor bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(canvas, area, top, bottom, FBevelWidth);
    }
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(canvas, area, top, bottom, FBevelWidth);
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    String caption = Caption();
    if (!caption.empty()) {
        canvas.Brush().SetStyle(bsClear);
        canvas.SetFont(*Font());
        DrawText(canvas.Handle(), caption, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}

} // namespace fw
