// SPDX-License-Identifier: MIT
#include "platform/qt/QtWindow.h"

#include "platform/controls/Deliver.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/ForeignWindow.h"
#include "platform/qt/KeyMap.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace fw::qt {

QColor ToQColor(TColor aColor) {
    COLORREF rgb = ColorToRGB(aColor);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont ToQFont(const TFont& aFont) {
    QFont font(ToQString(aFont.Name()));
    if (aFont.Height() < 0) {
        font.setPixelSize(-aFont.Height());
    } else if (aFont.Height() > 0) {
        // A cell height: take the em size that gives about that cell.
        font.setPixelSize(std::max(1, aFont.Height() * 4 / 5));
    }
    font.setBold(aFont.Style().Contains(fsBold));
    font.setItalic(aFont.Style().Contains(fsItalic));
    font.setUnderline(aFont.Style().Contains(fsUnderline));
    font.setStrikeOut(aFont.Style().Contains(fsStrikeOut));
    return font;
}

QString ToQString(const String& aText) {
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

String FromQString(const QString& aText) {
    QByteArray bytes = aText.toUtf8();
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void ApplyWindowStyle(QWidget* aWidget, const TCreateParams& aParams, QWidget* aParent) {
    if (aParent != nullptr) {
        aWidget->setParent(aParent);
    } else {
        Qt::WindowFlags flags = Qt::Window;
        if ((aParams.Style & WS_CAPTION) != WS_CAPTION) {
            flags |= Qt::FramelessWindowHint;
        }
        if (aParams.ExStyle & WS_EX_TOPMOST) {
            flags |= Qt::WindowStaysOnTopHint;
        }
        aWidget->setWindowFlags(flags);
    }
    aWidget->setMouseTracking(true);
}

TQtWindow* FromHandle(HWND aWindow) {
    return dynamic_cast<TQtWindow*>(aWindow);
}

TQtWindow::TQtWindow(TWinControl& aControl, QWidget* aWidget, IHostWidget* aHost,
                     const TCreateParams& aParams)
    : FControl(&aControl), FWidget(aWidget), FHost(aHost), FBorder(BorderWidthOf(aParams)),
      FTopLevel(aParams.WndParent == nullptr) {
    FHost->Window = this;
}

TQtWindow::~TQtWindow() {
    *FAlive = false;
    ForgetWindow(this);
    if (!FWidget) {
        return;
    }
    FHost->Window = nullptr;
    QWidget* widget = FWidget;
    // Hiding a focused widget makes Qt hand the focus to a sibling, whose control
    // would run its enter handling while this window's form is being destroyed; a
    // destroyed window leaves nothing focused instead.
    if (QWidget* focus = QApplication::focusWidget();
        focus != nullptr && (focus == widget || widget->isAncestorOf(focus))) {
        focus->clearFocus();
    }
    widget->hide();
    if (DeliverDepth() > 0) {
        widget->deleteLater();
    } else {
        delete widget;
    }
}

void TQtWindow::SetBounds(const TRect& aBounds) {
    FSettingGeometry = true;
    FWidget->setGeometry(aBounds.Left, aBounds.Top, std::max(0, aBounds.Width()),
                         std::max(0, aBounds.Height()));
    FSettingGeometry = false;
    Resized();
}

TRect TQtWindow::Bounds() const {
    QRect geometry = FWidget->geometry();
    return Rect(geometry.left(), geometry.top(), geometry.left() + geometry.width(),
                geometry.top() + geometry.height());
}

TRect TQtWindow::ClientRect() const {
    return Rect(0, 0, std::max(0, FWidget->width() - 2 * FBorder),
                std::max(0, FWidget->height() - 2 * FBorder));
}

TPoint TQtWindow::ClientToScreen(TPoint aPoint) const {
    QPoint global = FWidget->mapToGlobal(QPoint(aPoint.X + FBorder, aPoint.Y + FBorder));
    return TPoint{global.x(), global.y()};
}

TPoint TQtWindow::ScreenToClient(TPoint aPoint) const {
    QPoint local = FWidget->mapFromGlobal(QPoint(aPoint.X, aPoint.Y));
    return TPoint{local.x() - FBorder, local.y() - FBorder};
}

void TQtWindow::SetParentWindow(TNativeWindow* aParent) {
    QWidget* parent = WidgetOfHandle(aParent);
    bool visible = FWidget->isVisibleTo(FWidget->parentWidget());
    FWidget->setParent(parent);
    FTopLevel = parent == nullptr;
    FWidget->setVisible(visible);
}

void TQtWindow::SetVisible(bool aVisible) {
    if (aVisible && FTopLevel && !FWidget->isVisible()) {
        JoinActiveModality();
    } else if (!aVisible) {
        ReleaseCaptureWithin();
    }
    FWidget->setVisible(aVisible);
}

void TQtWindow::JoinActiveModality() {
    if (FWidget->windowModality() != Qt::NonModal) {
        return;
    }
    // A window shown while a modal window (a modal form, a host's dialog) is up would
    // be blocked by it: as its transient child it takes input like the modal window
    // does. A window shown outside a modal run belongs to no other window.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == FWidget) {
        modal = nullptr;
    }
    FWidget->winId();
    if (QWindow* window = FWidget->windowHandle(); window != nullptr) {
        window->setTransientParent(modal != nullptr ? modal->windowHandle() : nullptr);
    }
}

void TQtWindow::ReleaseCaptureWithin() {
    TQtWindow* captured = FromHandle(GetCapture());
    if (captured != nullptr && captured->FWidget &&
        (captured->FWidget == FWidget || FWidget->isAncestorOf(captured->FWidget))) {
        ReleaseCapture();
    }
}

bool TQtWindow::IsVisible() const {
    return FWidget->isVisible();
}

void TQtWindow::SetEnabled(bool aEnabled) {
    FWidget->setEnabled(aEnabled);
}

void TQtWindow::SetText(const String& aText) {
    FText = aText;
    if (FTopLevel) {
        FWidget->setWindowTitle(ToQString(aText));
    }
}

String TQtWindow::Text() const {
    return FText;
}

void TQtWindow::SetCursor(TCursor aCursor) {
    if (aCursor == crDefault) {
        FWidget->unsetCursor();
    } else {
        FWidget->setCursor(QtCursorShape(aCursor));
    }
}

void TQtWindow::ActivateTopLevel() {
    QWidget* window = FWidget->window();
    if (window == nullptr || !window->isVisible() || QApplication::activeWindow() == window) {
        return;
    }
    // Delivers the activation change at once, as a press on an inactive window
    // does: first the deactivation of the window that was active, then the
    // activation. The platform is told as well, for window systems that track it.
    if (QApplication::activeWindow() != nullptr) {
        QApplication::setActiveWindow(nullptr);
    }
    QApplication::setActiveWindow(window);
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->activateWindow();
    }
}

bool TQtWindow::IsActive() const {
    return FWidget->isActiveWindow();
}

void TQtWindow::SetModal(bool aModal) {
    FWidget->setWindowModality(aModal ? Qt::ApplicationModal : Qt::NonModal);
}

void TQtWindow::SetFocus() {
    ActivateTopLevel();
    if (FWidget) {
        FWidget->setFocus(Qt::OtherFocusReason);
    }
}

bool TQtWindow::HasFocus() const {
    if (FWidget->hasFocus()) {
        return true;
    }
    // A Qt pop-up (a context menu, a calendar) borrows the focus; the window it came
    // from keeps it as far as the framework is concerned.
    return QApplication::activePopupWidget() != nullptr && FWidget->isActiveWindow() &&
           FWidget->window()->focusWidget() == FWidget;
}

void TQtWindow::BringToFront() {
    if (!FTopLevel || QGuiApplication::platformName() != QLatin1String("offscreen")) {
        FWidget->raise();
    }
}

void TQtWindow::SetColor(TColor aColor) {
    QPalette palette = FWidget->palette();
    palette.setColor(QPalette::Base, ToQColor(aColor));
    palette.setColor(QPalette::Window, ToQColor(aColor));
    FWidget->setPalette(palette);
}

void TQtWindow::SetFont(const TFont& aFont) {
    FWidget->setFont(ToQFont(aFont));
    // The text colour of an enabled window; a disabled one keeps the style's greyed text.
    QPalette palette = FWidget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(group, role, ToQColor(aFont.Color()));
    FWidget->setPalette(palette);
}

void TQtWindow::Invalidate(const TRect*, bool) {
    FWidget->update();
}

void TQtWindow::Update() {}

bool TQtWindow::DeliverTranslated(TMessage& aMessage, QEvent* aEvent, TPassKind aKind) {
    std::shared_ptr<bool> alive = FAlive;
    FPending.push_back(TPending{&aMessage, aEvent, aKind, false});
    Deliver(*FControl, aMessage);
    if (!*alive) {
        return false;
    }
    bool passed = FPending.back().Passed;
    FPending.pop_back();
    return passed;
}

void TQtWindow::DeliverMessage(TMessage& aMessage) {
    DeliverTranslated(aMessage, nullptr, TPassKind::Whole);
}

void TQtWindow::DefaultHandler(TMessage& aMessage) {
    for (auto pending = FPending.rbegin(); pending != FPending.rend(); ++pending) {
        if (pending->Message == &aMessage) {
            if (pending->Passed || pending->Event == nullptr) {
                break;
            }
            pending->Passed = true;
            PassToWidget(pending->Event, pending->Kind, aMessage);
            return;
        }
    }
    SynthesizeDefault(aMessage);
}

namespace {

// The Qt key for a key message whose key a handler may have changed: the event's own
// key while the message still has its key, else the changed one's (0 for none).
int PassedKey(const QKeyEvent& aEvent, const TMessage& aMessage) {
    auto virtualKey = static_cast<uint16_t>(aMessage.WParam);
    if (VirtualKeyFromQt(aEvent.key()) == virtualKey) {
        return aEvent.key();
    }
    return QtKeyFromVirtualKey(virtualKey);
}

} // namespace

void TQtWindow::PassToWidget(QEvent* aEvent, TPassKind aKind, const TMessage& aMessage) {
    bool keyMessage = aMessage.Msg == WM_KEYDOWN || aMessage.Msg == WM_SYSKEYDOWN ||
                      aMessage.Msg == WM_KEYUP || aMessage.Msg == WM_SYSKEYUP;
    if (aKind == TPassKind::Whole && !keyMessage) {
        FHost->BaseEvent(aEvent);
        return;
    }
    auto* key = static_cast<QKeyEvent*>(aEvent);
    if (aKind == TPassKind::Whole && PassedKey(*key, aMessage) == key->key()) {
        FHost->BaseEvent(aEvent);
        return;
    }
    if (aKind != TPassKind::CharPart) {
        if (int passedKey = PassedKey(*key, aMessage); passedKey != 0) {
            QKeyEvent keyPart(key->type(), passedKey, key->modifiers(), QString(),
                              key->isAutoRepeat());
            FHost->BaseEvent(&keyPart);
        }
        return;
    }
    // The character as the handlers left it (OnKeyPress may have changed it).
    auto code = static_cast<char32_t>(aMessage.WParam);
    QString text = QString::fromUcs4(&code, 1);
    if (!text.isEmpty() && text.at(0).isPrint()) {
        QKeyEvent charPart(QEvent::KeyPress, 0, Qt::NoModifier, text, key->isAutoRepeat());
        FHost->BaseEvent(&charPart);
    }
}

void TQtWindow::SynthesizeDefault(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = QtKeyFromVirtualKey(static_cast<uint16_t>(aMessage.WParam));
        if (key == 0) {
            return;
        }
        bool down = aMessage.Msg == WM_KEYDOWN || aMessage.Msg == WM_SYSKEYDOWN;
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, CurrentModifiers());
        FHost->BaseEvent(&event);
        return;
    }
    case WM_CHAR: {
        auto code = static_cast<char32_t>(aMessage.WParam);
        QString text = QString::fromUcs4(&code, 1);
        if (!text.isEmpty() && text.at(0).isPrint()) {
            QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, text);
            FHost->BaseEvent(&event);
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
        QPointF local(LParamX(aMessage.LParam) + FBorder, LParamY(aMessage.LParam) + FBorder);
        QPointF global = FWidget->mapToGlobal(local);
        QEvent::Type type = QEvent::MouseMove;
        Qt::MouseButton button = Qt::NoButton;
        switch (aMessage.Msg) {
        case WM_LBUTTONDOWN:
            type = QEvent::MouseButtonPress;
            button = Qt::LeftButton;
            break;
        case WM_LBUTTONDBLCLK:
            type = QEvent::MouseButtonDblClick;
            button = Qt::LeftButton;
            break;
        case WM_LBUTTONUP:
            type = QEvent::MouseButtonRelease;
            button = Qt::LeftButton;
            break;
        case WM_RBUTTONDOWN:
            type = QEvent::MouseButtonPress;
            button = Qt::RightButton;
            break;
        case WM_RBUTTONUP:
            type = QEvent::MouseButtonRelease;
            button = Qt::RightButton;
            break;
        default:
            break;
        }
        QMouseEvent event(type, local, global, button,
                          MouseButtonsFromKeys(static_cast<uint32_t>(aMessage.WParam)),
                          CurrentModifiers());
        FHost->BaseEvent(&event);
        return;
    }
    default:
        return;
    }
}

} // namespace fw::qt
