// SPDX-License-Identifier: MIT
#include "platform/qt/QtCustomWindow.h"

#include "platform/controls/Backend.h"
#include "platform/graphics/GdiFills.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/qt/ImageDC.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace fw::qt {

namespace {

QRect ToQRect(const TRect& aRect) {
    return QRect(aRect.Left, aRect.Top, aRect.Width(), aRect.Height());
}

TRect FromQRect(const QRect& aRect) {
    return Rect(aRect.left(), aRect.top(), aRect.left() + aRect.width(),
                aRect.top() + aRect.height());
}

} // namespace

TCustomHostWidget::TCustomHostWidget(QWidget* aParent) : THostWidget<QWidget>(aParent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

TQtCustomWindow* TCustomHostWidget::CustomWindow() const {
    return static_cast<TQtCustomWindow*>(Window);
}

void TCustomHostWidget::paintEvent(QPaintEvent* aEvent) {
    if (Window == nullptr) {
        return;
    }
    QPainter painter(this);
    CustomWindow()->Blit(painter, aEvent->region());
}

TQtCustomWindow::TQtCustomWindow(TWinControl& aControl, TCustomHostWidget* aWidget,
                                 const TCreateParams& aParams)
    : TQtWindow(aControl, aWidget, aWidget, aParams),
      FCtl3DEdge((aParams.ExStyle & WS_EX_CLIENTEDGE) != 0) {
    aWidget->setFocusPolicy((aParams.Style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    // Input methods and compose sequences reach the window while it has the focus.
    aWidget->setAttribute(Qt::WA_InputMethodEnabled);
    EnsureImageSize();
}

TQtCustomWindow::~TQtCustomWindow() {
    if (FScrollBar != nullptr && FWidget) {
        QObject::disconnect(FScrollBar, nullptr, nullptr, nullptr);
    }
    for (HDC dc : FOpenDCs) {
        ReleaseImageDC(dc);
    }
}

int32_t TQtCustomWindow::ScrollBarWidth() const {
    return FScrollBarVisible && FScrollBar != nullptr ? FScrollBar->sizeHint().width() : 0;
}

TRect TQtCustomWindow::ClientRect() const {
    TRect client = TQtWindow::ClientRect();
    client.Right = std::max(0, client.Right - ScrollBarWidth());
    return client;
}

void TQtCustomWindow::EnsureImageSize() {
    // Drawn at the screen's device pixel ratio, so that text and lines keep every
    // device pixel instead of being scaled up from a logical-pixel image.
    const int scale = std::max(1, qRound(FWidget->devicePixelRatioF()));
    QSize size = FWidget->size().expandedTo(QSize(1, 1)) * scale;
    if (FImage.size() == size && qRound(FImage.devicePixelRatio()) == scale) {
        return;
    }
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    if (!FImage.isNull()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, FImage);
    }
    FImage = image;
    DrawFrame();
    TRect client = ClientRect();
    FInvalid = QRegion(ToQRect(client));
    FErase = true;
    LayoutScrollBar();
}

void TQtCustomWindow::DrawFrame() {
    if (FBorder == 0) {
        return;
    }
    HDC dc = CreateImageDC(FImage);
    const QSize size = FWidget->size().expandedTo(QSize(1, 1));
    TRect frame = Rect(0, 0, size.width(), size.height());
    if (FCtl3DEdge) {
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    } else {
        HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
        FrameRect(dc, frame, brush);
        DeleteObject(brush);
    }
    ReleaseImageDC(dc);
}

void TQtCustomWindow::Resized() {
    EnsureImageSize();
}

void TQtCustomWindow::Invalidate(const TRect* aRect, bool aErase) {
    TRect client = ClientRect();
    QRect area = aRect != nullptr ? ToQRect(*aRect).intersected(ToQRect(client)) : ToQRect(client);
    if (area.isEmpty()) {
        return;
    }
    FInvalid += area;
    FErase = FErase || aErase;
    FWidget->update(area.translated(FBorder, FBorder));
}

void TQtCustomWindow::DeliverPaint() {
    TMessage message{WM_PAINT, 0, 0, 0};
    DeliverMessage(message);
}

void TQtCustomWindow::Update() {
    if (!FInvalid.isEmpty() && FWidget->isVisible()) {
        DeliverPaint();
    }
}

void TQtCustomWindow::FlushPaint() {
    EnsureImageSize();
    if (!FInvalid.isEmpty()) {
        DeliverPaint();
    }
}

void TQtCustomWindow::PaintEventStarting() {
    EnsureImageSize();
    if (!FInvalid.isEmpty()) {
        DeliverPaint();
    }
}

void TQtCustomWindow::DefaultHandler(TMessage& aMessage) {
    if (aMessage.Msg == WM_PAINT) {
        // No painting of its own: validate (erasing first when asked).
        TPaintStruct paint;
        BeginPaint(paint);
        EndPaint(paint);
        return;
    }
    TQtWindow::DefaultHandler(aMessage);
}

HDC TQtCustomWindow::Track(HDC aDC) {
    FOpenDCs.push_back(aDC);
    return aDC;
}

HDC TQtCustomWindow::BeginPaint(TPaintStruct& aPaint) {
    EnsureImageSize();
    TRect client = ClientRect();
    QRect update = FInvalid.boundingRect().intersected(ToQRect(client));
    aPaint.rcPaint = update.isEmpty() ? TRect{} : FromQRect(update);
    aPaint.fErase = FErase;
    FInvalid = QRegion();
    FErase = false;
    aPaint.hdc = Track(CreateImageDC(FImage, &aPaint.rcPaint, TPoint{FBorder, FBorder}));
    if (aPaint.fErase && !update.isEmpty()) {
        std::shared_ptr<bool> alive = AliveToken();
        intptr_t erased = FControl->Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(aPaint.hdc));
        if (*alive) {
            aPaint.fErase = erased == 0;
        }
    }
    return aPaint.hdc;
}

void TQtCustomWindow::EndPaint(const TPaintStruct& aPaint) {
    // The context drew within rcPaint only: showing that is enough (showing the whole
    // window would paint its scroll bar and every pixel again on every paint).
    Untrack(aPaint.hdc);
    if (!aPaint.rcPaint.Width() || !aPaint.rcPaint.Height()) {
        return;
    }
    FWidget->update(ToQRect(aPaint.rcPaint).translated(FBorder, FBorder));
}

HDC TQtCustomWindow::GetClientDC() {
    EnsureImageSize();
    TRect client = ClientRect();
    return Track(CreateImageDC(FImage, &client, TPoint{FBorder, FBorder}));
}

HDC TQtCustomWindow::GetWindowDC() {
    EnsureImageSize();
    return Track(CreateImageDC(FImage));
}

bool TQtCustomWindow::Untrack(HDC aDC) {
    auto found = std::find(FOpenDCs.begin(), FOpenDCs.end(), aDC);
    if (found == FOpenDCs.end()) {
        return false;
    }
    FOpenDCs.erase(found);
    ReleaseImageDC(aDC);
    return true;
}

bool TQtCustomWindow::ReleaseDC(HDC aDC) {
    if (!Untrack(aDC)) {
        return false;
    }
    FWidget->update();
    return true;
}

void TQtCustomWindow::Blit(QPainter& aPainter, const QRegion& aRegion) const {
    // Qt hands a large copy to its thread pool; waking the pool costs more than copying
    // a band of this many pixels on this thread.
    constexpr int kBandPixels = 16 * 1024;
    const int scale = std::max(1, qRound(FImage.devicePixelRatio()));
    for (const QRect& rect : aRegion) {
        const int bandHeight = std::max(1, kBandPixels / std::max(1, rect.width() * scale * scale));
        for (int top = rect.top(); top <= rect.bottom(); top += bandHeight) {
            const QRect band(rect.left(), top, rect.width(),
                             std::min(bandHeight, rect.bottom() - top + 1));
            // The band in widget coordinates, its source in the image's device pixels.
            aPainter.drawImage(band, FImage, QRect(band.topLeft() * scale, band.size() * scale));
        }
    }
}

void TQtCustomWindow::SetVScrollBar(bool aVisible, int32_t aMax, int32_t aPage, int32_t aPosition) {
    if (FScrollBar == nullptr) {
        if (!aVisible) {
            return;
        }
        FScrollBar = new QScrollBar(Qt::Vertical, FWidget);
        FScrollBar->setFocusPolicy(Qt::NoFocus);
        QObject::connect(FScrollBar, &QScrollBar::valueChanged, FScrollBar, [this](int aValue) {
            TMessage message{WM_VSCROLL, MakeLong(SB_THUMBPOSITION, static_cast<uint16_t>(aValue)),
                             0, 0};
            DeliverMessage(message);
        });
    }
    {
        QSignalBlocker blocker(FScrollBar);
        FScrollBar->setRange(0, std::max(0, aMax));
        FScrollBar->setPageStep(std::max(1, aPage));
        FScrollBar->setValue(aPosition);
    }
    if (aVisible == FScrollBarVisible) {
        return;
    }
    FScrollBarVisible = aVisible;
    LayoutScrollBar();
    Invalidate(nullptr, true);
    TMessage message{WM_SIZE, 0, 0, 0};
    DeliverMessage(message);
}

void TQtCustomWindow::LayoutScrollBar() {
    if (FScrollBar == nullptr) {
        return;
    }
    FScrollBar->setVisible(FScrollBarVisible);
    if (FScrollBarVisible) {
        int32_t width = ScrollBarWidth();
        FScrollBar->setGeometry(FWidget->width() - FBorder - width, FBorder, width,
                                std::max(0, FWidget->height() - 2 * FBorder));
    }
}

TQtCustomWindow& CustomWindowOf(HWND aWindow, const char* aCall) {
    auto* window = dynamic_cast<TQtCustomWindow*>(aWindow);
    if (window == nullptr) {
        throw EInvalidGraphicOperation(
            String(aCall) + ": the window " +
            (aWindow == nullptr ? "handle is null" : "has no backing image"));
    }
    return *window;
}

} // namespace fw::qt
