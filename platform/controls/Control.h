// SPDX-License-Identifier: MIT
#pragma once
// TControl: a visual component with a parent, bounds, visibility, colour, font and
// the mouse behaviour shared by all controls.
//
// Messages reach a control through WndProc, which dispatches them by number
// (Dispatch: each class handles its messages and hands the rest to its parent
// class's Dispatch); what no class handles goes to DefaultHandler. Perform sends a
// message synchronously; exceptions from handlers propagate to its caller (input
// from the platform goes through Deliver, which reports them instead).
//
// Mouse messages become the dynamic methods: WM_xBUTTONDOWN -> MouseDown (after
// DefaultHandler, which for a windowed control is the native window's own
// handling), WM_MOUSEMOVE -> MouseMove, WM_xBUTTONUP -> Click (with csClickEvents,
// when released inside) then MouseUp, WM_LBUTTONDBLCLK -> DblClick (with
// csDoubleClicks; without it the message is turned into WM_LBUTTONDOWN) then
// MouseDown with ssDouble. With csCaptureMouse a press captures the mouse and the
// release frees it.
//
// The parent is not an owner in the component sense, but a windowed parent destroys
// its child controls when it is destroyed.

#include "platform/controls/Component.h"
#include "platform/controls/Messages.h"
#include "platform/controls/NativeWindow.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/rtl/EnumSet.h"

#include <functional>
#include <memory>

namespace fw {

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;

enum class TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using enum TControlStyleItem;
using TControlStyle = TEnumSet<TControlStyleItem, uint32_t>;

enum class TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using enum TControlStateItem;
using TControlState = TEnumSet<TControlStateItem, uint32_t>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using enum TShiftStateItem;
using TShiftState = TEnumSet<TShiftStateItem>;

// The shift state of a mouse message's MK_ flags (the Alt key from the key state).
TShiftState KeysToShiftState(uint32_t aKeys);
// The shift state of a key message's LParam and the current key state.
TShiftState KeyDataToShiftState(intptr_t aKeyData);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                       int32_t X, int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y)>;

class TControl : public TComponent {
    FW_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* aOwner = nullptr);
    ~TControl() override;

    // --- parent and bounds -------------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    // Moves the control into aParent's child list (nullptr: out of any).
    virtual void SetParent(TWinControl* aParent);

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t aValue) { SetBounds(aValue, FTop, FWidth, FHeight); }
    void SetTop(int32_t aValue) { SetBounds(FLeft, aValue, FWidth, FHeight); }
    void SetWidth(int32_t aValue) { SetBounds(FLeft, FTop, aValue, FHeight); }
    void SetHeight(int32_t aValue) { SetBounds(FLeft, FTop, FWidth, aValue); }
    virtual void SetBounds(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight);
    TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& aRect);
    virtual TRect ClientRect() const;
    int32_t ClientWidth() const { return ClientRect().Width(); }
    int32_t ClientHeight() const { return ClientRect().Height(); }
    void SetClientSize(int32_t aWidth, int32_t aHeight);
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint aPoint) const;
    TPoint ScreenToClient(TPoint aPoint) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign aAlign);

    // --- look ---------------------------------------------------------------------
    bool Visible() const { return FVisible; }
    void SetVisible(bool aVisible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, with every parent up to a top-level window visible.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool aEnabled);

    TColor Color() const { return FColor; }
    void SetColor(TColor aColor);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool aParentColor);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont& aFont) { FFont->Assign(aFont); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool aParentFont);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor aCursor);

    String Text() const { return GetText(); }
    void SetText(const String& aText);
    String Caption() const { return GetText(); }
    void SetCaption(const String& aCaption) { SetText(aCaption); }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle aStyle) { FControlStyle = aStyle; }
    TControlState ControlState() const { return FControlState; }

    // --- painting -----------------------------------------------------------------
    // Marks the whole control for repainting (erasing first unless csOpaque).
    virtual void Invalidate();
    // Paints what is invalid now.
    virtual void Update();
    // Invalidate, then Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void BringToFront();

    // --- mouse --------------------------------------------------------------------
    bool MouseCapture() const;
    void SetMouseCapture(bool aCapture);

    // --- messages -----------------------------------------------------------------
    intptr_t Perform(uint32_t aMsg, intptr_t aWParam = 0, intptr_t aLParam = 0);
    virtual void WndProc(TMessage& aMessage);
    // Calls the handler of aMessage's number; unhandled numbers reach DefaultHandler.
    virtual void Dispatch(TMessage& aMessage);
    virtual void DefaultHandler(TMessage& aMessage);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    // Dynamic methods fired by the mouse messages (see the header comment).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY);
    virtual void MouseMove(TShiftState aShift, int32_t aX, int32_t aY);
    virtual void MouseUp(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY);

protected:
    virtual String GetText() const { return FText; }
    // Text storage for controls whose text lives in the native window.
    void StoreText(const String& aText) { FText = aText; }
    virtual void TextChanged() {}
    // The parent's colour or font was taken over or changed.
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged() {}
    virtual void CursorChanged() {}
    // The bounds changed; aResized when the size did.
    virtual void BoundsChanged(bool aResized);
    // Asks the parent to align its children again.
    void RequestAlign();

    // The handlers of TControl's messages.
    void WMLButtonDown(TMessage& aMessage);
    void WMRButtonDown(TMessage& aMessage);
    void WMMButtonDown(TMessage& aMessage);
    void WMLButtonDblClk(TMessage& aMessage);
    void WMRButtonDblClk(TMessage& aMessage);
    void WMMButtonDblClk(TMessage& aMessage);
    void WMLButtonUp(TMessage& aMessage);
    void WMRButtonUp(TMessage& aMessage);
    void WMMButtonUp(TMessage& aMessage);
    void WMMouseMove(TMessage& aMessage);
    void CMParentColorChanged(TMessage& aMessage);
    void CMParentFontChanged(TMessage& aMessage);

    void IncludeState(TControlStateItem aItem) { FControlState.Include(aItem); }
    void ExcludeState(TControlStateItem aItem) { FControlState.Exclude(aItem); }

private:
    void DoMouseDown(TMessage& aMessage, TMouseButton aButton, TShiftState aShift);
    void DoMouseUp(TMessage& aMessage, TMouseButton aButton);
    void FontOnChange();

    TWinControl* FParent = nullptr;
    int32_t FLeft = 0;
    int32_t FTop = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    TCursor FCursor = crDefault;
    String FText;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;

    friend class TWinControl;
};

} // namespace fw
