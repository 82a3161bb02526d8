// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/qt/ImageDC.h"

#include <gtest/gtest.h>

#include <vector>

namespace fw {
namespace {

using test::CountPixels;
using test::Prepare;

class Lines : public ::testing::Test {
protected:
    void SetUp() override { Prepare(FBitmap, 20, 20, clWhite); }
    HDC DC() { return FBitmap.Canvas().Handle(); }
    COLORREF At(int32_t aX, int32_t aY) { return FBitmap.Canvas().Pixel(aX, aY); }
    void Line(int32_t aX0, int32_t aY0, int32_t aX1, int32_t aY1) {
        MoveToEx(DC(), aX0, aY0, nullptr);
        LineTo(DC(), aX1, aY1);
    }
    std::vector<COLORREF> Snapshot() {
        std::vector<COLORREF> pixels;
        for (int32_t y = 0; y < FBitmap.Height(); ++y)
            for (int32_t x = 0; x < FBitmap.Width(); ++x)
                pixels.push_back(At(x, y));
        return pixels;
    }

    TBitmap FBitmap;
};

TEST_F(Lines, LeaveOutTheirLastPixelInEveryDirection) {
    Line(2, 5, 10, 5);
    for (int32_t x = 2; x < 10; ++x)
        EXPECT_EQ(At(x, 5), clBlack) << x;
    EXPECT_EQ(At(10, 5), clWhite);
    EXPECT_EQ(At(1, 5), clWhite);

    Line(15, 10, 15, 2); // upward
    EXPECT_EQ(At(15, 10), clBlack);
    EXPECT_EQ(At(15, 3), clBlack);
    EXPECT_EQ(At(15, 2), clWhite);

    Line(0, 12, 5, 17); // diagonal
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(At(i, 12 + i), clBlack) << i;
    EXPECT_EQ(At(5, 17), clWhite);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clBlack), 8 + 8 + 5);
}

TEST_F(Lines, SetTheCurrentPositionToTheirEnd) {
    Line(1, 1, 6, 1);
    LineTo(DC(), 6, 6);
    EXPECT_EQ(GetCurrentPosition(DC()), Point(6, 6));
    EXPECT_EQ(At(6, 1), clBlack); // the corner, drawn by the second segment
    EXPECT_EQ(At(6, 6), clWhite);
    TPoint old;
    MoveToEx(DC(), 3, 4, &old);
    EXPECT_EQ(old, Point(6, 6));
}

TEST_F(Lines, XorPenDrawnTwiceRestoresEveryPixel) {
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x)
            SetPixel(DC(), x, y,
                     RGB(static_cast<uint8_t>(x * 13), static_cast<uint8_t>(y * 11), 77));
    const std::vector<COLORREF> before = Snapshot();

    SelectObject(DC(), GetStockObject(WHITE_PEN));
    EXPECT_EQ(SetROP2(DC(), R2_XORPEN), R2_COPYPEN);
    Line(7, 0, 7, 20);
    EXPECT_EQ(At(7, 3), RGB(255 - 7 * 13, 255 - 3 * 11, 255 - 77));
    EXPECT_EQ(At(8, 3), before[3 * 20 + 8]);
    Line(7, 0, 7, 20);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Lines, XorPolylineTouchesEachCornerOnce) {
    SelectObject(DC(), GetStockObject(WHITE_PEN));
    SetROP2(DC(), R2_XORPEN);
    Prepare(FBitmap, 20, 20, clBlack);
    Line(2, 2, 8, 2);
    LineTo(DC(), 8, 8);
    LineTo(DC(), 2, 8);
    EXPECT_EQ(At(8, 2), clWhite);
    EXPECT_EQ(At(8, 8), clWhite);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clWhite), 18);
}

TEST_F(Lines, RasterOperationsCombinePenAndDestination) {
    Prepare(FBitmap, 20, 20, RGB(0x0F, 0xF0, 0x33));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0x00, 0x11));
    HGDIOBJ old = SelectObject(DC(), pen);
    const struct {
        int32_t Rop;
        COLORREF Expected;
    } cases[] = {
        {R2_BLACK, RGB(0, 0, 0)},
        {R2_WHITE, RGB(255, 255, 255)},
        {R2_NOT, RGB(0xF0, 0x0F, 0xCC)},
        {R2_NOP, RGB(0x0F, 0xF0, 0x33)},
        {R2_MERGEPEN, RGB(0xFF, 0xF0, 0x33)},
        {R2_MASKPEN, RGB(0x0F, 0x00, 0x11)},
        {R2_NOTCOPYPEN, RGB(0x00, 0xFF, 0xEE)},
        {R2_NOTXORPEN, RGB(0x0F, 0x0F, 0xDD)},
    };
    int32_t row = 0;
    for (const auto& c : cases) {
        SetROP2(DC(), c.Rop);
        Line(0, row, 5, row);
        EXPECT_EQ(At(2, row), c.Expected) << "rop " << c.Rop;
        ++row;
    }
    EXPECT_THROW(SetROP2(DC(), 0), EInvalidGraphicOperation);
    EXPECT_THROW(SetROP2(DC(), 17), EInvalidGraphicOperation);
    SelectObject(DC(), old);
    EXPECT_TRUE(DeleteObject(pen));
}

TEST_F(Lines, PenStylesAndWidths) {
    HPEN wide = CreatePen(PS_SOLID, 3, clRed);
    HGDIOBJ old = SelectObject(DC(), wide);
    Line(5, 10, 15, 10);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clRed), 12 * 3);
    EXPECT_EQ(At(5, 9), clRed);
    EXPECT_EQ(At(5, 11), clRed);
    EXPECT_EQ(At(5, 12), clWhite);

    HPEN dotted = CreatePen(PS_DOT, 1, clBlue);
    SelectObject(DC(), dotted);
    Line(0, 2, 12, 2);
    const COLORREF expected[] = {clBlue, clBlue, clBlue, clWhite, clWhite, clWhite, clBlue};
    for (int32_t x = 0; x < 7; ++x)
        EXPECT_EQ(At(x, 2), expected[x]) << x;

    SelectObject(DC(), GetStockObject(NULL_PEN));
    Line(0, 0, 19, 0);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 1), clWhite), 20);
    SelectObject(DC(), old);
    EXPECT_TRUE(DeleteObject(wide));
    EXPECT_TRUE(DeleteObject(dotted));
}

TEST(LinesOnImages, FollowTheContextOriginAndClip) {
    QImage image(30, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const TRect clip = Rect(0, 0, 10, 10);
    HDC dc = qt::CreateImageDC(image, &clip, Point(5, 5));
    MoveToEx(dc, -3, 2, nullptr);
    LineTo(dc, 20, 2);
    qt::ReleaseImageDC(dc);
    for (int x = 0; x < 30; ++x) {
        const bool inside = x >= 5 && x < 15;
        EXPECT_EQ(image.pixel(x, 7), inside ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x;
    }
}

} // namespace
} // namespace fw
