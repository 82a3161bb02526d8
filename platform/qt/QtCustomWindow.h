// SPDX-License-Identifier: MIT
#pragma once
// A custom-painted window: a widget showing a backing image that the control paints
// through device contexts (internal to the framework layer).
//
// The image covers the whole window, border included; the client area starts at
// the border. The invalid region (client coordinates) collects what InvalidateRect
// and resizes mark; WM_PAINT is delivered when a paint event finds it non-empty, or
// at once by Update. Qt's exposes are answered from the image without a WM_PAINT,
// so drawing done through GetWindowDC outside WM_PAINT stays until it is drawn over.

#include "platform/controls/WinApi.h"
#include "platform/qt/QtWindow.h"

#include <QImage>
#include <QRegion>
#include <QScrollBar>

#include <vector>

namespace fw::qt {

class TQtCustomWindow;

class TCustomHostWidget : public THostWidget<QWidget> {
public:
    explicit TCustomHostWidget(QWidget* aParent = nullptr);
    TQtCustomWindow* CustomWindow() const;

protected:
    void paintEvent(QPaintEvent* aEvent) override;
};

class TQtCustomWindow : public TQtWindow {
public:
    TQtCustomWindow(TWinControl& aControl, TCustomHostWidget* aWidget,
                    const TCreateParams& aParams);
    ~TQtCustomWindow() override;

    bool IsCustom() const override { return true; }
    TRect ClientRect() const override;
    void Invalidate(const TRect* aRect, bool aErase) override;
    void Update() override;
    void DefaultHandler(TMessage& aMessage) override;
    void SetVScrollBar(bool aVisible, int32_t aMax, int32_t aPage, int32_t aPosition) override;
    void PaintEventStarting() override;
    void Resized() override;

    HDC BeginPaint(TPaintStruct& aPaint);
    void EndPaint(const TPaintStruct& aPaint);
    HDC GetClientDC();
    HDC GetWindowDC();
    // Releases a context of this window; false when it is not one.
    bool ReleaseDC(HDC aDC);

    const QImage& Image() const { return FImage; }
    // Copies the image onto the widget for the region given (widget coordinates).
    void Blit(QPainter& aPainter, const QRegion& aRegion) const;
    // Delivers the pending WM_PAINT now, shown or not (pictures of windows).
    void FlushPaint();
    // True while something is invalid.
    bool PaintPending() const { return !FInvalid.isEmpty(); }

private:
    void EnsureImageSize();
    void DrawFrame();
    void DeliverPaint();
    HDC Track(HDC aDC);
    // Releases a context of this window without showing anything; false when it is
    // not one.
    bool Untrack(HDC aDC);
    int32_t ScrollBarWidth() const;
    void LayoutScrollBar();

    QImage FImage;
    QRegion FInvalid;
    bool FErase = true;
    bool FCtl3DEdge = false;
    QScrollBar* FScrollBar = nullptr;
    bool FScrollBarVisible = false;
    std::vector<HDC> FOpenDCs;
};

// The custom window of a handle; raises EInvalidGraphicOperation naming aCall when
// the handle is null or has no backing image.
TQtCustomWindow& CustomWindowOf(HWND aWindow, const char* aCall);

} // namespace fw::qt
