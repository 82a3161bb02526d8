// SPDX-License-Identifier: MIT
#pragma once
// The image inside a TBitmap. Private to quire_graphics (includes Qt).

#include "platform/graphics/Bitmap.h"

#include <QImage>

namespace fw {

struct TBitmapImage {
    QImage Image;
};

struct TBitmapAccess {
    static QImage& Image(TBitmap& aBitmap) { return aBitmap.FImage->Image; }
    static const QImage& Image(const TBitmap& aBitmap) { return aBitmap.FImage->Image; }
};

} // namespace fw
