// SPDX-License-Identifier: MIT
#pragma once
// The Qt side of a framework window (internal to the framework layer).
//
// Every native window is a Qt widget of a host class (THostWidget<Base>) whose
// event() sends each event to TranslateEvent, the one translation point: it turns
// the event into messages and delivers them to the control. When a control leaves a
// message to DefaultHandler, the window hands the original event back to the
// widget's own handling at that moment (PassToWidget), so code after the default
// handling sees its effect; a message made by the program (Perform, a message
// dispatched from one control to another) gets an equivalent event made up for it.

#include "platform/controls/NativeWindow.h"
#include "platform/controls/WinControl.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace fw::qt {

class TQtWindow;

// Implemented by every widget class that hosts a framework window.
class IHostWidget {
public:
    virtual ~IHostWidget() = default;
    // The widget's own handling of aEvent.
    virtual bool BaseEvent(QEvent* aEvent) = 0;
    // The window this widget belongs to; nullptr once the window has been released.
    TQtWindow* Window = nullptr;
};

bool TranslateEvent(IHostWidget& aHost, QWidget* aWidget, QEvent* aEvent);
// Drops what the translation remembers about a window that is going away.
void ForgetWindow(TQtWindow* aWindow);

template <class Base> class THostWidget : public Base, public IHostWidget {
public:
    using Base::Base;
    bool BaseEvent(QEvent* aEvent) override { return Base::event(aEvent); }

protected:
    bool event(QEvent* aEvent) override { return TranslateEvent(*this, this, aEvent); }
};

// How DefaultHandler hands an event back: as it came, or split into the key part
// (no text) and the character part (text only) of a key press.
enum class TPassKind { Whole, KeyPart, CharPart };

class TQtWindow : public TNativeWindow {
public:
    TQtWindow(TWinControl& aControl, QWidget* aWidget, IHostWidget* aHost,
              const TCreateParams& aParams);
    ~TQtWindow() override;

    TWinControl* Control() const { return FControl; }
    QWidget* Widget() const { return FWidget; }
    bool IsTopLevel() const { return FTopLevel; }
    int32_t Border() const { return FBorder; }

    void SetBounds(const TRect& aBounds) override;
    TRect Bounds() const override;
    TRect ClientRect() const override;
    TPoint ClientOffset() const override { return TPoint{FBorder, FBorder}; }
    TPoint ClientToScreen(TPoint aPoint) const override;
    TPoint ScreenToClient(TPoint aPoint) const override;
    void SetParentWindow(TNativeWindow* aParent) override;
    void SetVisible(bool aVisible) override;
    bool IsVisible() const override;
    void SetEnabled(bool aEnabled) override;
    void SetText(const String& aText) override;
    String Text() const override;
    void SetCursor(TCursor aCursor) override;
    void SetFocus() override;
    bool HasFocus() const override;
    void BringToFront() override;
    void Activate() override { ActivateTopLevel(); }
    bool IsActive() const override;
    void SetModal(bool aModal) override;
    void SetColor(TColor aColor) override;
    void SetFont(const TFont& aFont) override;
    void SetVScrollBar(bool, int32_t, int32_t, int32_t) override {}
    void Invalidate(const TRect* aRect, bool aErase) override;
    void Update() override;
    void DefaultHandler(TMessage& aMessage) override;

    // Makes the top-level window holding this one the active window.
    void ActivateTopLevel();
    // A modal window now blocks this top-level window.
    void WindowBlocked() { ReleaseCaptureWithin(); }

    // Delivers a message translated from aEvent; answers whether the control left
    // it to DefaultHandler (and the event was handed back).
    bool DeliverTranslated(TMessage& aMessage, QEvent* aEvent, TPassKind aKind);
    // Delivers a message that no Qt event stands for (notifications, WM_VSCROLL).
    void DeliverMessage(TMessage& aMessage);
    // Runs a paint event's framework part (custom-painted windows).
    virtual void PaintEventStarting() {}
    virtual void Resized() {}
    virtual bool IsCustom() const { return false; }
    bool SettingGeometry() const { return FSettingGeometry; }
    // Gives aEvent to the widget's own handling, untranslated.
    void PassEventToWidget(QEvent* aEvent) { FHost->BaseEvent(aEvent); }
    // False once the window has been destroyed; for callers that deliver messages
    // which may destroy it.
    std::shared_ptr<bool> AliveToken() const { return FAlive; }

protected:
    // Makes up the Qt event for a message that did not come from one and gives it to
    // the widget's own handling.
    virtual void SynthesizeDefault(TMessage& aMessage);
    // Gives aEvent to the widget's own handling as aMessage has it after the handlers
    // (a key or character they changed goes on changed).
    void PassToWidget(QEvent* aEvent, TPassKind aKind, const TMessage& aMessage);
    IHostWidget* Host() const { return FHost; }

    TWinControl* FControl;
    QPointer<QWidget> FWidget;
    IHostWidget* FHost;
    int32_t FBorder = 0;
    bool FTopLevel = false;
    bool FSettingGeometry = false;
    String FText;

private:
    void JoinActiveModality();
    // Ends a mouse capture held by this window or one inside it.
    void ReleaseCaptureWithin();

    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    struct TPending {
        TMessage* Message;
        QEvent* Event;
        TPassKind Kind;
        bool Passed;
    };
    std::vector<TPending> FPending;
};

// The Qt window of a handle; nullptr for none.
TQtWindow* FromHandle(HWND aWindow);
// Widget flags and frame for a window of these creation parameters.
void ApplyWindowStyle(QWidget* aWidget, const TCreateParams& aParams, QWidget* aParent);
QColor ToQColor(TColor aColor);
QFont ToQFont(const TFont& aFont);
QString ToQString(const String& aText);
String FromQString(const QString& aText);

} // namespace fw::qt
