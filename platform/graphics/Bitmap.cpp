// SPDX-License-Identifier: MIT
#include "platform/graphics/Bitmap.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/BitmapImage.h"
#include "platform/graphics/internal/DeviceContext.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TBitmap)

// The canvas of a bitmap: a context on the bitmap's image, made on first use and
// released with the canvas.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(QImage& aImage) : FImage(aImage) {}
    ~TBitmapCanvas() override {
        HDC dc = FOwnDC;
        SetHandle(nullptr);
        if (dc != nullptr)
            DeleteContext(dc);
    }

protected:
    void CreateHandle() override {
        if (FOwnDC == nullptr)
            FOwnDC = NewContext(FImage, nullptr, TPoint{});
        SetHandle(FOwnDC);
    }

private:
    QImage& FImage;
    HDC FOwnDC = nullptr;
};

TBitmap::TBitmap()
    : FImage(std::make_unique<TBitmapImage>()),
      FCanvas(std::make_unique<TBitmapCanvas>(FImage->Image)) {}

TBitmap::~TBitmap() = default;

namespace {

// Bitmaps are drawn at the screens' device pixel ratio, so that copying one onto a
// window keeps every device pixel.
int ScreenScale() {
    return qGuiApp != nullptr ? std::max(1, qRound(qGuiApp->devicePixelRatio())) : 1;
}

} // namespace

int32_t TBitmap::Width() const {
    return ImageRect(FImage->Image).width();
}

int32_t TBitmap::Height() const {
    return ImageRect(FImage->Image).height();
}

void TBitmap::SetSize(int32_t aWidth, int32_t aHeight) {
    aWidth = std::max(aWidth, 0);
    aHeight = std::max(aHeight, 0);
    QImage& image = FImage->Image;
    const int scale = ScreenScale();
    if (aWidth == Width() && aHeight == Height() && (image.isNull() || ImageScale(image) == scale))
        return;
    QImage resized;
    if (aWidth > 0 && aHeight > 0) {
        resized = QImage(aWidth * scale, aHeight * scale, QImage::Format_RGB32);
        resized.setDevicePixelRatio(scale);
        resized.fill(Qt::white);
        if (!image.isNull()) {
            QPainter painter(&resized);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image);
        }
    }
    image = std::move(resized);
}

TCanvas& TBitmap::Canvas() {
    return *FCanvas;
}

void TBitmap::SaveToFile(const String& aFileName) const {
    if (FImage->Image.isNull())
        throw EInvalidGraphicOperation(
            "TBitmap.SaveToFile: the bitmap is empty, nothing to write to \"" + aFileName + "\"");
    if (!FImage->Image.save(QString::fromStdString(aFileName), "PNG"))
        throw EInvalidGraphicOperation("TBitmap.SaveToFile: cannot write \"" + aFileName + "\"");
}

} // namespace fw
