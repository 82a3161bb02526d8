// SPDX-License-Identifier: MIT
#include "platform/qt/WindowImage.h"

#include "platform/controls/WinControl.h"
#include "platform/qt/ImageDC.h"
#include "platform/qt/QtCustomWindow.h"
#include "platform/rtl/Exceptions.h"

#include <QPainter>
#include <QPixmap>

namespace fw {

namespace {

QImage Render(TWinControl& aControl) {
    qt::TQtWindow* window = qt::FromHandle(aControl.Handle());
    QWidget* widget = window->Widget();
    const qreal ratio = widget->devicePixelRatioF();
    QImage image(widget->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

} // namespace

void CaptureWindow(TWinControl& aControl, TBitmap& aBitmap) {
    QImage image = Render(aControl);
    const QSize size = image.deviceIndependentSize().toSize();
    aBitmap.SetSize(size.width(), size.height());
    QPainter painter(&qt::BitmapImage(aBitmap));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
}

void SaveWindowToPng(TWinControl& aControl, const String& aFileName) {
    QImage image = Render(aControl);
    if (!image.save(qt::ToQString(aFileName), "PNG")) {
        throw Exception("Cannot write the window picture to \"" + aFileName + "\"");
    }
}

COLORREF WindowPixel(TWinControl& aControl, int32_t aX, int32_t aY) {
    qt::TQtCustomWindow& window = qt::CustomWindowOf(aControl.Handle(), "WindowPixel");
    window.FlushPaint();
    const QImage& image = window.Image();
    const int scale = std::max(1, qRound(image.devicePixelRatio()));
    if (aX < 0 || aY < 0 || aX >= image.width() / scale || aY >= image.height() / scale) {
        return CLR_INVALID;
    }
    QRgb pixel = image.pixel(aX * scale, aY * scale);
    return RGB(static_cast<uint8_t>(qRed(pixel)), static_cast<uint8_t>(qGreen(pixel)),
               static_cast<uint8_t>(qBlue(pixel)));
}

} // namespace fw
