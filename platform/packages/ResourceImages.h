// SPDX-License-Identifier: MIT
#pragma once
// Bitmaps and icons among a module's resources.
//
// A bitmap resource is a BMP file or a bare device-independent bitmap (an info
// header, the colour table, the pixel rows bottom-up unless the height is negative,
// each row padded to four bytes), uncompressed, with 1, 4, 8, 24 or 32 bits per
// pixel. An icon resource is an icon file: a directory of images, each a
// device-independent bitmap of twice the icon's height whose second half is the
// one-bit transparency mask. Data that does not follow this form raises
// EResourceError naming the resource and what is wrong; nothing is read outside it.

#include "platform/graphics/Bitmap.h"
#include "platform/packages/Resources.h"

namespace fw {

struct TBitmapInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 0;
    uint32_t Compression = 0; // 0: uncompressed
    int32_t ColorCount = 0;   // entries in the colour table
};

// The header of a bitmap's data, checked against its size.
TBitmapInfo ParseBitmapInfo(TResourceBytes aData, const String& aResourceName);
// Draws the bitmap into aBitmap, which takes its size.
void DecodeBitmap(TResourceBytes aData, const String& aResourceName, TBitmap& aBitmap);

TBitmapInfo ReadBitmapInfo(const TResourceTable& aTable, const String& aName);
void LoadBitmapResource(const TResourceTable& aTable, const String& aName, TBitmap& aBitmap);

struct TIconImageInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 0;
};

// The images of an icon, in directory order.
std::vector<TIconImageInfo> ParseIconInfo(TResourceBytes aData, const String& aResourceName);
std::vector<TIconImageInfo> ReadIconInfo(const TResourceTable& aTable, const String& aName);
// Draws the icon's image whose width is nearest aSize (the larger one on a tie) into
// aBitmap, which takes its size; transparent pixels take aBackground.
void DecodeIcon(TResourceBytes aData, const String& aResourceName, int32_t aSize,
                TColor aBackground, TBitmap& aBitmap);
void LoadIconResource(const TResourceTable& aTable, const String& aName, int32_t aSize,
                      TColor aBackground, TBitmap& aBitmap);

} // namespace fw
