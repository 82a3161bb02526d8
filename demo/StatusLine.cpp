// SPDX-License-Identifier: MIT
#include "StatusLine.h"

namespace demo {

FW_IMPLEMENT_CLASS(TStatusLine)

TStatusLine::TStatusLine(fw::TComponent* aOwner) : TPanel(aOwner) {
    SetBevelOuter(fw::bvLowered);
}

void TStatusLine::Paint() {
    fw::TCanvas& canvas = *Canvas();
    const fw::TRect area = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    fw::TRect inner = area;
    fw::Frame3D(canvas, inner, fw::clBtnShadow, fw::clBtnHighlight, 1);
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Font().Assign(*Font());
    canvas.TextOut(inner.Left + 6, (area.Height() - canvas.TextHeight(Caption())) / 2, Caption());
    canvas.Brush().SetStyle(fw::bsSolid);
}

} // namespace demo
