// SPDX-License-Identifier: MIT
#include "platform/graphics/GdiBlits.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"
#include "platform/rtl/Format.h"

namespace fw {

namespace {

bool NeedsSource(uint32_t aRop) {
    return aRop != BLACKNESS && aRop != WHITENESS && aRop != DSTINVERT;
}

QPainter::CompositionMode ModeOf(uint32_t aRop) {
    switch (aRop) {
    case SRCCOPY:
        return QPainter::CompositionMode_Source;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    default:
        throw EInvalidGraphicOperation(
            Format("BitBlt: unsupported raster operation 0x%.8x", {aRop}));
    }
}

// Raster operations on an opaque image must not touch the alpha byte. aArea is in
// image pixels.
void MakeOpaque(QImage& aImage, const QRect& aArea) {
    const QImage::Format format = aImage.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return;
    const QRect area = ToDeviceRect(aImage, aArea).intersected(aImage.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(aImage.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] |= 0xFF000000u;
    }
}

} // namespace

bool BitBlt(HDC aDest, int32_t aX, int32_t aY, int32_t aWidth, int32_t aHeight, HDC aSrc,
            int32_t aXSrc, int32_t aYSrc, uint32_t aRop) {
    TDeviceContext& dest = CheckDC(aDest, "BitBlt");
    const QRect target(aX, aY, std::max(aWidth, 0), std::max(aHeight, 0));
    if (!NeedsSource(aRop)) {
        {
            TContextPainter painter(dest);
            if (!painter.isActive())
                return true;
            if (aRop == DSTINVERT) {
                painter.SetCompositionMode(QPainter::RasterOp_NotDestination);
                painter->fillRect(target, Qt::black);
            } else {
                painter->fillRect(target, aRop == BLACKNESS ? Qt::black : Qt::white);
            }
        }
        MakeOpaque(dest.Image(), target.translated(dest.Origin()));
        return true;
    }
    const QPainter::CompositionMode mode = ModeOf(aRop);
    TDeviceContext& source = CheckDC(aSrc, "BitBlt");
    const QImage& sourceImage = source.Image();
    // In the source's device pixels: the painter draws them at the source's pixel ratio,
    // one to one onto a destination of the same ratio.
    const QRect sourceArea = ToDeviceRect(
        sourceImage,
        QRect(aXSrc, aYSrc, target.width(), target.height()).translated(source.Origin()));
    {
        TContextPainter painter(dest);
        if (!painter.isActive())
            return true;
        if (&sourceImage != &dest.Image() && sourceImage.format() == QImage::Format_RGB32 &&
            sourceImage.rect().contains(sourceArea)) {
            // Straight from the source's pixels: no copy, and the source is not detached.
            painter.SetCompositionMode(mode);
            painter->drawImage(target.topLeft(), sourceImage, sourceArea);
        } else {
            // A copy first: source and destination may be the same image.
            QImage block = sourceImage.copy(sourceArea).convertToFormat(QImage::Format_RGB32);
            if (block.isNull())
                return true;
            block.setDevicePixelRatio(sourceImage.devicePixelRatio());
            painter.SetCompositionMode(mode);
            painter->drawImage(target.topLeft(), block);
        }
    }
    if (mode != QPainter::CompositionMode_Source)
        MakeOpaque(dest.Image(), target.translated(dest.Origin()));
    return true;
}

COLORREF GetPixel(HDC aDC, int32_t aX, int32_t aY) {
    TDeviceContext& context = CheckDC(aDC, "GetPixel");
    const QPoint pixel = context.ToDevice(aX, aY);
    if (!context.DeviceClip().contains(pixel))
        return CLR_INVALID;
    return FromQRgb(context.Image().pixel(pixel * ImageScale(context.Image())));
}

COLORREF SetPixel(HDC aDC, int32_t aX, int32_t aY, COLORREF aColor) {
    TDeviceContext& context = CheckDC(aDC, "SetPixel");
    const QPoint pixel = context.ToDevice(aX, aY);
    const QRect clip = context.DeviceClip();
    if (!clip.contains(pixel))
        return CLR_INVALID;
    const COLORREF color = ColorToRGB(aColor);
    PlotPixel(context.Image(), clip, pixel.x(), pixel.y(), color, R2_COPYPEN);
    return color;
}

} // namespace fw
