// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

using test::CountPixels;
using test::Prepare;

class Fills : public ::testing::Test {
protected:
    void SetUp() override { Prepare(FBitmap, 20, 20, clWhite); }
    HDC DC() { return FBitmap.Canvas().Handle(); }
    COLORREF At(int32_t aX, int32_t aY) { return FBitmap.Canvas().Pixel(aX, aY); }

    TBitmap FBitmap;
};

TEST_F(Fills, FillRectCoversExactlyItsRectangle) {
    HBRUSH brush = CreateSolidBrush(clGreen);
    FillRect(DC(), Rect(3, 4, 9, 7), brush);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clGreen), 6 * 3);
    EXPECT_EQ(CountPixels(FBitmap, Rect(3, 4, 9, 7), clGreen), 6 * 3);
    FillRect(DC(), Rect(9, 9, 9, 15), brush); // empty: nothing
    FillRect(DC(), Rect(15, 15, 10, 10), brush);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clGreen), 18);
    FillRect(DC(), Rect(0, 0, 20, 20), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clGreen), 18);
    EXPECT_TRUE(DeleteObject(brush));
}

TEST_F(Fills, FillRectTakesSystemColoursThroughColorToRGB) {
    HBRUSH brush = CreateSolidBrush(clBtnFace);
    FillRect(DC(), Rect(0, 0, 2, 2), brush);
    EXPECT_EQ(At(1, 1), RGB(192, 192, 192));
    DeleteObject(brush);
}

TEST_F(Fills, SunkenOuterEdgeIsOnePixelShadowAndHighlight) {
    Prepare(FBitmap, 20, 20, clBlack);
    TRect r = Rect(2, 3, 12, 10);
    DrawEdge(DC(), &r, BDR_SUNKENOUTER, BF_RECT);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    const COLORREF light = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(At(2, 3), shadow);  // top-left corner
    EXPECT_EQ(At(10, 3), shadow); // top edge
    EXPECT_EQ(At(2, 8), shadow);  // left edge
    EXPECT_EQ(At(11, 3), light);  // top-right corner belongs to the right edge
    EXPECT_EQ(At(2, 9), light);   // bottom-left corner belongs to the bottom edge
    EXPECT_EQ(At(11, 9), light);
    EXPECT_EQ(At(3, 4), clBlack);  // inside untouched
    EXPECT_EQ(At(12, 3), clBlack); // outside untouched
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), shadow) +
                  CountPixels(FBitmap, Rect(0, 0, 20, 20), light),
              2 * 10 + 2 * 5);
    EXPECT_EQ(r, Rect(2, 3, 12, 10)); // no BF_ADJUST
    DrawEdge(DC(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, Rect(4, 5, 10, 8));
    EXPECT_EQ(At(5, 6), ColorToRGB(clBtnFace));
}

TEST_F(Fills, RaisedEdgeIsLightOutsideHighlightInsideAndBothRingsShrink) {
    Prepare(FBitmap, 20, 20, clBlack);
    TRect r = Rect(2, 2, 12, 12);
    DrawEdge(DC(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, Rect(4, 4, 10, 10));
    EXPECT_EQ(At(2, 2), GetSysColor(COLOR_3DLIGHT));      // outer ring, top-left
    EXPECT_EQ(At(11, 11), GetSysColor(COLOR_3DDKSHADOW)); // outer ring, bottom-right
    EXPECT_EQ(At(3, 3), GetSysColor(COLOR_BTNHIGHLIGHT)); // inner ring, top-left
    EXPECT_EQ(At(10, 10), GetSysColor(COLOR_BTNSHADOW));  // inner ring, bottom-right
    EXPECT_EQ(At(4, 4), clBlack);
    TRect both = Rect(14, 14, 18, 18);
    DrawEdge(DC(), &both, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    EXPECT_EQ(both, Rect(14, 14, 18, 18)) << "a ring asking for both styles draws nothing";
    EXPECT_EQ(At(14, 14), clBlack);
}

TEST_F(Fills, Frame3DPaintsTopLeftAndBottomRightAndShrinks) {
    Prepare(FBitmap, 20, 20, clBlack);
    TRect r = Rect(1, 1, 9, 6);
    Frame3D(FBitmap.Canvas(), r, clRed, clBlue, 1);
    EXPECT_EQ(r, Rect(2, 2, 8, 5));
    EXPECT_EQ(At(1, 1), clRed);
    EXPECT_EQ(At(7, 1), clRed);
    EXPECT_EQ(At(8, 1), clBlue); // top-right corner
    EXPECT_EQ(At(1, 4), clRed);
    EXPECT_EQ(At(1, 5), clBlue); // bottom-left corner
    EXPECT_EQ(At(8, 5), clBlue);
    EXPECT_EQ(At(9, 5), clBlack);
    EXPECT_EQ(At(2, 2), clBlack);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clRed), 7 + 3);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clBlue), 4 + 8);
}

TEST_F(Fills, BitBltCopiesBlocksAlsoWithinOneContext) {
    TBitmap source;
    Prepare(source, 4, 3, clRed);
    source.Canvas().SetPixel(0, 0, clBlue);
    BitBlt(DC(), 5, 6, 4, 3, source.Canvas().Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(At(5, 6), clBlue);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clRed), 11);
    EXPECT_EQ(At(9, 6), clWhite);

    BitBlt(DC(), 6, 7, 4, 3, DC(), 5, 6, SRCCOPY); // overlapping
    EXPECT_EQ(At(6, 7), clBlue);
    EXPECT_EQ(At(5, 6), clBlue);

    BitBlt(DC(), 0, 0, 20, 20, nullptr, 0, 0, DSTINVERT);
    BitBlt(DC(), 0, 0, 20, 20, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(At(6, 7), clBlue);
    EXPECT_EQ(At(0, 0), clWhite);
    EXPECT_THROW(BitBlt(DC(), 0, 0, 1, 1, DC(), 0, 0, 0x00123456), EInvalidGraphicOperation);
}

TEST_F(Fills, CanvasDrawCopiesAWholeBitmap) {
    TBitmap small;
    Prepare(small, 3, 2, clNavy);
    FBitmap.Canvas().Draw(10, 10, small);
    EXPECT_EQ(CountPixels(FBitmap, Rect(10, 10, 13, 12), clNavy), 6);
    EXPECT_EQ(CountPixels(FBitmap, Rect(0, 0, 20, 20), clNavy), 6);
}

TEST(RectsArithmetic, OffsetInflateIntersect) {
    TRect r = Rect(1, 2, 5, 6);
    OffsetRect(&r, 0, 3);
    EXPECT_EQ(r, Rect(1, 5, 5, 9));
    InflateRect(&r, -1, 2);
    EXPECT_EQ(r, Rect(2, 3, 4, 11));
    TRect common;
    EXPECT_TRUE(IntersectRect(&common, r, Rect(3, 0, 10, 4)));
    EXPECT_EQ(common, Rect(3, 3, 4, 4));
    EXPECT_FALSE(IntersectRect(&common, r, Rect(4, 0, 10, 4)));
    EXPECT_EQ(common, TRect{});
    EXPECT_TRUE(PtInRect(r, Point(2, 3)));
    EXPECT_FALSE(PtInRect(r, Point(4, 3)));
    EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
}

} // namespace
} // namespace fw
