// SPDX-License-Identifier: MIT
// The translation point: every event of every host widget comes here and is turned
// into the framework's messages, one function per family.

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace fw::qt {

namespace {

// The last press, for the platform's double-click rule: the second press becomes a
// double click only on the same window, with the same button, within the
// double-click time and within 2 pixels of the first.
struct TLastPress {
    HWND Window = nullptr;
    Qt::MouseButton Button = Qt::NoButton;
    uint32_t Time = 0;
    QPoint Global;
    bool WasDouble = false;
};

TLastPress& LastPress() {
    static TLastPress press;
    return press;
}

// The last press translated: Qt reports the second press of what it counts as a
// double click only as a double-click event, so such an event stands for the press
// unless the press itself (same button, same time stamp, not released since) came
// before it. A release that never arrived (its window was hidden) does not make the
// next press look translated.
struct TTranslatedPress {
    Qt::MouseButton Button = Qt::NoButton;
    quint64 Timestamp = 0;
    bool Released = true;
};

TTranslatedPress& TranslatedPress() {
    static TTranslatedPress press;
    return press;
}

bool IsSecondPress(TQtWindow* aWindow, Qt::MouseButton aButton, QPoint aGlobal) {
    const TLastPress& last = LastPress();
    return last.Window == aWindow && last.Button == aButton &&
           aWindow->Control()->ControlStyle().Contains(csDoubleClicks) &&
           GetTickCount() - last.Time < GetDoubleClickTime() &&
           std::abs(aGlobal.x() - last.Global.x()) <= 2 &&
           std::abs(aGlobal.y() - last.Global.y()) <= 2;
}

uint32_t ButtonMessage(Qt::MouseButton aButton, QEvent::Type aType, bool aDouble) {
    uint32_t base = aButton == Qt::RightButton    ? WM_RBUTTONDOWN
                    : aButton == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                  : WM_LBUTTONDOWN;
    if (aType == QEvent::MouseButtonRelease) {
        return base + 1;
    }
    return aDouble ? base + 2 : base;
}

bool TranslateMouse(TQtWindow& aWindow, QMouseEvent* aEvent) {
    QPoint global = aEvent->globalPosition().toPoint();
    detail::RecordCursorPos(TPoint{global.x(), global.y()});
    SyncModifierKeys(aEvent->modifiers());
    SyncMouseButtons(aEvent->buttons());
    aEvent->accept();

    QEvent::Type type = aEvent->type();
    bool pressFromDoubleClick = false;
    if (type == QEvent::MouseButtonDblClick) {
        const TTranslatedPress& translated = TranslatedPress();
        if (translated.Button == aEvent->button() && !translated.Released &&
            translated.Timestamp == aEvent->timestamp()) {
            // The press has been translated already; a native widget still gets Qt's
            // double click (word selection) when that press was one by our rule.
            if (LastPress().WasDouble && !aWindow.IsCustom()) {
                aWindow.PassEventToWidget(aEvent);
            }
            return true;
        }
        type = QEvent::MouseButtonPress;
        pressFromDoubleClick = true;
    }
    if (type == QEvent::MouseButtonPress) {
        TranslatedPress() = TTranslatedPress{aEvent->button(), aEvent->timestamp(), false};
    } else if (type == QEvent::MouseButtonRelease && aEvent->button() == TranslatedPress().Button) {
        TranslatedPress().Released = true;
    }

    std::shared_ptr<bool> alive = aWindow.AliveToken();
    if (type == QEvent::MouseButtonPress) {
        aWindow.ActivateTopLevel();
        if (!*alive) {
            return true;
        }
    }

    TQtWindow* target = &aWindow;
    if (TQtWindow* captured = FromHandle(GetCapture()); captured != nullptr) {
        target = captured;
    }
    TPoint client = target->ScreenToClient(TPoint{global.x(), global.y()});
    uint32_t keys = MouseKeys(aEvent->buttons(), aEvent->modifiers());

    uint32_t msg = WM_MOUSEMOVE;
    if (type == QEvent::MouseButtonPress) {
        bool second = IsSecondPress(target, aEvent->button(), global);
        msg = ButtonMessage(aEvent->button(), type, second);
        TLastPress& last = LastPress();
        last = second ? TLastPress{nullptr, Qt::NoButton, 0, QPoint(), true}
                      : TLastPress{target, aEvent->button(), GetTickCount(), global, false};
    } else if (type == QEvent::MouseButtonRelease) {
        msg = ButtonMessage(aEvent->button(), type, false);
    }
    TMessage message = MouseMessage(msg, client.X, client.Y, keys);
    if (target == &aWindow) {
        // What the widget gets back is a press when our rule made a press of it.
        std::optional<QMouseEvent> press;
        QEvent* original = aEvent;
        if (pressFromDoubleClick && msg != ButtonMessage(aEvent->button(), type, true)) {
            press.emplace(QEvent::MouseButtonPress, aEvent->position(), aEvent->scenePosition(),
                          aEvent->globalPosition(), aEvent->button(), aEvent->buttons(),
                          aEvent->modifiers());
            original = &*press;
        }
        target->DeliverTranslated(message, original, TPassKind::Whole);
    } else {
        target->DeliverMessage(message);
    }
    // The widget's own handling may have ignored the event; it must not travel on to
    // the parent widget, which would translate it a second time.
    aEvent->accept();
    return true;
}

// The vertical turn of a wheel event in WM_MOUSEWHEEL units (120 a notch): the angle
// where the device gives one, else the pixels, a notch being the lines a notch
// scrolls in the window's font. Sideways-only events have none.
int WheelDelta(const QWidget& aWidget, const QWheelEvent& aEvent) {
    if (int angle = aEvent.angleDelta().y(); angle != 0) {
        return angle;
    }
    int pixels = aEvent.pixelDelta().y();
    int notch = std::max(1, QApplication::wheelScrollLines()) *
                std::max(1, QFontMetrics(aWidget.font()).height());
    return std::clamp(pixels * 120 / notch, -32768, 32767);
}

bool TranslateWheel(TQtWindow& aWindow, QWheelEvent* aEvent) {
    QPoint global = aEvent->globalPosition().toPoint();
    detail::RecordCursorPos(TPoint{global.x(), global.y()});
    aEvent->accept();
    int delta = WheelDelta(*aWindow.Widget(), *aEvent);
    if (delta == 0) {
        return true;
    }
    uint32_t keys = MouseKeys(aEvent->buttons(), aEvent->modifiers());
    TMessage message{
        WM_MOUSEWHEEL,
        MakeLong(static_cast<uint16_t>(keys), static_cast<uint16_t>(static_cast<int16_t>(delta))),
        PointToLParam(global.x(), global.y()), 0};
    aWindow.DeliverTranslated(message, aEvent, TPassKind::Whole);
    aEvent->accept();
    return true;
}

bool IsContextMenuKey(uint16_t aVirtualKey, Qt::KeyboardModifiers aModifiers) {
    return aVirtualKey == VK_APPS ||
           (aVirtualKey == VK_F10 && (aModifiers & (Qt::ShiftModifier | Qt::ControlModifier |
                                                    Qt::AltModifier)) == Qt::ShiftModifier);
}

// Opens the widget's context menu as the keyboard asks for it: at the text cursor,
// or in the middle of a widget without one.
void OpenKeyboardContextMenu(TQtWindow& aWindow) {
    QWidget* widget = aWindow.Widget();
    QRect cursor = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QPoint position = cursor.isValid() ? cursor.center() : widget->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, position, widget->mapToGlobal(position),
                            QApplication::keyboardModifiers());
    aWindow.PassEventToWidget(&event);
}

bool TranslateKey(TQtWindow& aWindow, QKeyEvent* aEvent) {
    aEvent->accept();
    bool press = aEvent->type() == QEvent::KeyPress;
    if (!press && aEvent->isAutoRepeat()) {
        // X11 reports a release before each repeated press: the key stays down.
        aWindow.PassEventToWidget(aEvent);
        aEvent->accept();
        return true;
    }
    SyncModifierKeys(aEvent->modifiers());
    uint16_t virtualKey = VirtualKeyFromQt(aEvent->key());
    if (virtualKey != 0) {
        SetKeyDown(virtualKey, press);
    }
    bool alt = (aEvent->modifiers() & Qt::AltModifier) != 0;
    intptr_t keyData = 1 | (alt ? KF_ALTDOWN_LPARAM : 0);
    if (!press) {
        keyData |= intptr_t{3} << 30;
    } else if (aEvent->isAutoRepeat()) {
        keyData |= intptr_t{1} << 30;
    }
    std::shared_ptr<bool> alive = aWindow.AliveToken();
    bool takenAsDialogKey = false;
    bool passed = false;
    if (virtualKey != 0) {
        bool system = alt || virtualKey == VK_F10 || virtualKey == VK_MENU;
        uint32_t msg =
            press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        TMessage message{msg, virtualKey, keyData, 0};
        passed = aWindow.DeliverTranslated(message, aEvent,
                                           press ? TPassKind::KeyPart : TPassKind::Whole);
        takenAsDialogKey = msg == WM_KEYDOWN && message.Result == 1;
    }
    if (!press || !*alive || takenAsDialogKey) {
        aEvent->accept();
        return true;
    }
    if (passed && IsContextMenuKey(virtualKey, aEvent->modifiers())) {
        OpenKeyboardContextMenu(aWindow);
        aEvent->accept();
        return true;
    }
    if (char32_t character = CharFromKeyEvent(*aEvent); character != 0) {
        TMessage message{WM_CHAR, static_cast<intptr_t>(character), keyData, 0};
        aWindow.DeliverTranslated(message, aEvent, TPassKind::CharPart);
    }
    aEvent->accept();
    return true;
}

// Characters an input method or a compose sequence made arrive as WM_CHAR, one per
// character, as typed ones do; a native widget still shows the composition itself.
bool TranslateInputMethod(TQtWindow& aWindow, QInputMethodEvent* aEvent) {
    aEvent->accept();
    if (!aWindow.IsCustom()) {
        QInputMethodEvent composing(aEvent->preeditString(), aEvent->attributes());
        composing.setCommitString(QString(), aEvent->replacementStart(),
                                  aEvent->replacementLength());
        aWindow.PassEventToWidget(&composing);
    }
    std::shared_ptr<bool> alive = aWindow.AliveToken();
    for (char32_t code : aEvent->commitString().toUcs4()) {
        if (!*alive) {
            break;
        }
        TMessage message{WM_CHAR, static_cast<intptr_t>(code), 1, 0};
        aWindow.DeliverMessage(message);
    }
    return true;
}

bool TranslateFocus(IHostWidget& aHost, TQtWindow& aWindow, QEvent* aEvent) {
    // A Qt pop-up (a context menu, a calendar) borrows the focus and gives it back:
    // for the framework the focus never moved.
    if (static_cast<QFocusEvent*>(aEvent)->reason() == Qt::PopupFocusReason) {
        return aHost.BaseEvent(aEvent);
    }
    TMessage message{aEvent->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0, 0};
    aWindow.DeliverTranslated(message, aEvent, TPassKind::Whole);
    return true;
}

bool TranslateActivation(TQtWindow& aWindow, QEvent* aEvent) {
    bool active = aEvent->type() == QEvent::WindowActivate;
    TMessage message{WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0, 0};
    aWindow.DeliverTranslated(message, aEvent, TPassKind::Whole);
    return true;
}

bool TranslateClose(TQtWindow& aWindow, QEvent* aEvent) {
    // The framework decides what closing means (a form hides or ends its modal
    // run); Qt must not hide the window behind its back.
    aEvent->ignore();
    TMessage message{WM_CLOSE, 0, 0, 0};
    aWindow.DeliverMessage(message);
    return true;
}

bool TranslateGeometry(IHostWidget& aHost, TQtWindow& aWindow, QEvent* aEvent) {
    bool result = aHost.BaseEvent(aEvent);
    std::shared_ptr<bool> alive = aWindow.AliveToken();
    aWindow.Resized();
    if (*alive && aWindow.IsTopLevel() && !aWindow.SettingGeometry()) {
        TMessage message{WM_SIZE, 0, 0, 0};
        aWindow.DeliverMessage(message);
    }
    return result;
}

} // namespace

void ForgetWindow(TQtWindow* aWindow) {
    if (LastPress().Window == aWindow) {
        LastPress() = TLastPress{};
    }
}

static bool TranslateFamily(IHostWidget& aHost, QWidget* aWidget, QEvent* aEvent) {
    TQtWindow* window = aHost.Window;
    if (window == nullptr) {
        return aHost.BaseEvent(aEvent);
    }
    switch (aEvent->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return TranslateMouse(*window, static_cast<QMouseEvent*>(aEvent));
    case QEvent::Wheel:
        return TranslateWheel(*window, static_cast<QWheelEvent*>(aEvent));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return TranslateKey(*window, static_cast<QKeyEvent*>(aEvent));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return TranslateFocus(aHost, *window, aEvent);
    case QEvent::InputMethod:
        return TranslateInputMethod(*window, static_cast<QInputMethodEvent*>(aEvent));
    case QEvent::ContextMenu:
        // The context-menu key opens the menu through the key's translation, where
        // the control can take the key first.
        if (static_cast<QContextMenuEvent*>(aEvent)->reason() == QContextMenuEvent::Keyboard) {
            aEvent->accept();
            return true;
        }
        return aHost.BaseEvent(aEvent);
    case QEvent::WindowBlocked:
        // A modal window came up: the release of a held button would land on a
        // blocked window and never end the capture.
        window->WindowBlocked();
        return aHost.BaseEvent(aEvent);
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (aWidget->isWindow()) {
            return TranslateActivation(*window, aEvent);
        }
        return aHost.BaseEvent(aEvent);
    case QEvent::Close:
        if (aWidget->isWindow()) {
            return TranslateClose(*window, aEvent);
        }
        return aHost.BaseEvent(aEvent);
    case QEvent::Resize:
    case QEvent::Move:
        return TranslateGeometry(aHost, *window, aEvent);
    case QEvent::Paint:
        window->PaintEventStarting();
        if (aHost.Window == nullptr) {
            return true;
        }
        return aHost.BaseEvent(aEvent);
    default:
        return aHost.BaseEvent(aEvent);
    }
}

bool TranslateEvent(IHostWidget& aHost, QWidget* aWidget, QEvent* aEvent) {
    // Messages are delivered with their own protection; this catches what the
    // translation itself might raise (a backing image that cannot be drawn), so that
    // no exception crosses into Qt.
    try {
        return TranslateFamily(aHost, aWidget, aEvent);
    } catch (...) {
        try {
            Application->HandleException(nullptr);
        } catch (...) {
            // The report failed as well; still nothing may reach Qt.
        }
        return true;
    }
}

} // namespace fw::qt
