#pragma once
// The device context behind HDC, and the helpers every call family shares. Private
// to quire_graphics (includes Qt).

#include "platform/graphics/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <optional>
#include <span>

namespace fw {

class TDeviceContext {
public:
    TDeviceContext(QImage& aImage, std::optional<QRect> aClip, QPoint aOrigin);

    QImage& Image() const { return *FImage; }
    QPoint Origin() const { return FOrigin; }
    // The drawable area in image pixels: the clip rectangle (moved by the origin)
    // within the image.
    QRect DeviceClip() const;
    // Context coordinates to image pixels.
    QPoint ToDevice(int32_t aX, int32_t aY) const { return QPoint(aX, aY) + FOrigin; }

    HPEN Pen = nullptr;
    HBRUSH Brush = nullptr;
    HFONT Font = nullptr;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int32_t BkMode = OPAQUE;
    int32_t Rop2 = R2_COPYPEN;
    TPoint Position;

private:
    QImage* FImage;
    std::optional<QRect> FClip;
    QPoint FOrigin;
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

// A painter on the context's image, translated to context coordinates and clipped to
// the drawable area, without antialiasing. It is not active (isActive() false, draw
// nothing with it) when nothing of the image is drawable.
class TContextPainter : public QPainter {
public:
    explicit TContextPainter(TDeviceContext& aContext);
};

QRgb ToQRgb(COLORREF aColor);
COLORREF FromQRgb(QRgb aRgb);
QRect ToQRect(const TRect& aRect);

// The raster operation of SetROP2 applied to pen and destination colours (0x00BBGGRR
// or 0xAARRGGBB alike: only the low 24 bits take part).
uint32_t ApplyRop2(int32_t aRop2, uint32_t aPen, uint32_t aDest);
// Combines one pixel of the image (image coordinates) with aColor by aRop2 when it
// lies in aClip.
void PlotPixel(QImage& aImage, const QRect& aClip, int aX, int aY, COLORREF aColor, int32_t aRop2);
// PlotPixel for every pixel of aPixels.
void PlotPixels(QImage& aImage, const QRect& aClip, std::span<const QPoint> aPixels,
                COLORREF aColor, int32_t aRop2);

} // namespace fw
