// SPDX-License-Identifier: MIT
#include "platform/qt/ForeignWindow.h"

#include "platform/qt/QtWindow.h"
#include "platform/rtl/Exceptions.h"

#include <QApplication>

namespace fw::qt {

namespace {

TRect FromQRect(const QRect& aRect) {
    return Rect(aRect.left(), aRect.top(), aRect.left() + aRect.width(),
                aRect.top() + aRect.height());
}

} // namespace

TForeignWindow::TForeignWindow(QWidget* aWidget) : FWidget(aWidget) {
    if (aWidget == nullptr) {
        throw Exception("A foreign parent window needs a widget, but none was given");
    }
}

void TForeignWindow::SetBounds(const TRect& aBounds) {
    if (FWidget) {
        FWidget->setGeometry(aBounds.Left, aBounds.Top, std::max(0, aBounds.Width()),
                             std::max(0, aBounds.Height()));
    }
}

TRect TForeignWindow::Bounds() const {
    return FWidget ? FromQRect(FWidget->geometry()) : TRect{};
}

TRect TForeignWindow::ClientRect() const {
    return FWidget ? Rect(0, 0, FWidget->width(), FWidget->height()) : TRect{};
}

TPoint TForeignWindow::ClientToScreen(TPoint aPoint) const {
    if (!FWidget) {
        return aPoint;
    }
    QPoint global = FWidget->mapToGlobal(QPoint(aPoint.X, aPoint.Y));
    return TPoint{global.x(), global.y()};
}

TPoint TForeignWindow::ScreenToClient(TPoint aPoint) const {
    if (!FWidget) {
        return aPoint;
    }
    QPoint local = FWidget->mapFromGlobal(QPoint(aPoint.X, aPoint.Y));
    return TPoint{local.x(), local.y()};
}

void TForeignWindow::SetVisible(bool aVisible) {
    if (FWidget) {
        FWidget->setVisible(aVisible);
    }
}

bool TForeignWindow::IsVisible() const {
    return FWidget && FWidget->isVisible();
}

void TForeignWindow::SetEnabled(bool aEnabled) {
    if (FWidget) {
        FWidget->setEnabled(aEnabled);
    }
}

void TForeignWindow::SetFocus() {
    if (FWidget) {
        FWidget->setFocus(Qt::OtherFocusReason);
    }
}

bool TForeignWindow::HasFocus() const {
    return FWidget && FWidget->hasFocus();
}

void TForeignWindow::Activate() {
    if (FWidget && FWidget->window()->isVisible()) {
        QApplication::setActiveWindow(FWidget->window());
    }
}

bool TForeignWindow::IsActive() const {
    return FWidget && FWidget->isActiveWindow();
}

void TForeignWindow::Invalidate(const TRect*, bool) {
    if (FWidget) {
        FWidget->update();
    }
}

std::unique_ptr<TForeignWindow> WrapForeignWidget(QWidget* aWidget) {
    return std::make_unique<TForeignWindow>(aWidget);
}

QWidget* WidgetOfHandle(HWND aWindow) {
    if (TQtWindow* window = FromHandle(aWindow); window != nullptr) {
        return window->Widget();
    }
    if (auto* foreign = dynamic_cast<TForeignWindow*>(aWindow); foreign != nullptr) {
        return foreign->Widget();
    }
    return nullptr;
}

} // namespace fw::qt
