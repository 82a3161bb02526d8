// SPDX-License-Identifier: MIT
#pragma once
// TWinControl: a control with a native window, child controls and the keyboard
// focus.
//
// The window is created on demand (HandleNeeded, Handle, or when the control is
// shown on a parent that has one) from CreateParams; everything set before is kept
// in fields and pushed into the new window, so a control without a window behaves
// like one with. Destroying the control destroys its child controls (last first) and
// its window.
//
// Keys: WM_KEYDOWN / WM_SYSKEYDOWN run KeyDown (OnKeyDown); when it leaves the key
// non-zero the message goes on to DefaultHandler (the native window's own handling).
// Enter and Escape without Shift or Ctrl that KeyDown leaves and that the control does
// not want itself (WantsKey) are first offered to the controls of the top-level
// window as CM_DIALOGKEY (a dialog's default and cancel buttons take them there);
// a WM_KEYDOWN taken that way answers Result 1, and no WM_CHAR follows it.
// WM_CHAR runs KeyPress (OnKeyPress) likewise. Focus: WM_SETFOCUS makes the control
// the focused control of its top-level window, which sends CM_EXIT to the previous
// one and CM_ENTER (DoEnter, OnEnter) to this one.

#include "platform/controls/Control.h"
#include "platform/graphics/GraphicsObjects.h"

#include <vector>

namespace fw {

// Window styles (TCreateParams::Style / ExStyle).
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_DLGFRAME = 0x00400000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;

struct TCreateParams {
    String Caption;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    HWND WndParent = nullptr;
};

// The border a window of these styles draws inside its bounds: 2 pixels for a
// client edge, 1 for WS_BORDER, 0 otherwise.
int32_t BorderWidthOf(const TCreateParams& aParams);

using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

class TWinControl : public TControl {
    FW_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* aOwner = nullptr);
    ~TWinControl() override;

    // --- children -----------------------------------------------------------------
    int32_t ControlCount() const { return static_cast<int32_t>(FControls.size()); }
    TControl* Controls(int32_t aIndex) const;
    bool ContainsControl(const TControl* aControl) const;

    // --- window ---------------------------------------------------------------------
    bool HandleAllocated() const { return FNative != nullptr; }
    void HandleNeeded();
    // The window, created when needed.
    HWND Handle();
    // The window if it exists, without creating it.
    HWND WindowHandle() const { return FNative.get(); }
    // Destroys the window (and the children's); the control keeps its state.
    void DestroyHandle();
    // Destroys the window and creates it again when it was there (style changes).
    void RecreateWnd();
    // A control without a parent control can live inside a window that is not a
    // control's (a host toolkit's widget, see platform/qt/ForeignWindow.h): its window
    // is then created as a child of aWindow and shown while the control is visible.
    // The caller keeps aWindow alive for as long as the control's window exists.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND aWindow);

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;

    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool aCtl3D);
    TBrush* Brush() const { return FBrush.get(); }

    // --- focus ----------------------------------------------------------------------
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool aTabStop);
    virtual bool CanFocus() const;
    // Gives the control the keyboard focus (creating the window when needed).
    virtual void SetFocus();
    virtual bool Focused() const;
    // The control among this one's descendants (or this one) that has the focus,
    // as last told by WM_SETFOCUS; nullptr when none.
    TWinControl* FocusedControl() const { return FFocusedControl; }

    // --- alignment --------------------------------------------------------------------
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    // Aligns the children within the client area now (when the window exists).
    void Realign();

    void Invalidate() override;
    void Update() override;
    void BringToFront() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void Dispatch(TMessage& aMessage) override;
    void DefaultHandler(TMessage& aMessage) override;

    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(uint16_t& aKey, TShiftState aShift);
    virtual void KeyUp(uint16_t& aKey, TShiftState aShift);
    virtual void KeyPress(char32_t& aKey);

protected:
    virtual void CreateParams(TCreateParams& aParams);
    // Makes the native window; a control that needs a particular kind of window (an
    // edit, a memo) overrides it.
    virtual std::unique_ptr<TNativeWindow> CreateNativeWindow(const TCreateParams& aParams);
    // Creates the window and pushes the control's state into it; then the children's.
    virtual void CreateWnd();
    // Runs after the window exists and holds the common state: push the class's own.
    virtual void InitializeWnd() {}
    // Runs before the window goes: read back what only the window knew.
    virtual void DestroyWnd() {}
    // The window that this control is drawn in, if any.
    TNativeWindow* Native() const { return FNative.get(); }
    // True while CreateWnd pushes the control's state into a new window: what the
    // window reports back then is the framework's own doing.
    bool CreatingWnd() const { return FCreatingWnd; }

    // Places the children by their Align within aRect (shrinking it as it goes).
    virtual void AlignControls(TControl* aControl, TRect& aRect);
    // The area AlignControls starts from: the client area.
    virtual void AdjustClientRect(TRect& aRect) { (void)aRect; }
    // Records aControl as the focused control of this top-level window and sends
    // CM_EXIT / CM_ENTER along the way.
    virtual void SetFocusedControl(TWinControl* aControl);

    String GetText() const override;
    void TextChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void CursorChanged() override;
    void BoundsChanged(bool aResized) override;

    void WMSetFocus(TMessage& aMessage);
    void WMKillFocus(TMessage& aMessage);
    void WMKeyDown(TMessage& aMessage);
    void WMSysKeyDown(TMessage& aMessage);
    void WMKeyUp(TMessage& aMessage);
    void WMSysKeyUp(TMessage& aMessage);
    void WMChar(TMessage& aMessage);
    void WMEraseBkgnd(TMessage& aMessage);
    void WMSize(TMessage& aMessage);
    void CMEnter(TMessage& aMessage);
    void CMExit(TMessage& aMessage);
    // Offers the key to the children, depth first, until one takes it (Result 1).
    void CMDialogKey(TMessage& aMessage);
    // True for keys the control handles itself even when a dialog would take them
    // (a memo's Enter). Default: none.
    virtual bool WantsKey(uint16_t aKey) const;

private:
    // Offers Enter or Escape to the top-level window; true when a control took it.
    bool OfferDialogKey(const TMessage& aMessage);
    void InsertControl(TControl* aControl);
    void RemoveControl(TControl* aControl);
    bool DoKeyDown(TMessage& aMessage);
    void NotifyChildren(uint32_t aMsg);
    TWinControl* TopLevel();
    // The native window is shown when the control is visible and either has a
    // parent (a control or a foreign window) or is a top-level window by its style
    // (a form).
    bool NativeVisible() const;

    std::vector<TControl*> FControls;
    std::unique_ptr<TNativeWindow> FNative;
    HWND FParentWindow = nullptr;
    std::unique_ptr<TBrush> FBrush;
    TWinControl* FFocusedControl = nullptr;
    int32_t FAlignLevel = 0;
    bool FCtl3D = true;
    bool FTabStop = false;
    bool FCreatingWnd = false;
    bool FChildStyle = true;

    friend class TControl;
};

} // namespace fw
