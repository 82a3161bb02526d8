// SPDX-License-Identifier: MIT
#include "platform/qt/InputSimulator.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/controls/WinControl.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtWindow.h"
#include "platform/rtl/Exceptions.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

// Qt's entry points into the window-system event queue, exported for its test
// library; both deliver synchronously.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace fw {

namespace {

uint32_t& StepValue() {
    static uint32_t step = 10;
    return step;
}

Qt::MouseButtons& HeldButtons() {
    static Qt::MouseButtons buttons;
    return buttons;
}

Qt::MouseButton QtButton(TMouseButton aButton) {
    switch (aButton) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

Qt::KeyboardModifiers QtModifiers(TShiftState aShift) {
    Qt::KeyboardModifiers modifiers;
    if (aShift.Contains(ssShift)) {
        modifiers |= Qt::ShiftModifier;
    }
    if (aShift.Contains(ssCtrl)) {
        modifiers |= Qt::ControlModifier;
    }
    if (aShift.Contains(ssAlt)) {
        modifiers |= Qt::AltModifier;
    }
    return modifiers;
}

QWidget& ShownWidget(TWinControl& aControl) {
    qt::TQtWindow* window = qt::FromHandle(aControl.Handle());
    if (window == nullptr || !window->Widget()->isVisible()) {
        throw Exception("Simulated input needs a shown window; " + aControl.ClassName() + " " +
                        aControl.Name() + " is not shown");
    }
    return *window->Widget();
}

QWindow& WindowOf(QWidget& aWidget) {
    QWidget* top = aWidget.window();
    QWindow* handle = top->windowHandle();
    if (handle == nullptr) {
        throw Exception("Simulated input: the window has no native window yet");
    }
    return *handle;
}

void SendMouse(TWinControl& aControl, TPoint aPoint, QEvent::Type aType, Qt::MouseButton aButton,
               TShiftState aShift) {
    QWidget& widget = ShownWidget(aControl);
    QWindow& window = WindowOf(widget);
    TPoint screen = aControl.ClientToScreen(aPoint);
    QPointF global(screen.X, screen.Y);
    QPointF local = window.mapFromGlobal(global.toPoint());
    if (aType == QEvent::MouseButtonPress) {
        HeldButtons() |= aButton;
    } else if (aType == QEvent::MouseButtonRelease) {
        HeldButtons() &= ~Qt::MouseButtons(aButton);
    }
    AdvanceTickCount(StepValue());
    qt_handleMouseEvent(&window, local, global, HeldButtons(), aButton, aType, QtModifiers(aShift),
                        static_cast<int>(GetTickCount()));
}

// The text a key gives as X11 reports it: none with Ctrl, the key's own character
// with Alt (Alt+F carries "f").
QString KeyText(uint16_t aVirtualKey, TShiftState aShift) {
    if (aShift.Contains(ssCtrl)) {
        return QString();
    }
    switch (aVirtualKey) {
    case VK_RETURN:
        return QStringLiteral("\r");
    case VK_ESCAPE:
        return QString(QChar(27));
    case VK_BACK:
        return QString(QChar(8));
    case VK_TAB:
        return QStringLiteral("\t");
    case VK_SPACE:
        return QStringLiteral(" ");
    default:
        break;
    }
    if (aVirtualKey >= 'A' && aVirtualKey <= 'Z') {
        QChar letter(aVirtualKey);
        return aShift.Contains(ssShift) ? QString(letter) : QString(letter.toLower());
    }
    if (aVirtualKey >= '0' && aVirtualKey <= '9') {
        return QString(QChar(aVirtualKey));
    }
    return QString();
}

QWindow& FocusedWindow(TWinControl& aControl) {
    QWidget& widget = ShownWidget(aControl);
    if (!aControl.Focused()) {
        aControl.SetFocus();
    }
    return WindowOf(widget);
}

void SendKey(QWindow& aWindow, QEvent::Type aType, int aQtKey, Qt::KeyboardModifiers aModifiers,
             const QString& aText, bool aAutoRepeat = false) {
    AdvanceTickCount(StepValue());
    qt_handleKeyEvent(&aWindow, aType, aQtKey, aModifiers, aText, aAutoRepeat, 1);
}

// The modifier keys of aShift, in the order a person presses them.
std::vector<std::pair<int, Qt::KeyboardModifier>> ModifierKeys(TShiftState aShift) {
    std::vector<std::pair<int, Qt::KeyboardModifier>> keys;
    if (aShift.Contains(ssCtrl)) {
        keys.emplace_back(Qt::Key_Control, Qt::ControlModifier);
    }
    if (aShift.Contains(ssShift)) {
        keys.emplace_back(Qt::Key_Shift, Qt::ShiftModifier);
    }
    if (aShift.Contains(ssAlt)) {
        keys.emplace_back(Qt::Key_Alt, Qt::AltModifier);
    }
    return keys;
}

void PressModifiers(QWindow& aWindow, TShiftState aShift) {
    Qt::KeyboardModifiers held;
    for (auto [key, modifier] : ModifierKeys(aShift)) {
        held |= modifier;
        SendKey(aWindow, QEvent::KeyPress, key, held, QString());
    }
}

void ReleaseModifiers(QWindow& aWindow, TShiftState aShift) {
    auto keys = ModifierKeys(aShift);
    Qt::KeyboardModifiers held = QtModifiers(aShift);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        held &= ~Qt::KeyboardModifiers(it->second);
        SendKey(aWindow, QEvent::KeyRelease, it->first, held, QString());
    }
}

int QtKeyOrThrow(uint16_t aVirtualKey) {
    int key = qt::QtKeyFromVirtualKey(aVirtualKey);
    if (key == 0) {
        throw Exception("Simulated input: no key for virtual key " + std::to_string(aVirtualKey));
    }
    return key;
}

} // namespace

uint32_t TInputSimulator::Step() {
    return StepValue();
}

void TInputSimulator::SetStep(uint32_t aMilliseconds) {
    StepValue() = aMilliseconds;
}

void TInputSimulator::Pause(uint32_t aMilliseconds) {
    AdvanceTickCount(aMilliseconds);
}

void TInputSimulator::Press(TWinControl& aControl, TPoint aPoint, TMouseButton aButton,
                            TShiftState aShift) {
    SendMouse(aControl, aPoint, QEvent::MouseButtonPress, QtButton(aButton), aShift);
}

void TInputSimulator::Release(TWinControl& aControl, TPoint aPoint, TMouseButton aButton,
                              TShiftState aShift) {
    SendMouse(aControl, aPoint, QEvent::MouseButtonRelease, QtButton(aButton), aShift);
}

void TInputSimulator::Move(TWinControl& aControl, TPoint aPoint, TShiftState aShift) {
    SendMouse(aControl, aPoint, QEvent::MouseMove, Qt::NoButton, aShift);
}

void TInputSimulator::Click(TWinControl& aControl, TPoint aPoint, TMouseButton aButton,
                            TShiftState aShift) {
    Pause(GetDoubleClickTime() + 1);
    Press(aControl, aPoint, aButton, aShift);
    Release(aControl, aPoint, aButton, aShift);
}

void TInputSimulator::DoubleClick(TWinControl& aControl, TPoint aPoint, TMouseButton aButton,
                                  TShiftState aShift) {
    Click(aControl, aPoint, aButton, aShift);
    Press(aControl, aPoint, aButton, aShift);
    Release(aControl, aPoint, aButton, aShift);
}

void TInputSimulator::Drag(TWinControl& aControl, TPoint aFrom, TPoint aTo, TMouseButton aButton) {
    Pause(GetDoubleClickTime() + 1);
    Press(aControl, aFrom, aButton);
    int32_t steps = std::max({1, std::abs(aTo.X - aFrom.X) / 4, std::abs(aTo.Y - aFrom.Y) / 4});
    for (int32_t i = 1; i <= steps; ++i) {
        Move(aControl, TPoint{aFrom.X + (aTo.X - aFrom.X) * i / steps,
                              aFrom.Y + (aTo.Y - aFrom.Y) * i / steps});
    }
    Release(aControl, aTo, aButton);
}

void TInputSimulator::KeyDown(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift) {
    QWindow& window = FocusedWindow(aControl);
    SendKey(window, QEvent::KeyPress, QtKeyOrThrow(aVirtualKey), QtModifiers(aShift),
            KeyText(aVirtualKey, aShift));
}

void TInputSimulator::KeyUp(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift) {
    QWindow& window = FocusedWindow(aControl);
    SendKey(window, QEvent::KeyRelease, QtKeyOrThrow(aVirtualKey), QtModifiers(aShift),
            KeyText(aVirtualKey, aShift));
}

void TInputSimulator::Key(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift) {
    QWindow& window = FocusedWindow(aControl);
    int key = QtKeyOrThrow(aVirtualKey);
    QString text = KeyText(aVirtualKey, aShift);
    PressModifiers(window, aShift);
    SendKey(window, QEvent::KeyPress, key, QtModifiers(aShift), text);
    SendKey(window, QEvent::KeyRelease, key, QtModifiers(aShift), text);
    ReleaseModifiers(window, aShift);
}

void TInputSimulator::Type(TWinControl& aControl, const String& aText) {
    QWindow& window = FocusedWindow(aControl);
    QString text = qt::ToQString(aText);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character = text.mid(i, 1);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            character = text.mid(i++, 2);
        }
        QChar first = character.at(0);
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        if (first.unicode() < 128 && first.isLetterOrNumber()) {
            key = first.toUpper().unicode();
            if (first.isUpper()) {
                modifiers |= Qt::ShiftModifier;
            }
        } else if (first == QLatin1Char(' ')) {
            key = Qt::Key_Space;
        }
        SendKey(window, QEvent::KeyPress, key, modifiers, character);
        SendKey(window, QEvent::KeyRelease, key, modifiers, character);
    }
}

void TInputSimulator::TypeWithKey(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift,
                                  const String& aText) {
    QWindow& window = FocusedWindow(aControl);
    int key = QtKeyOrThrow(aVirtualKey);
    QString text = qt::ToQString(aText);
    PressModifiers(window, aShift);
    SendKey(window, QEvent::KeyPress, key, QtModifiers(aShift), text);
    SendKey(window, QEvent::KeyRelease, key, QtModifiers(aShift), text);
    ReleaseModifiers(window, aShift);
}

void TInputSimulator::KeyRepeat(TWinControl& aControl, uint16_t aVirtualKey, int aRepeats) {
    QWindow& window = FocusedWindow(aControl);
    int key = QtKeyOrThrow(aVirtualKey);
    QString text = KeyText(aVirtualKey, {});
    SendKey(window, QEvent::KeyPress, key, Qt::NoModifier, text);
    for (int i = 0; i < aRepeats; ++i) {
        SendKey(window, QEvent::KeyRelease, key, Qt::NoModifier, text, true);
        SendKey(window, QEvent::KeyPress, key, Qt::NoModifier, text, true);
    }
    SendKey(window, QEvent::KeyRelease, key, Qt::NoModifier, text);
}

void TInputSimulator::Compose(TWinControl& aControl, const String& aText) {
    // The window's own focus object: under a real X server the window may not be the
    // active one yet, and the application's focus object would then be another window's.
    QObject* target = FocusedWindow(aControl).focusObject();
    if (target == nullptr) {
        return;
    }
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(target, &query);
    if (!query.value(Qt::ImEnabled).toBool()) {
        return;
    }
    QString text = qt::ToQString(aText);
    AdvanceTickCount(StepValue());
    QInputMethodEvent composing(text, {});
    QCoreApplication::sendEvent(target, &composing);
    AdvanceTickCount(StepValue());
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
}

void TInputSimulator::Wheel(TWinControl& aControl, TPoint aPoint, TPoint aAngle, TPoint aPixels) {
    QWidget& widget = ShownWidget(aControl);
    QWindow& window = WindowOf(widget);
    TPoint screen = aControl.ClientToScreen(aPoint);
    QPointF global(screen.X, screen.Y);
    QPointF local = window.mapFromGlobal(global.toPoint());
    AdvanceTickCount(StepValue());
    QWheelEvent event(local, global, QPoint(aPixels.X, aPixels.Y), QPoint(aAngle.X, aAngle.Y),
                      HeldButtons(), Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&window, &event);
}

} // namespace fw
