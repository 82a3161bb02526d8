// SPDX-License-Identifier: MIT
#include "platform/graphics/internal/DeviceContext.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace fw {

namespace {

// Live contexts, so that every call can tell a valid handle from a released one.
std::unordered_map<HDC, std::unique_ptr<TDeviceContext>>& Contexts() {
    static std::unordered_map<HDC, std::unique_ptr<TDeviceContext>> contexts;
    return contexts;
}

bool IsDirectFormat(QImage::Format aFormat) {
    return aFormat == QImage::Format_RGB32 || aFormat == QImage::Format_ARGB32 ||
           aFormat == QImage::Format_ARGB32_Premultiplied;
}

// One device pixel.
void PlotDevicePixel(QImage& aImage, int aX, int aY, uint32_t aPen, int32_t aRop2) {
    if (IsDirectFormat(aImage.format())) {
        auto* line = reinterpret_cast<uint32_t*>(aImage.scanLine(aY));
        line[aX] = 0xFF000000u | ApplyRop2(aRop2, aPen, line[aX] & 0xFFFFFF);
        return;
    }
    const uint32_t dest = aImage.pixel(aX, aY) & 0xFFFFFF;
    aImage.setPixel(aX, aY, 0xFF000000u | ApplyRop2(aRop2, aPen, dest));
}

} // namespace

int ImageScale(const QImage& aImage) {
    return std::max(1, qRound(aImage.devicePixelRatio()));
}

QRect ImageRect(const QImage& aImage) {
    const int scale = ImageScale(aImage);
    return QRect(0, 0, aImage.width() / scale, aImage.height() / scale);
}

QRect ToDeviceRect(const QImage& aImage, const QRect& aRect) {
    const int scale = ImageScale(aImage);
    return QRect(aRect.topLeft() * scale, aRect.size() * scale);
}

TDeviceContext::TDeviceContext(QImage& aImage, std::optional<QRect> aClip, QPoint aOrigin)
    : FImage(&aImage), FClip(aClip), FOrigin(aOrigin) {}

QRect TDeviceContext::DeviceClip() const {
    const QRect imageRect = ImageRect(*FImage);
    if (!FClip)
        return imageRect;
    return FClip->translated(FOrigin).intersected(imageRect);
}

TDeviceContext& CheckDC(HDC aDC, const char* aCall) {
    auto& contexts = Contexts();
    if (aDC == nullptr || contexts.find(aDC) == contexts.end())
        throw EInvalidGraphicOperation(
            Format("%s: invalid device context %p", {aCall, reinterpret_cast<intptr_t>(aDC)}));
    return *aDC;
}

bool IsLiveContext(HDC aDC) {
    return aDC != nullptr && Contexts().count(aDC) != 0;
}

HDC NewContext(QImage& aImage, const TRect* aClip, TPoint aOrigin) {
    std::optional<QRect> clip;
    if (aClip != nullptr)
        clip = ToQRect(*aClip);
    auto context = std::make_unique<TDeviceContext>(aImage, clip, QPoint(aOrigin.X, aOrigin.Y));
    HDC handle = context.get();
    SelectDefaultObjects(*context);
    Contexts().emplace(handle, std::move(context));
    return handle;
}

void DeleteContext(HDC aDC) {
    TDeviceContext& context = CheckDC(aDC, "ReleaseDC");
    context.EndPainting();
    DeselectAll(context);
    Contexts().erase(aDC);
}

// The image's buffer is compared without detaching it: a shared buffer means a copy
// was taken since, and painting on must not reach that copy.
bool TDeviceContext::SurfaceMatchesImage() const {
    const QImage& image = *FImage;
    return image.constBits() == FSurface.constBits() && image.isDetached() &&
           image.size() == FSurface.size() && image.format() == FSurface.format() &&
           image.bytesPerLine() == FSurface.bytesPerLine();
}

QPainter* TDeviceContext::Painter() {
    if (FPainter && !SurfaceMatchesImage())
        EndPainting();
    if (!FPainter)
        BeginPainting();
    return FPainter && FPainter->isActive() ? FPainter.get() : nullptr;
}

void TDeviceContext::BeginPainting() {
    const QRect clip = DeviceClip();
    FPainter = std::make_unique<QPainter>();
    if (clip.isEmpty())
        return; // nothing drawable (an empty image or clip): the painter stays inactive
    QImage& image = *FImage;
    uchar* bits = image.bits(); // detaches a shared buffer first
    FSurface = QImage(bits, image.width(), image.height(), image.bytesPerLine(), image.format());
    FSurface.setColorTable(image.colorTable());
    FSurface.setDevicePixelRatio(image.devicePixelRatio());
    FPainter->begin(&FSurface);
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->setClipRect(clip);
    FPainter->translate(FOrigin);
    FPaintClip = clip.translated(-FOrigin);
}

void TDeviceContext::EndPainting() {
    FPainter.reset();
    FSurface = QImage();
}

TContextPainter::~TContextPainter() {
    if (FClipped)
        FPainter->setClipRect(FContext.PaintClip());
    if (FComposed)
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool TContextPainter::IntersectClip(const QRect& aClip) {
    const QRect clip = aClip.intersected(FContext.PaintClip());
    if (clip.isEmpty())
        return false;
    FPainter->setClipRect(clip);
    FClipped = true;
    return true;
}

void TContextPainter::SetCompositionMode(QPainter::CompositionMode aMode) {
    FPainter->setCompositionMode(aMode);
    FComposed = true;
}

QRgb ToQRgb(COLORREF aColor) {
    return qRgb(GetRValue(aColor), GetGValue(aColor), GetBValue(aColor));
}

COLORREF FromQRgb(QRgb aRgb) {
    return RGB(static_cast<uint8_t>(qRed(aRgb)), static_cast<uint8_t>(qGreen(aRgb)),
               static_cast<uint8_t>(qBlue(aRgb)));
}

QRect ToQRect(const TRect& aRect) {
    if (aRect.Right <= aRect.Left || aRect.Bottom <= aRect.Top)
        return QRect(aRect.Left, aRect.Top, 0, 0);
    return QRect(QPoint(aRect.Left, aRect.Top), QPoint(aRect.Right - 1, aRect.Bottom - 1));
}

uint32_t ApplyRop2(int32_t aRop2, uint32_t aPen, uint32_t aDest) {
    uint32_t result = aDest;
    switch (aRop2) {
    case R2_BLACK:
        result = 0;
        break;
    case R2_NOTMERGEPEN:
        result = ~(aPen | aDest);
        break;
    case R2_MASKNOTPEN:
        result = ~aPen & aDest;
        break;
    case R2_NOTCOPYPEN:
        result = ~aPen;
        break;
    case R2_MASKPENNOT:
        result = aPen & ~aDest;
        break;
    case R2_NOT:
        result = ~aDest;
        break;
    case R2_XORPEN:
        result = aPen ^ aDest;
        break;
    case R2_NOTMASKPEN:
        result = ~(aPen & aDest);
        break;
    case R2_MASKPEN:
        result = aPen & aDest;
        break;
    case R2_NOTXORPEN:
        result = ~(aPen ^ aDest);
        break;
    case R2_NOP:
        result = aDest;
        break;
    case R2_MERGENOTPEN:
        result = ~aPen | aDest;
        break;
    case R2_COPYPEN:
        result = aPen;
        break;
    case R2_MERGEPENNOT:
        result = aPen | ~aDest;
        break;
    case R2_MERGEPEN:
        result = aPen | aDest;
        break;
    case R2_WHITE:
        result = 0xFFFFFF;
        break;
    }
    return result & 0xFFFFFF;
}

void PlotPixel(QImage& aImage, const QRect& aClip, int aX, int aY, COLORREF aColor, int32_t aRop2) {
    if (!aClip.contains(aX, aY))
        return;
    const uint32_t pen = ToQRgb(aColor) & 0xFFFFFF;
    const int scale = ImageScale(aImage);
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
            PlotDevicePixel(aImage, aX * scale + dx, aY * scale + dy, pen, aRop2);
}

void PlotPixels(QImage& aImage, const QRect& aClip, std::span<const QPoint> aPixels,
                COLORREF aColor, int32_t aRop2) {
    if (!IsDirectFormat(aImage.format()) || ImageScale(aImage) != 1) {
        for (const QPoint& pixel : aPixels)
            PlotPixel(aImage, aClip, pixel.x(), pixel.y(), aColor, aRop2);
        return;
    }
    // One detach and one stride for the whole line instead of one per pixel.
    const uint32_t pen = ToQRgb(aColor) & 0xFFFFFF;
    uchar* bits = aImage.bits();
    const qsizetype stride = aImage.bytesPerLine();
    for (const QPoint& pixel : aPixels) {
        if (!aClip.contains(pixel))
            continue;
        auto* line = reinterpret_cast<uint32_t*>(bits + pixel.y() * stride);
        line[pixel.x()] = 0xFF000000u | ApplyRop2(aRop2, pen, line[pixel.x()] & 0xFFFFFF);
    }
}

} // namespace fw
