// SPDX-License-Identifier: MIT
#pragma once
// The device context behind HDC, and the helpers every call family shares. Private
// to quire_graphics (includes Qt).

#include "platform/graphics/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <memory>
#include <optional>
#include <span>

namespace fw {

// Device pixels per image pixel along each axis: an image made for a screen with a
// device pixel ratio of 2 holds a block of 2 x 2 device pixels for each pixel the
// drawing calls address. Whole ratios only (a fractional one is rounded); 1 for plain
// images.
int ImageScale(const QImage& aImage);
// The image's area in the pixels the drawing calls address.
QRect ImageRect(const QImage& aImage);
// An image's area in device pixels, for the pixels aRect (image pixels) covers.
QRect ToDeviceRect(const QImage& aImage, const QRect& aRect);

class TDeviceContext {
public:
    TDeviceContext(QImage& aImage, std::optional<QRect> aClip, QPoint aOrigin);

    QImage& Image() const { return *FImage; }
    QPoint Origin() const { return FOrigin; }
    // The drawable area in image pixels: the clip rectangle (moved by the origin)
    // within the image. Image pixels are device pixels divided by ImageScale.
    QRect DeviceClip() const;
    // Context coordinates to image pixels.
    QPoint ToDevice(int32_t aX, int32_t aY) const { return QPoint(aX, aY) + FOrigin; }

    // The painter of the context, null when nothing of the image is drawable. It is
    // opened on first use and kept from one call to the next (opening a painter costs
    // more than most drawing calls), and opened again when the image object no longer
    // holds the pixels it paints (reassigned, resized, or shared with a copy since).
    // It paints through a QImage of its own over the image's pixels, so the image never
    // reports active painting: copies of it stay deep, other painters may open on it.
    // Base state: translated to context coordinates, clipped to the drawable area, no
    // antialiasing, source-over drawing.
    QPainter* Painter();
    // The drawable area in context coordinates (the painter's base clip).
    QRect PaintClip() const { return FPaintClip; }
    void EndPainting();

    HPEN Pen = nullptr;
    HBRUSH Brush = nullptr;
    HFONT Font = nullptr;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int32_t BkMode = OPAQUE;
    int32_t Rop2 = R2_COPYPEN;
    TPoint Position;

private:
    bool SurfaceMatchesImage() const;
    void BeginPainting();

    QImage* FImage;
    std::optional<QRect> FClip;
    QPoint FOrigin;
    // The pixels of *FImage seen as an image of its own while the painter is open.
    QImage FSurface;
    QRect FPaintClip;
    std::unique_ptr<QPainter> FPainter; // after FSurface: ends before it goes
};

// The context behind aDC; raises EInvalidGraphicOperation naming aCall when aDC is
// null or released.
TDeviceContext& CheckDC(HDC aDC, const char* aCall);

bool IsLiveContext(HDC aDC);
HDC NewContext(QImage& aImage, const TRect* aClip, TPoint aOrigin);
void DeleteContext(HDC aDC);

// Selection bookkeeping of drawing objects (GdiObjects.cpp).
void NoteSelected(HGDIOBJ aObject);
void NoteDeselected(HGDIOBJ aObject);
void SelectDefaultObjects(TDeviceContext& aContext);
void DeselectAll(TDeviceContext& aContext);

// The context's painter for one drawing call. What the call changes of the base state
// through IntersectClip or SetCompositionMode is put back when the scope ends. It is
// not active (isActive() false, draw nothing with it) when nothing of the image is
// drawable.
class TContextPainter {
public:
    explicit TContextPainter(TDeviceContext& aContext)
        : FContext(aContext), FPainter(aContext.Painter()) {}
    ~TContextPainter();
    TContextPainter(const TContextPainter&) = delete;
    TContextPainter& operator=(const TContextPainter&) = delete;

    bool isActive() const { return FPainter != nullptr; }
    QPainter* operator->() const { return FPainter; }
    QPainter& operator*() const { return *FPainter; }
    // Limits drawing further to aClip (context coordinates); false when nothing of the
    // drawable area is left.
    bool IntersectClip(const QRect& aClip);
    void SetCompositionMode(QPainter::CompositionMode aMode);

private:
    TDeviceContext& FContext;
    QPainter* FPainter;
    bool FClipped = false;
    bool FComposed = false;
};

QRgb ToQRgb(COLORREF aColor);
COLORREF FromQRgb(QRgb aRgb);
QRect ToQRect(const TRect& aRect);

// The raster operation of SetROP2 applied to pen and destination colours (0x00BBGGRR
// or 0xAARRGGBB alike: only the low 24 bits take part).
uint32_t ApplyRop2(int32_t aRop2, uint32_t aPen, uint32_t aDest);
// Combines one pixel of the image (image coordinates, its whole block of device
// pixels on a scaled image) with aColor by aRop2 when it lies in aClip.
void PlotPixel(QImage& aImage, const QRect& aClip, int aX, int aY, COLORREF aColor, int32_t aRop2);
// PlotPixel for every pixel of aPixels.
void PlotPixels(QImage& aImage, const QRect& aClip, std::span<const QPoint> aPixels,
                COLORREF aColor, int32_t aRop2);

} // namespace fw
