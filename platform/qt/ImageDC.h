// SPDX-License-Identifier: MIT
#pragma once
// Device contexts on Qt images: the bridge between the GDI-style drawing calls of
// platform/graphics and the windows of the Qt backend.
//
// Contract:
// - CreateImageDC makes an HDC that draws on aImage. The context keeps a reference
//   to the QImage object: the object must outlive the context. Assigning a new image
//   to the same object (a resize) is fine between calls; the context then draws on
//   the new image. The painter a context keeps open between calls paints on the
//   image's pixels through an image of its own: the QImage is never "being painted",
//   copies of it taken between calls stay as they were. Any 32-bit format (Format_RGB32,
//   Format_ARGB32[_Premultiplied]) is drawn on directly; other formats work, more slowly.
// - aOrigin is the image pixel that the context's (0, 0) stands for (a window's
//   client origin inside an image that includes its border); default (0, 0).
// - aClip, when given, is a rectangle in context coordinates; nothing is drawn
//   outside it and GetPixel answers CLR_INVALID there. Drawing outside the image is
//   discarded in any case.
// - The new context holds the stock black pen, white brush and default font, black
//   text on a white opaque background, raster operation R2_COPYPEN, position (0, 0).
// - ReleaseImageDC frees the context; the objects selected into it are deselected,
//   not deleted. Any later call with the handle raises EInvalidGraphicOperation.
// - A TCanvas draws on such a context after TCanvas::SetHandle(dc); the canvas does
//   not own it: call SetHandle(nullptr) before ReleaseImageDC.
// Everything runs on the GUI thread. Drawing text needs a QGuiApplication (or
// QApplication) to exist; without one it raises EInvalidGraphicOperation.
//
// This file and ImageDC.cpp are built into quire_graphics: link that target.

#include "platform/graphics/GdiTypes.h"

#include <QImage>

namespace fw {
class TBitmap;
}

namespace fw::qt {

HDC CreateImageDC(QImage& aImage, const TRect* aClip = nullptr, TPoint aOrigin = {});
void ReleaseImageDC(HDC aDC);

// The image a context draws on. Raises EInvalidGraphicOperation for an invalid
// context.
QImage& ContextImage(HDC aDC);
// The image of a bitmap, for showing or saving it; the same object for the bitmap's
// lifetime (a resize replaces its contents).
QImage& BitmapImage(TBitmap& aBitmap);
const QImage& BitmapImage(const TBitmap& aBitmap);

} // namespace fw::qt
