// SPDX-License-Identifier: MIT
#pragma once
// A window handle for a widget that belongs to the host application rather than to
// a framework control: a Qt application's own QWidget. A control without a parent
// control is put inside it with TWinControl::SetParentWindow; the control's window
// becomes a child widget of it, so the host's layouts, splitters and docks place it.
//
// The handle does not own the widget. Geometry and focus stay the host's business:
// the framework only reads the widget's position (for screen coordinates) and
// parents its windows to it. The handle must outlive the windows parented to it.

#include "platform/controls/NativeWindow.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace fw::qt {

class TForeignWindow final : public TNativeWindow {
public:
    explicit TForeignWindow(QWidget* aWidget);

    // Nullptr once the host destroyed the widget.
    QWidget* Widget() const { return FWidget; }

    void SetBounds(const TRect& aBounds) override;
    TRect Bounds() const override;
    TRect ClientRect() const override;
    TPoint ClientOffset() const override { return TPoint{0, 0}; }
    TPoint ClientToScreen(TPoint aPoint) const override;
    TPoint ScreenToClient(TPoint aPoint) const override;
    void SetParentWindow(TNativeWindow*) override {}
    void SetVisible(bool aVisible) override;
    bool IsVisible() const override;
    void SetEnabled(bool aEnabled) override;
    void SetText(const String&) override {}
    String Text() const override { return String(); }
    void SetCursor(TCursor) override {}
    void SetFocus() override;
    bool HasFocus() const override;
    void BringToFront() override {}
    void Activate() override;
    bool IsActive() const override;
    void SetModal(bool) override {}
    void SetColor(TColor) override {}
    void SetFont(const TFont&) override {}
    void SetVScrollBar(bool, int32_t, int32_t, int32_t) override {}
    void Invalidate(const TRect*, bool) override;
    void Update() override {}
    void DefaultHandler(TMessage&) override {}

private:
    QPointer<QWidget> FWidget;
};

// The handle of a host widget, for TWinControl::SetParentWindow.
std::unique_ptr<TForeignWindow> WrapForeignWidget(QWidget* aWidget);

// The Qt widget behind a handle: a framework window's or a foreign one's; nullptr
// for none.
QWidget* WidgetOfHandle(HWND aWindow);

} // namespace fw::qt
