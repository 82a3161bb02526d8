// SPDX-License-Identifier: MIT
// The backend services of platform/controls/Backend.h on Qt.

#include "platform/controls/Backend.h"

#include "platform/controls/Deliver.h"
#include "platform/qt/ForeignWindow.h"
#include "platform/qt/QtCustomWindow.h"
#include "platform/rtl/Exceptions.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#if defined(__SANITIZE_ADDRESS__)
// The application object lives until the process ends, so the font configuration
// it loaded is never given back; the leak checker is told that this is expected.
// Under a real X server the platform plugin's session-bus connection keeps a
// buffer of its own for the same reason.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus-1\n";
}
#endif

namespace fw::backend {

namespace {

TRect FromQRect(const QRect& aRect) {
    return Rect(aRect.left(), aRect.top(), aRect.left() + aRect.width(),
                aRect.top() + aRect.height());
}

// Windows released during a delivery are deleted once no delivery runs.
void FlushDeferredDeletes() {
    if (DeliverDepth() == 0) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Activates the window that a press lands in when the press goes to a widget that
// the translation does not see (a memo's viewport, a picker's inner field): without
// a window manager nobody else would. Presses on host widgets activate in the
// translation itself; activating twice does nothing.
class TPressActivation final : public QObject {
protected:
    bool eventFilter(QObject* aObject, QEvent* aEvent) override {
        if (aEvent->type() != QEvent::MouseButtonPress || !aObject->isWidgetType()) {
            return false;
        }
        for (QWidget* widget = static_cast<QWidget*>(aObject); widget != nullptr;
             widget = widget->parentWidget()) {
            if (auto* host = dynamic_cast<qt::IHostWidget*>(widget); host != nullptr) {
                if (host->Window != nullptr) {
                    host->Window->ActivateTopLevel();
                }
                break;
            }
        }
        return false;
    }
};

void InstallPressActivation(QApplication& aApplication) {
    static TPressActivation* filter = nullptr;
    if (filter == nullptr) {
        filter = new TPressActivation();
        aApplication.installEventFilter(filter);
    }
}

class TQtTimer final : public TNativeTimer {
public:
    explicit TQtTimer(std::function<void()> aTick) : FTimer(new QTimer()) {
        QObject::connect(FTimer, &QTimer::timeout, FTimer, std::move(aTick));
    }
    ~TQtTimer() override {
        QObject::disconnect(FTimer, nullptr, nullptr, nullptr);
        FTimer->stop();
        if (DeliverDepth() > 0) {
            FTimer->deleteLater();
        } else {
            delete FTimer;
        }
    }
    void Start(uint32_t aInterval) override { FTimer->start(static_cast<int>(aInterval)); }
    void Stop() override { FTimer->stop(); }

private:
    QTimer* FTimer;
};

} // namespace

void EnsureApplication() {
    QCoreApplication* existing = QCoreApplication::instance();
    if (existing != nullptr) {
        auto* application = qobject_cast<QApplication*>(existing);
        if (application == nullptr) {
            throw Exception("Windows need a QApplication, but the running application object is "
                            "a " +
                            String(existing->metaObject()->className()));
        }
        InstallPressActivation(*application);
        return;
    }
    static int argc = 1;
    static char name[] = "quire";
    static char* argv[] = {name, nullptr};
    auto* application = new QApplication(argc, argv);
    application->setQuitOnLastWindowClosed(false);
    InstallPressActivation(*application);
}

std::unique_ptr<TNativeWindow> CreateCustomWindow(TWinControl& aControl,
                                                  const TCreateParams& aParams) {
    auto* widget = new qt::TCustomHostWidget();
    qt::ApplyWindowStyle(widget, aParams, qt::WidgetOfHandle(aParams.WndParent));
    widget->setGeometry(aParams.X, aParams.Y, std::max(0, aParams.Width),
                        std::max(0, aParams.Height));
    return std::make_unique<qt::TQtCustomWindow>(aControl, widget, aParams);
}

TRect PrimaryScreenRect() {
    EnsureApplication();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? FromQRect(screen->geometry()) : TRect{};
}

TRect PrimaryWorkArea() {
    EnsureApplication();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? FromQRect(screen->availableGeometry()) : TRect{};
}

void MoveNativeCursor(TPoint aScreenPoint) {
    if (QCoreApplication::instance() != nullptr) {
        QCursor::setPos(aScreenPoint.X, aScreenPoint.Y);
    }
}

void ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    FlushDeferredDeletes();
}

void WaitAndProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    FlushDeferredDeletes();
}

void WakeUp() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
}

void PostCall(std::function<void()> aCall) {
    EnsureApplication();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [call = std::move(aCall)] { DeliverCall(nullptr, call); },
        Qt::QueuedConnection);
}

void ShowMessageBox(const String& aTitle, const String& aMessage) {
    EnsureApplication();
    QMessageBox box(QMessageBox::Critical, qt::ToQString(aTitle), qt::ToQString(aMessage),
                    QMessageBox::Ok);
    box.exec();
}

bool HasInteractiveDisplay() {
    EnsureApplication();
    QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

std::unique_ptr<TNativeTimer> CreateTimer(std::function<void()> aTick) {
    EnsureApplication();
    return std::make_unique<TQtTimer>(std::move(aTick));
}

} // namespace fw::backend
