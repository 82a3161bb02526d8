// SPDX-License-Identifier: MIT
#pragma once
// The native window behind a TWinControl, as the framework sees it. The backend in
// platform/qt implements it on Qt widgets; nothing here knows Qt.
//
// A TWinControl keeps all of its state in its own fields and pushes it into its
// native window when the window is created; every call below is made only while
// the window exists. Coordinates are pixels: bounds in the parent's client
// coordinates, everything else in the window's own client coordinates.

#include "platform/controls/Messages.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/rtl/Types.h"

namespace fw {

class TNativeWindow;
// A window handle: the native window, or nullptr for none.
using HWND = TNativeWindow*;

// The mouse pointer shapes; the framework's values.
using TCursor = int16_t;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelpPoint = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

class TNativeWindow {
public:
    virtual ~TNativeWindow() = default;

    // Window rectangle in the parent's client coordinates (screen coordinates for a
    // window without parent).
    virtual void SetBounds(const TRect& aBounds) = 0;
    virtual TRect Bounds() const = 0;
    // The client area in client coordinates: (0, 0, width, height) without the
    // border and the scroll bar.
    virtual TRect ClientRect() const = 0;
    // Offset of the client area from the window's outer edge (the border width).
    virtual TPoint ClientOffset() const = 0;
    virtual TPoint ClientToScreen(TPoint aPoint) const = 0;
    virtual TPoint ScreenToClient(TPoint aPoint) const = 0;

    virtual void SetParentWindow(TNativeWindow* aParent) = 0;
    virtual void SetVisible(bool aVisible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetEnabled(bool aEnabled) = 0;
    virtual void SetText(const String& aText) = 0;
    virtual String Text() const = 0;
    virtual void SetCursor(TCursor aCursor) = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    virtual void BringToFront() = 0;
    // Top-level windows: makes the window the active one (activation messages are
    // delivered before this returns); answers whether it is the active one.
    virtual void Activate() = 0;
    virtual bool IsActive() const = 0;
    // Top-level windows: blocks input to every other window while shown.
    virtual void SetModal(bool aModal) = 0;
    // The background colour and font that the window's own painting uses (edits,
    // memos, pickers); a custom-painted window leaves both to its control.
    virtual void SetColor(TColor aColor) = 0;
    virtual void SetFont(const TFont& aFont) = 0;
    // The vertical scroll bar of a custom-painted window: shown or hidden, positions
    // 0..aMax with aPage of them visible, at aPosition. Its moves arrive as WM_VSCROLL.
    virtual void SetVScrollBar(bool aVisible, int32_t aMax, int32_t aPage, int32_t aPosition) = 0;

    // Adds the rectangle (the whole client area when null) to the region the next
    // WM_PAINT covers; aErase asks for WM_ERASEBKGND first.
    virtual void Invalidate(const TRect* aRect, bool aErase) = 0;
    // Delivers the pending WM_PAINT now, if there is one.
    virtual void Update() = 0;

    // The handling that the window itself gives a message no control handler took.
    virtual void DefaultHandler(TMessage& aMessage) = 0;
};

} // namespace fw
