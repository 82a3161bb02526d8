// SPDX-License-Identifier: MIT
#include "platform/qt/ImageDC.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/internal/BitmapImage.h"
#include "platform/graphics/internal/DeviceContext.h"

namespace fw::qt {

HDC CreateImageDC(QImage& aImage, const TRect* aClip, TPoint aOrigin) {
    return NewContext(aImage, aClip, aOrigin);
}

void ReleaseImageDC(HDC aDC) {
    DeleteContext(aDC);
}

QImage& ContextImage(HDC aDC) {
    return CheckDC(aDC, "ContextImage").Image();
}

QImage& BitmapImage(TBitmap& aBitmap) {
    return TBitmapAccess::Image(aBitmap);
}

const QImage& BitmapImage(const TBitmap& aBitmap) {
    return TBitmapAccess::Image(aBitmap);
}

} // namespace fw::qt
