// SPDX-License-Identifier: MIT
#include "quire/inplace/PropButton.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/WinApi.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/Rects.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropButton)

namespace {

struct TGlyph {
    const char* FontName;
    int32_t Height;
    const char* Text;
};

TGlyph GlyphOf(TPropButtonType aType) {
    if (aType == pbtLookup) {
        return {"Marlett", 12, "6"};
    }
    return {"Wingdings", 9, "\x9F\x9F\x9F"};
}

// The glyph's font, set as painting and measuring both need it (the colour is left
// as it is).
void SetGlyphFont(fw::TFont& aFont, const TGlyph& aGlyph) {
    aFont.SetName(aGlyph.FontName);
    aFont.SetHeight(aGlyph.Height);
    aFont.SetStyle({});
}

} // namespace

TPropButton::TPropButton(fw::TComponent* aOwner) : fw::TCustomControl(aOwner) {
    FTimer = fw::CreateOwned<fw::TTimer>(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(100);
    FTimer->SetOnTimer([this](fw::TObject* aSender) { OnTimer(aSender); });
    SetParentFont(false);
    SetControlStyle({});
}

void TPropButton::SetState(TPropButtonState aState) {
    if (aState == FState) {
        return;
    }
    FState = aState;
    if (HandleAllocated()) {
        Paint();
    }
}

void TPropButton::SetButtonType(TPropButtonType aType) {
    if (aType == FButtonType) {
        return;
    }
    FButtonType = aType;
    if (HandleAllocated()) {
        Paint();
    }
}

int32_t TPropButton::CalcWidth() {
    const TGlyph glyph = GlyphOf(FButtonType);
    SetGlyphFont(Canvas()->Font(), glyph);
    // Measured on a screen context: the button need not have a window yet.
    fw::HDC dc = fw::GetDC(nullptr);
    fw::TCanvas measure;
    int32_t width = 0;
    try {
        measure.SetHandle(dc);
        measure.SetFont(Canvas()->Font());
        width = measure.TextWidth(glyph.Text);
    } catch (...) {
        measure.SetHandle(nullptr);
        fw::ReleaseDC(nullptr, dc);
        throw;
    }
    measure.SetHandle(nullptr);
    fw::ReleaseDC(nullptr, dc);
    return width;
}

void TPropButton::Paint() {
    fw::TCanvas& canvas = *Canvas();
    fw::TRect area = ClientRect();
    switch (FState) {
    case pbsNormal:
        fw::Frame3D(canvas, area, fw::clBtnFace, fw::clBtnFace, 1);
        break;
    case pbsHighlight:
        fw::Frame3D(canvas, area, fw::clBtnHighlight, fw::clBtnShadow, 1);
        break;
    case pbsPressed:
        fw::Frame3D(canvas, area, fw::clBtnShadow, fw::clBtnHighlight, 1);
        break;
    }
    const TGlyph glyph = GlyphOf(FButtonType);
    SetGlyphFont(canvas.Font(), glyph);
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    if (FState == pbsPressed) {
        ++area.Left;
        ++area.Top;
    }
    fw::SetBkMode(canvas.Handle(), fw::OPAQUE);
    fw::DrawText(canvas.Handle(), glyph.Text, &area,
                 fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_CENTER);
}

bool TPropButton::InClient(int32_t aX, int32_t aY) const {
    return fw::PtInRect(ClientRect(), fw::TPoint{aX, aY});
}

void TPropButton::MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) {
    fw::TCustomControl::MouseMove(aShift, aX, aY);
    if (MouseCapture()) {
        SetState(InClient(aX, aY) ? pbsPressed : pbsHighlight);
    } else if (FState == pbsNormal) {
        SetState(pbsHighlight);
        FTimer->SetEnabled(true);
    }
}

void TPropButton::MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                            int32_t aY) {
    fw::TCustomControl::MouseDown(aButton, aShift, aX, aY);
    if (aButton != fw::mbLeft) {
        return;
    }
    SetMouseCapture(true);
    SetState(pbsPressed);
}

void TPropButton::MouseUp(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                          int32_t aY) {
    fw::TCustomControl::MouseUp(aButton, aShift, aX, aY);
    if (!MouseCapture()) {
        return;
    }
    SetMouseCapture(false);
    if (InClient(aX, aY) && !FClicked) {
        FClicked = true;
        try {
            Click();
        } catch (...) {
            // A handler that raises (a refused pick) leaves the button as a click does.
            EndClick();
            throw;
        }
    }
    EndClick();
}

void TPropButton::EndClick() {
    SetState(pbsHighlight);
    FTimer->SetEnabled(true);
}

void TPropButton::OnTimer(fw::TObject*) {
    if (MouseCapture() || FState != pbsHighlight) {
        return;
    }
    FClicked = false;
    fw::TPoint cursor;
    fw::GetCursorPos(cursor);
    const fw::TPoint client = ScreenToClient(cursor);
    if (!InClient(client.X, client.Y)) {
        SetState(pbsNormal);
        FTimer->SetEnabled(false);
    }
}

} // namespace quire
