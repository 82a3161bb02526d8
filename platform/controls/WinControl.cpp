// SPDX-License-Identifier: MIT
#include "platform/controls/WinControl.h"

#include "platform/controls/Backend.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/graphics/GdiFills.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TWinControl)

int32_t BorderWidthOf(const TCreateParams& aParams) {
    if ((aParams.Style & WS_CHILD) == 0) {
        return 0;
    }
    if (aParams.ExStyle & WS_EX_CLIENTEDGE) {
        return 2;
    }
    return (aParams.Style & WS_BORDER) ? 1 : 0;
}

TWinControl::TWinControl(TComponent* aOwner)
    : TControl(aOwner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    TWinControl* top = TopLevel();
    if (top != this && top->FFocusedControl != nullptr && ContainsControl(top->FFocusedControl)) {
        top->FFocusedControl = nullptr;
    }
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
}

TControl* TWinControl::Controls(int32_t aIndex) const {
    if (aIndex < 0 || aIndex >= ControlCount()) {
        throw EListError("List index out of bounds (" + IntToStr(aIndex) + ")");
    }
    return FControls[static_cast<size_t>(aIndex)];
}

bool TWinControl::ContainsControl(const TControl* aControl) const {
    for (const TControl* control = aControl; control != nullptr; control = control->Parent()) {
        if (control == this) {
            return true;
        }
    }
    return false;
}

void TWinControl::InsertControl(TControl* aControl) {
    FControls.push_back(aControl);
    aControl->FParent = this;
    if (aControl->ParentColor() && aControl->Color() != Color()) {
        aControl->FColor = Color();
        aControl->ColorChanged();
    }
    if (aControl->ParentFont()) {
        TMessage message{CM_PARENTFONTCHANGED, 0, 0, 0};
        aControl->CMParentFontChanged(message);
    }
    // A window made elsewhere is made again inside this one (now, or with this one).
    if (auto* window = dynamic_cast<TWinControl*>(aControl); window != nullptr) {
        window->DestroyHandle();
        if (FNative) {
            window->CreateWnd();
        }
    }
    if (aControl->Align() != alNone) {
        Realign();
    }
}

void TWinControl::RemoveControl(TControl* aControl) {
    TWinControl* top = TopLevel();
    if (auto* window = dynamic_cast<TWinControl*>(aControl); window != nullptr) {
        if (top->FFocusedControl != nullptr && window->ContainsControl(top->FFocusedControl)) {
            top->FFocusedControl = nullptr;
        }
        window->DestroyHandle();
    }
    FControls.erase(std::remove(FControls.begin(), FControls.end(), aControl), FControls.end());
    aControl->FParent = nullptr;
    if (aControl->Align() != alNone && !ComponentState().Contains(csDestroying)) {
        Realign();
    }
}

void TWinControl::HandleNeeded() {
    if (FNative) {
        return;
    }
    if (Parent() != nullptr) {
        Parent()->HandleNeeded();
    }
    if (!FNative) {
        CreateWnd();
    }
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FNative.get();
}

void TWinControl::CreateParams(TCreateParams& aParams) {
    aParams.Caption = TControl::GetText();
    aParams.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FTabStop) {
        aParams.Style |= WS_TABSTOP;
    }
    if (!Enabled()) {
        aParams.Style |= WS_DISABLED;
    }
    aParams.X = Left();
    aParams.Y = Top();
    aParams.Width = Width();
    aParams.Height = Height();
    aParams.WndParent = Parent() != nullptr ? Parent()->WindowHandle() : FParentWindow;
}

std::unique_ptr<TNativeWindow> TWinControl::CreateNativeWindow(const TCreateParams& aParams) {
    return backend::CreateCustomWindow(*this, aParams);
}

bool TWinControl::NativeVisible() const {
    if (!Visible()) {
        return false;
    }
    return Parent() != nullptr || FParentWindow != nullptr || !FChildStyle;
}

void TWinControl::SetParentWindow(HWND aWindow) {
    if (aWindow == FParentWindow) {
        return;
    }
    FParentWindow = aWindow;
    if (FNative && Parent() == nullptr) {
        FNative->SetParentWindow(aWindow);
        FNative->SetBounds(BoundsRect());
        FNative->SetVisible(NativeVisible());
    }
}

void TWinControl::CreateWnd() {
    backend::EnsureApplication();
    TCreateParams params;
    CreateParams(params);
    FChildStyle = (params.Style & WS_CHILD) != 0;
    FCreatingWnd = true;
    try {
        FNative = CreateNativeWindow(params);
        FNative->SetBounds(BoundsRect());
        FNative->SetEnabled(Enabled());
        FNative->SetCursor(Cursor());
        FNative->SetColor(Color());
        FNative->SetFont(*Font());
        FNative->SetText(TControl::GetText());
        InitializeWnd();
    } catch (...) {
        FCreatingWnd = false;
        FNative.reset();
        throw;
    }
    FCreatingWnd = false;
    for (TControl* child : FControls) {
        if (auto* window = dynamic_cast<TWinControl*>(child);
            window != nullptr && !window->FNative) {
            window->CreateWnd();
        }
    }
    Realign();
    FNative->SetVisible(NativeVisible());
}

void TWinControl::DestroyHandle() {
    if (!FNative) {
        return;
    }
    for (TControl* child : FControls) {
        if (auto* window = dynamic_cast<TWinControl*>(child); window != nullptr) {
            window->DestroyHandle();
        }
    }
    DestroyWnd();
    StoreText(FNative->Text());
    if (GetCapture() == FNative.get()) {
        ReleaseCapture();
    }
    FNative.reset();
}

void TWinControl::RecreateWnd() {
    if (!FNative) {
        return;
    }
    // The control (or a child) that has the focus keeps it in the new window.
    TWinControl* focused = TopLevel()->FFocusedControl;
    if (focused == nullptr || !ContainsControl(focused) || !focused->Focused()) {
        focused = nullptr;
    }
    DestroyHandle();
    CreateWnd();
    if (focused != nullptr) {
        focused->SetFocus();
    }
}

TRect TWinControl::ClientRect() const {
    if (FNative) {
        return FNative->ClientRect();
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    int32_t border = BorderWidthOf(params);
    return Rect(0, 0, std::max(0, Width() - 2 * border), std::max(0, Height() - 2 * border));
}

TPoint TWinControl::ClientOrigin() const {
    if (FNative) {
        return FNative->ClientToScreen(TPoint{0, 0});
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    int32_t border = BorderWidthOf(params);
    TPoint origin = TControl::ClientOrigin();
    return TPoint{origin.X + border, origin.Y + border};
}

bool TWinControl::Showing() const {
    if (!Visible()) {
        return false;
    }
    if (Parent() != nullptr) {
        return Parent()->Showing();
    }
    return FNative && FNative->IsVisible();
}

void TWinControl::SetCtl3D(bool aCtl3D) {
    if (aCtl3D == FCtl3D) {
        return;
    }
    FCtl3D = aCtl3D;
    RecreateWnd();
}

void TWinControl::SetTabStop(bool aTabStop) {
    if (aTabStop == FTabStop) {
        return;
    }
    FTabStop = aTabStop;
    RecreateWnd();
}

bool TWinControl::CanFocus() const {
    if (!Showing()) {
        return false;
    }
    for (const TControl* control = this; control != nullptr; control = control->Parent()) {
        if (!control->Enabled()) {
            return false;
        }
    }
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) {
        return;
    }
    HandleNeeded();
    FNative->SetFocus();
}

bool TWinControl::Focused() const {
    return FNative && FNative->HasFocus();
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0 && ControlState().Contains(csAlignmentNeeded)) {
        Realign();
    }
}

void TWinControl::Realign() {
    if (!FNative || ComponentState().Contains(csDestroying)) {
        return;
    }
    if (FAlignLevel != 0) {
        IncludeState(csAlignmentNeeded);
        return;
    }
    ++FAlignLevel;
    try {
        TRect area = ClientRect();
        AdjustClientRect(area);
        AlignControls(nullptr, area);
    } catch (...) {
        --FAlignLevel;
        ExcludeState(csAlignmentNeeded);
        throw;
    }
    --FAlignLevel;
    ExcludeState(csAlignmentNeeded);
}

void TWinControl::AlignControls(TControl*, TRect& aRect) {
    auto aligned = [this](TAlign aAlign) {
        std::vector<TControl*> result;
        for (TControl* child : FControls) {
            if (child->Visible() && child->Align() == aAlign) {
                result.push_back(child);
            }
        }
        auto byPosition = [aAlign](TControl* a, TControl* b) {
            switch (aAlign) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        };
        std::stable_sort(result.begin(), result.end(), byPosition);
        return result;
    };
    for (TControl* child : aligned(alTop)) {
        child->SetBounds(aRect.Left, aRect.Top, aRect.Width(), child->Height());
        aRect.Top += child->Height();
    }
    for (TControl* child : aligned(alBottom)) {
        child->SetBounds(aRect.Left, aRect.Bottom - child->Height(), aRect.Width(),
                         child->Height());
        aRect.Bottom -= child->Height();
    }
    for (TControl* child : aligned(alLeft)) {
        child->SetBounds(aRect.Left, aRect.Top, child->Width(), aRect.Height());
        aRect.Left += child->Width();
    }
    for (TControl* child : aligned(alRight)) {
        child->SetBounds(aRect.Right - child->Width(), aRect.Top, child->Width(), aRect.Height());
        aRect.Right -= child->Width();
    }
    for (TControl* child : aligned(alClient)) {
        child->SetBounds(aRect.Left, aRect.Top, aRect.Width(), aRect.Height());
    }
}

void TWinControl::Invalidate() {
    if (FNative) {
        FNative->Invalidate(nullptr, !ControlStyle().Contains(csOpaque));
    }
}

void TWinControl::Update() {
    if (FNative) {
        FNative->Update();
    }
}

void TWinControl::BringToFront() {
    if (FNative) {
        FNative->BringToFront();
    }
}

TWinControl* TWinControl::TopLevel() {
    TWinControl* top = this;
    while (top->Parent() != nullptr) {
        top = top->Parent();
    }
    return top;
}

void TWinControl::SetFocusedControl(TWinControl* aControl) {
    if (aControl == FFocusedControl) {
        return;
    }
    TWinControl* previous = FFocusedControl;
    FFocusedControl = aControl;
    if (previous != nullptr) {
        previous->Perform(CM_EXIT);
    }
    if (aControl != nullptr && FFocusedControl == aControl) {
        aControl->Perform(CM_ENTER);
    }
}

String TWinControl::GetText() const {
    return FNative ? FNative->Text() : TControl::GetText();
}

void TWinControl::TextChanged() {
    if (FNative) {
        FNative->SetText(TControl::GetText());
    }
}

void TWinControl::NotifyChildren(uint32_t aMsg) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
        child->Perform(aMsg);
    }
}

void TWinControl::ColorChanged() {
    FBrush->SetColor(Color());
    if (FNative) {
        FNative->SetColor(Color());
    }
    Invalidate();
    NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::FontChanged() {
    if (FNative) {
        FNative->SetFont(*Font());
    }
    Invalidate();
    NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::VisibleChanged() {
    if (Visible() && Parent() != nullptr && Parent()->HandleAllocated()) {
        HandleNeeded();
    }
    if (FNative) {
        FNative->SetVisible(NativeVisible());
    }
}

void TWinControl::EnabledChanged() {
    if (FNative) {
        FNative->SetEnabled(Enabled());
    }
}

void TWinControl::CursorChanged() {
    if (FNative) {
        FNative->SetCursor(Cursor());
    }
}

void TWinControl::BoundsChanged(bool aResized) {
    if (!FNative) {
        return;
    }
    FNative->SetBounds(BoundsRect());
    if (aResized) {
        Realign();
    }
}

void TWinControl::Dispatch(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case WM_SETFOCUS:
        WMSetFocus(aMessage);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(aMessage);
        break;
    case WM_KEYDOWN:
        WMKeyDown(aMessage);
        break;
    case WM_SYSKEYDOWN:
        WMSysKeyDown(aMessage);
        break;
    case WM_KEYUP:
        WMKeyUp(aMessage);
        break;
    case WM_SYSKEYUP:
        WMSysKeyUp(aMessage);
        break;
    case WM_CHAR:
        WMChar(aMessage);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(aMessage);
        break;
    case WM_SIZE:
        WMSize(aMessage);
        break;
    case CM_ENTER:
        CMEnter(aMessage);
        break;
    case CM_EXIT:
        CMExit(aMessage);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(aMessage);
        break;
    default:
        TControl::Dispatch(aMessage);
        break;
    }
}

void TWinControl::DefaultHandler(TMessage& aMessage) {
    if (FNative) {
        FNative->DefaultHandler(aMessage);
    } else {
        TControl::DefaultHandler(aMessage);
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit() {
    if (OnExit) {
        OnExit(this);
    }
}

void TWinControl::KeyDown(uint16_t& aKey, TShiftState aShift) {
    if (OnKeyDown) {
        OnKeyDown(this, aKey, aShift);
    }
}

void TWinControl::KeyUp(uint16_t& aKey, TShiftState aShift) {
    if (OnKeyUp) {
        OnKeyUp(this, aKey, aShift);
    }
}

void TWinControl::KeyPress(char32_t& aKey) {
    if (OnKeyPress) {
        OnKeyPress(this, aKey);
    }
}

bool TWinControl::DoKeyDown(TMessage& aMessage) {
    uint16_t key = static_cast<uint16_t>(aMessage.WParam);
    KeyDown(key, KeyDataToShiftState(aMessage.LParam));
    if (key == 0) {
        return true;
    }
    aMessage.WParam = key;
    return false;
}

void TWinControl::WMSetFocus(TMessage& aMessage) {
    TopLevel()->SetFocusedControl(this);
    DefaultHandler(aMessage);
}

void TWinControl::WMKillFocus(TMessage& aMessage) {
    DefaultHandler(aMessage);
}

void TWinControl::WMKeyDown(TMessage& aMessage) {
    if (DoKeyDown(aMessage)) {
        return;
    }
    if (OfferDialogKey(aMessage)) {
        aMessage.Result = 1;
        return;
    }
    DefaultHandler(aMessage);
}

bool TWinControl::WantsKey(uint16_t) const {
    return false;
}

bool TWinControl::OfferDialogKey(const TMessage& aMessage) {
    const auto key = static_cast<uint16_t>(aMessage.WParam);
    if ((key != VK_RETURN && key != VK_ESCAPE) || WantsKey(key)) {
        return false;
    }
    const TShiftState shift = KeyDataToShiftState(aMessage.LParam);
    if (shift.Contains(ssShift) || shift.Contains(ssCtrl)) {
        return false;
    }
    return TopLevel()->Perform(CM_DIALOGKEY, key, aMessage.LParam) != 0;
}

void TWinControl::CMDialogKey(TMessage& aMessage) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
        if (auto* window = dynamic_cast<TWinControl*>(child); window != nullptr) {
            window->WndProc(aMessage);
            if (aMessage.Result != 0) {
                return;
            }
        }
    }
}

void TWinControl::WMSysKeyDown(TMessage& aMessage) {
    if (!DoKeyDown(aMessage)) {
        DefaultHandler(aMessage);
    }
}

void TWinControl::WMKeyUp(TMessage& aMessage) {
    uint16_t key = static_cast<uint16_t>(aMessage.WParam);
    KeyUp(key, KeyDataToShiftState(aMessage.LParam));
    if (key != 0) {
        aMessage.WParam = key;
        DefaultHandler(aMessage);
    }
}

void TWinControl::WMSysKeyUp(TMessage& aMessage) {
    WMKeyUp(aMessage);
}

void TWinControl::WMChar(TMessage& aMessage) {
    char32_t key = static_cast<char32_t>(aMessage.WParam);
    KeyPress(key);
    if (key != 0) {
        aMessage.WParam = static_cast<intptr_t>(key);
        DefaultHandler(aMessage);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& aMessage) {
    auto dc = reinterpret_cast<HDC>(aMessage.WParam);
    if (dc == nullptr) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    try {
        FillRect(dc, ClientRect(), brush);
    } catch (...) {
        DeleteObject(brush);
        throw;
    }
    DeleteObject(brush);
    aMessage.Result = 1;
}

void TWinControl::WMSize(TMessage& aMessage) {
    // The window's size or client area changed (a top-level window resized by the
    // window system, a scroll bar shown or hidden): take the bounds, align again.
    if (FNative && !FCreatingWnd) {
        TRect bounds = FNative->Bounds();
        bool resized = bounds.Width() != Width() || bounds.Height() != Height();
        TControl::FLeft = bounds.Left;
        TControl::FTop = bounds.Top;
        TControl::FWidth = bounds.Width();
        TControl::FHeight = bounds.Height();
        Realign();
        if (resized) {
            Invalidate();
        }
    }
    aMessage.Result = 0;
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

} // namespace fw
