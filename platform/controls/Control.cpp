// SPDX-License-Identifier: MIT
#include "platform/controls/Control.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/Exceptions.h"

namespace fw {

FW_IMPLEMENT_CLASS(TControl)

TShiftState KeysToShiftState(uint32_t aKeys) {
    TShiftState shift;
    if (aKeys & MK_SHIFT) {
        shift.Include(ssShift);
    }
    if (aKeys & MK_CONTROL) {
        shift.Include(ssCtrl);
    }
    if (aKeys & MK_LBUTTON) {
        shift.Include(ssLeft);
    }
    if (aKeys & MK_RBUTTON) {
        shift.Include(ssRight);
    }
    if (aKeys & MK_MBUTTON) {
        shift.Include(ssMiddle);
    }
    if (GetAsyncKeyState(VK_MENU) < 0) {
        shift.Include(ssAlt);
    }
    return shift;
}

TShiftState KeyDataToShiftState(intptr_t aKeyData) {
    TShiftState shift;
    if (GetAsyncKeyState(VK_SHIFT) < 0) {
        shift.Include(ssShift);
    }
    if (GetAsyncKeyState(VK_CONTROL) < 0) {
        shift.Include(ssCtrl);
    }
    if (aKeyData & KF_ALTDOWN_LPARAM) {
        shift.Include(ssAlt);
    }
    return shift;
}

TControl::TControl(TComponent* aOwner) : TComponent(aOwner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { FontOnChange(); };
}

TControl::~TControl() {
    if (FParent != nullptr) {
        FParent->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* aParent) {
    if (aParent == FParent) {
        return;
    }
    if (aParent == this) {
        throw Exception("A control cannot be its own parent (" + ClassName() + ")");
    }
    if (FParent != nullptr) {
        FParent->RemoveControl(this);
    }
    if (aParent != nullptr) {
        aParent->InsertControl(this);
    }
}

void TControl::SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight) {
    if (aLeft == FLeft && aTop == FTop && aWidth == FWidth && aHeight == FHeight) {
        return;
    }
    bool resized = aWidth != FWidth || aHeight != FHeight;
    FLeft = aLeft;
    FTop = aTop;
    FWidth = aWidth;
    FHeight = aHeight;
    BoundsChanged(resized);
    RequestAlign();
}

void TControl::SetBoundsRect(const TRect& aRect) {
    SetBounds(aRect.Left, aRect.Top, aRect.Width(), aRect.Height());
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(int32_t aWidth, int32_t aHeight) {
    TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.Width() + aWidth, FHeight - client.Height() + aHeight);
}

TPoint TControl::ClientOrigin() const {
    TPoint origin{FLeft, FTop};
    if (FParent != nullptr) {
        TPoint parentOrigin = FParent->ClientOrigin();
        origin.X += parentOrigin.X;
        origin.Y += parentOrigin.Y;
    }
    return origin;
}

TPoint TControl::ClientToScreen(TPoint aPoint) const {
    TPoint origin = ClientOrigin();
    return TPoint{aPoint.X + origin.X, aPoint.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint aPoint) const {
    TPoint origin = ClientOrigin();
    return TPoint{aPoint.X - origin.X, aPoint.Y - origin.Y};
}

void TControl::SetAlign(TAlign aAlign) {
    if (aAlign == FAlign) {
        return;
    }
    FAlign = aAlign;
    RequestAlign();
}

void TControl::SetVisible(bool aVisible) {
    if (aVisible == FVisible) {
        return;
    }
    FVisible = aVisible;
    VisibleChanged();
    RequestAlign();
}

bool TControl::Showing() const {
    return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::SetEnabled(bool aEnabled) {
    if (aEnabled == FEnabled) {
        return;
    }
    FEnabled = aEnabled;
    EnabledChanged();
}

void TControl::SetColor(TColor aColor) {
    if (aColor == FColor && !FParentColor) {
        return;
    }
    FColor = aColor;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool aParentColor) {
    if (aParentColor == FParentColor) {
        return;
    }
    FParentColor = aParentColor;
    if (aParentColor && FParent != nullptr) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::SetParentFont(bool aParentFont) {
    if (aParentFont == FParentFont) {
        return;
    }
    FParentFont = aParentFont;
    if (aParentFont && FParent != nullptr) {
        TMessage message{CM_PARENTFONTCHANGED, 0, 0, 0};
        CMParentFontChanged(message);
    }
}

void TControl::FontOnChange() {
    if (!FTakingParentFont) {
        FParentFont = false;
    }
    FontChanged();
}

void TControl::SetCursor(TCursor aCursor) {
    if (aCursor == FCursor) {
        return;
    }
    FCursor = aCursor;
    CursorChanged();
}

void TControl::SetText(const String& aText) {
    if (GetText() == aText) {
        return;
    }
    FText = aText;
    TextChanged();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::VisibleChanged() {}

void TControl::BoundsChanged(bool) {}

void TControl::RequestAlign() {
    if (FParent != nullptr && FParent->FAlignLevel == 0) {
        FParent->Realign();
    }
}

void TControl::Invalidate() {
    if (FParent != nullptr) {
        FParent->Invalidate();
    }
}

void TControl::Update() {
    if (FParent != nullptr) {
        FParent->Update();
    }
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {}

bool TControl::MouseCapture() const {
    auto* window = dynamic_cast<const TWinControl*>(this);
    return window != nullptr && window->WindowHandle() != nullptr &&
           GetCapture() == window->WindowHandle();
}

void TControl::SetMouseCapture(bool aCapture) {
    if (MouseCapture() == aCapture) {
        return;
    }
    auto* window = dynamic_cast<TWinControl*>(this);
    if (window == nullptr) {
        return;
    }
    if (aCapture) {
        SetCapture(window->Handle());
    } else {
        ReleaseCapture();
    }
}

intptr_t TControl::Perform(uint32_t aMsg, intptr_t aWParam, intptr_t aLParam) {
    TMessage message{aMsg, aWParam, aLParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& aMessage) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
        switch (aMessage.Msg) {
        case WM_LBUTTONDBLCLK:
            aMessage.Msg = WM_LBUTTONDOWN;
            break;
        case WM_RBUTTONDBLCLK:
            aMessage.Msg = WM_RBUTTONDOWN;
            break;
        case WM_MBUTTONDBLCLK:
            aMessage.Msg = WM_MBUTTONDOWN;
            break;
        default:
            break;
        }
    }
    if (aMessage.Msg == WM_LBUTTONDOWN || aMessage.Msg == WM_LBUTTONDBLCLK) {
        FControlState.Include(csLButtonDown);
    } else if (aMessage.Msg == WM_LBUTTONUP) {
        FControlState.Exclude(csLButtonDown);
    }
    Dispatch(aMessage);
}

void TControl::Dispatch(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case WM_LBUTTONDOWN:
        WMLButtonDown(aMessage);
        break;
    case WM_RBUTTONDOWN:
        WMRButtonDown(aMessage);
        break;
    case WM_MBUTTONDOWN:
        WMMButtonDown(aMessage);
        break;
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClk(aMessage);
        break;
    case WM_RBUTTONDBLCLK:
        WMRButtonDblClk(aMessage);
        break;
    case WM_MBUTTONDBLCLK:
        WMMButtonDblClk(aMessage);
        break;
    case WM_LBUTTONUP:
        WMLButtonUp(aMessage);
        break;
    case WM_RBUTTONUP:
        WMRButtonUp(aMessage);
        break;
    case WM_MBUTTONUP:
        WMMButtonUp(aMessage);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(aMessage);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(aMessage);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(aMessage);
        break;
    default:
        DefaultHandler(aMessage);
        break;
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseDown(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY) {
    if (OnMouseDown) {
        OnMouseDown(this, aButton, aShift, aX, aY);
    }
}

void TControl::MouseMove(TShiftState aShift, int32_t aX, int32_t aY) {
    if (OnMouseMove) {
        OnMouseMove(this, aShift, aX, aY);
    }
}

void TControl::MouseUp(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY) {
    if (OnMouseUp) {
        OnMouseUp(this, aButton, aShift, aX, aY);
    }
}

void TControl::DoMouseDown(TMessage& aMessage, TMouseButton aButton, TShiftState aShift) {
    if (FControlStyle.Contains(csNoStdEvents)) {
        return;
    }
    MouseDown(aButton, KeysToShiftState(static_cast<uint32_t>(aMessage.WParam)) + aShift,
              LParamX(aMessage.LParam), LParamY(aMessage.LParam));
}

void TControl::DoMouseUp(TMessage& aMessage, TMouseButton aButton) {
    if (FControlStyle.Contains(csNoStdEvents)) {
        return;
    }
    MouseUp(aButton, KeysToShiftState(static_cast<uint32_t>(aMessage.WParam)),
            LParamX(aMessage.LParam), LParamY(aMessage.LParam));
}

void TControl::WMLButtonDown(TMessage& aMessage) {
    DefaultHandler(aMessage);
    if (FControlStyle.Contains(csCaptureMouse)) {
        SetMouseCapture(true);
    }
    if (FControlStyle.Contains(csClickEvents)) {
        FControlState.Include(csClicked);
    }
    DoMouseDown(aMessage, mbLeft, {});
}

void TControl::WMRButtonDown(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseDown(aMessage, mbRight, {});
}

void TControl::WMMButtonDown(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseDown(aMessage, mbMiddle, {});
}

void TControl::WMLButtonDblClk(TMessage& aMessage) {
    DefaultHandler(aMessage);
    if (FControlStyle.Contains(csCaptureMouse)) {
        SetMouseCapture(true);
    }
    if (FControlStyle.Contains(csClickEvents)) {
        DblClick();
    }
    DoMouseDown(aMessage, mbLeft, {ssDouble});
}

void TControl::WMRButtonDblClk(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseDown(aMessage, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseDown(aMessage, mbMiddle, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& aMessage) {
    DefaultHandler(aMessage);
    if (FControlStyle.Contains(csCaptureMouse)) {
        SetMouseCapture(false);
    }
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        TRect client = ClientRect();
        int32_t x = LParamX(aMessage.LParam);
        int32_t y = LParamY(aMessage.LParam);
        if (x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom) {
            Click();
        }
    }
    DoMouseUp(aMessage, mbLeft);
}

void TControl::WMRButtonUp(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseUp(aMessage, mbRight);
}

void TControl::WMMButtonUp(TMessage& aMessage) {
    DefaultHandler(aMessage);
    DoMouseUp(aMessage, mbMiddle);
}

void TControl::WMMouseMove(TMessage& aMessage) {
    DefaultHandler(aMessage);
    if (!FControlStyle.Contains(csNoStdEvents)) {
        MouseMove(KeysToShiftState(static_cast<uint32_t>(aMessage.WParam)),
                  LParamX(aMessage.LParam), LParamY(aMessage.LParam));
    }
}

void TControl::CMParentColorChanged(TMessage&) {
    if (FParentColor && FParent != nullptr) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::CMParentFontChanged(TMessage&) {
    if (FParentFont && FParent != nullptr) {
        FTakingParentFont = true;
        try {
            FFont->Assign(*FParent->Font());
        } catch (...) {
            FTakingParentFont = false;
            throw;
        }
        FTakingParentFont = false;
    }
}

} // namespace fw
