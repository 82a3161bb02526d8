// SPDX-License-Identifier: MIT
#include "platform/packages/ResourceImages.h"
#include "platform/graphics/Color.h"
#include "platform/packages/PackageErrors.h"

#include <gtest/gtest.h>

#include <vector>

namespace fw {

namespace {

using TBytes = std::vector<unsigned char>;

void Put16(TBytes& aOut, uint32_t aValue) {
    aOut.push_back(static_cast<unsigned char>(aValue));
    aOut.push_back(static_cast<unsigned char>(aValue >> 8));
}
void Put32(TBytes& aOut, uint32_t aValue) {
    Put16(aOut, aValue & 0xFFFF);
    Put16(aOut, aValue >> 16);
}
void Set32(TBytes& aOut, size_t aAt, uint32_t aValue) {
    for (int i = 0; i < 4; ++i)
        aOut[aAt + i] = static_cast<unsigned char>(aValue >> (8 * i));
}

// A device-independent bitmap written the way the platform's tools write one. Rows
// are given top to bottom; a pixel is a colour-table index, or a COLORREF at 24 bits.
struct TDibSpec {
    int32_t Width = 0;
    uint16_t Bits = 4;
    std::vector<COLORREF> Colors;
    std::vector<std::vector<uint32_t>> Rows;
    bool TopDown = false;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    std::vector<std::vector<uint32_t>> Mask; // an icon image's transparency rows
};

void PutRows(TBytes& aOut, const std::vector<std::vector<uint32_t>>& aRows, uint16_t aBits,
             bool aTopDown) {
    for (size_t r = 0; r < aRows.size(); ++r) {
        const auto& row = aRows[aTopDown ? r : aRows.size() - 1 - r];
        TBytes line;
        if (aBits == 24) {
            for (uint32_t color : row) {
                line.push_back(GetBValue(color));
                line.push_back(GetGValue(color));
                line.push_back(GetRValue(color));
            }
        } else {
            line.assign((row.size() * aBits + 7) / 8, 0);
            for (size_t x = 0; x < row.size(); ++x) {
                const size_t bit = x * aBits;
                line[bit / 8] |= static_cast<unsigned char>(row[x] << (8 - aBits - bit % 8));
            }
        }
        while (line.size() % 4 != 0)
            line.push_back(0);
        aOut.insert(aOut.end(), line.begin(), line.end());
    }
}

TBytes Dib(const TDibSpec& aSpec, bool aFileHeader) {
    TBytes out;
    const bool icon = !aSpec.Mask.empty();
    const int32_t rows = static_cast<int32_t>(aSpec.Rows.size()) * (icon ? 2 : 1);
    if (aFileHeader) {
        out = {'B', 'M'};
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0); // the pixel offset, set below
    }
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(aSpec.Width));
    Put32(out, static_cast<uint32_t>(aSpec.TopDown ? -rows : rows));
    Put16(out, 1);
    Put16(out, aSpec.Bits);
    Put32(out, aSpec.Compression);
    Put32(out, 0);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, aSpec.ColorsUsed);
    Put32(out, 0);
    for (COLORREF color : aSpec.Colors) {
        out.push_back(GetBValue(color));
        out.push_back(GetGValue(color));
        out.push_back(GetRValue(color));
        out.push_back(0);
    }
    if (aFileHeader)
        Set32(out, 10, static_cast<uint32_t>(out.size()));
    PutRows(out, aSpec.Rows, aSpec.Bits, aSpec.TopDown);
    if (icon)
        PutRows(out, aSpec.Mask, 1, false);
    return out;
}

TBytes Icon(const std::vector<TDibSpec>& aImages) {
    TBytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(aImages.size()));
    std::vector<TBytes> blobs;
    for (const TDibSpec& image : aImages)
        blobs.push_back(Dib(image, false));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * aImages.size());
    for (size_t i = 0; i < aImages.size(); ++i) {
        out.push_back(static_cast<unsigned char>(aImages[i].Width));
        out.push_back(static_cast<unsigned char>(aImages[i].Rows.size()));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, aImages[i].Bits);
        Put32(out, static_cast<uint32_t>(blobs[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(blobs[i].size());
    }
    for (const TBytes& blob : blobs)
        out.insert(out.end(), blob.begin(), blob.end());
    return out;
}

TResourceBytes View(const TBytes& aBytes) {
    return {aBytes.data(), aBytes.size()};
}

String ErrorOf(const TBytes& aBytes) {
    try {
        TBitmap bitmap;
        DecodeBitmap(View(aBytes), "PICTURE", bitmap);
    } catch (const EResourceError& e) {
        return e.Message();
    }
    return "(no error)";
}

const COLORREF Red = RGB(255, 0, 0);
const COLORREF Navy = RGB(0, 0, 128);
const COLORREF White = RGB(255, 255, 255);

TDibSpec FourBitSample() {
    TDibSpec sample;
    sample.Width = 3; // odd: the last byte of a row holds one pixel, then padding
    sample.Colors = {White, Red, Navy};
    sample.ColorsUsed = 3;
    sample.Rows = {{1, 0, 2}, {2, 2, 1}};
    return sample;
}

} // namespace

TEST(ResourceImages, FourBitBitmapDecodesRowsBottomUpThroughItsColourTable) {
    const TBytes data = Dib(FourBitSample(), true);
    const TBitmapInfo info = ParseBitmapInfo(View(data), "PICTURE");
    EXPECT_EQ(info.Width, 3);
    EXPECT_EQ(info.Height, 2);
    EXPECT_EQ(info.BitCount, 4);
    EXPECT_EQ(info.ColorCount, 3);

    TBitmap bitmap;
    DecodeBitmap(View(data), "PICTURE", bitmap);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), Red);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), White);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 0), Navy);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), Red);
}

TEST(ResourceImages, OtherDepthsAndTopDownRowsDecode) {
    TDibSpec trueColour;
    trueColour.Width = 2;
    trueColour.Bits = 24;
    trueColour.TopDown = true;
    trueColour.Rows = {{RGB(1, 2, 3), RGB(4, 5, 6)}, {RGB(7, 8, 9), RGB(250, 251, 252)}};
    TBitmap bitmap;
    DecodeBitmap(View(Dib(trueColour, false)), "PICTURE", bitmap);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), RGB(4, 5, 6));
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), RGB(250, 251, 252));

    TDibSpec mono;
    mono.Width = 10; // pixels 8 and 9 sit in the row's second byte
    mono.Bits = 1;
    mono.Colors = {White, Navy};
    mono.Rows = {{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}};
    DecodeBitmap(View(Dib(mono, true)), "PICTURE", bitmap);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), Navy);
    EXPECT_EQ(bitmap.Canvas().Pixel(8, 0), White);
    EXPECT_EQ(bitmap.Canvas().Pixel(9, 0), Navy);
}

TEST(ResourceImages, MalformedBitmapsAreRefusedWithTheReason) {
    TBytes truncated = Dib(FourBitSample(), true);
    truncated.pop_back();
    EXPECT_NE(ErrorOf(truncated).find("the data ends early"), String::npos) << ErrorOf(truncated);
    EXPECT_EQ(ErrorOf(TBytes{'B', 'M', 1, 2}),
              "Resource PICTURE: the data ends early (4 bytes, 14 needed)");

    TDibSpec sample = FourBitSample();
    sample.Compression = 2;
    EXPECT_EQ(ErrorOf(Dib(sample, true)),
              "Resource PICTURE: compressed bitmaps (method 2) are not supported");

    sample = FourBitSample();
    sample.Rows = {{1, 0, 3}, {0, 0, 0}}; // index 3 of a three-colour table
    EXPECT_EQ(ErrorOf(Dib(sample, true)), "Resource PICTURE: pixel 2,0 uses colour 3 of 3");

    sample = FourBitSample();
    sample.ColorsUsed = 17;
    EXPECT_EQ(ErrorOf(Dib(sample, true)), "Resource PICTURE: 17 colours for 4 bits per pixel");

    TBytes sixteen = Dib(FourBitSample(), true);
    sixteen[14 + 14] = 16;
    EXPECT_EQ(ErrorOf(sixteen), "Resource PICTURE: 16 bits per pixel are not supported");

    TBytes huge = Dib(FourBitSample(), true);
    Set32(huge, 14 + 4, 100000);
    EXPECT_EQ(ErrorOf(huge), "Resource PICTURE: bitmap size 100000 x 2 is out of range");

    TBytes overlapping = Dib(FourBitSample(), true);
    Set32(overlapping, 10, 20);
    EXPECT_EQ(ErrorOf(overlapping),
              "Resource PICTURE: the pixel data offset 20 lies inside the headers");
}

TEST(ResourceImages, IconPicksTheNearestImageAndMasksTransparentPixels) {
    TDibSpec small;
    small.Width = 2;
    small.Colors = {White, Red};
    small.ColorsUsed = 2;
    small.Rows = {{1, 1}, {1, 1}};
    small.Mask = {{1, 0}, {0, 0}};
    TDibSpec large = small;
    large.Width = 4;
    large.Rows.assign(4, {0, 0, 0, 0});
    large.Mask.assign(4, {0, 0, 0, 1});
    const TBytes icon = Icon({small, large});

    const auto images = ParseIconInfo(View(icon), "ICON");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].Width, 4);
    EXPECT_EQ(images[1].BitCount, 4);

    TBitmap bitmap;
    DecodeIcon(View(icon), "ICON", 1, clBtnFace, bitmap);
    ASSERT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), Red);
    DecodeIcon(View(icon), "ICON", 3, Navy, bitmap); // a tie goes to the larger image
    ASSERT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), White);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), Navy);
}

TEST(ResourceImages, MalformedIconsAreRefused) {
    TDibSpec image;
    image.Width = 2;
    image.Colors = {White};
    image.ColorsUsed = 1;
    image.Rows = {{0, 0}, {0, 0}};
    image.Mask = {{0, 0}, {0, 0}};
    TBytes icon = Icon({image});
    TBytes cursor = icon;
    cursor[2] = 2;
    EXPECT_THROW(ParseIconInfo(View(cursor), "ICON"), EResourceError);
    TBytes misnamed = icon;
    misnamed[6] = 3; // listed 3 wide, the image is 2 wide
    try {
        ParseIconInfo(View(misnamed), "ICON");
        FAIL() << "a mislisted icon image was read";
    } catch (const EResourceError& e) {
        EXPECT_EQ(e.Message(), "Resource ICON: an icon image of 2 x 2 is listed as 3 x 2");
    }
    TBytes cut(icon.begin(), icon.end() - 1);
    EXPECT_THROW(ParseIconInfo(View(cut), "ICON"), EResourceError);
}

} // namespace fw
