// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/FontEngine.h"
#include "platform/qt/ImageDC.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace fw {
namespace {

using test::CountPixels;
using test::InkBounds;
using test::Prepare;

class Text : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare(FBitmap, 200, 60, clWhite);
        FBitmap.Canvas().Font().SetHeight(-13);
        FBitmap.Canvas().Font().SetColor(clBlack);
    }
    HDC DC() { return FBitmap.Canvas().Handle(); }
    TSize Extent(std::string_view aText) {
        TSize size;
        GetTextExtentPoint32(DC(), aText, &size);
        return size;
    }

    TBitmap FBitmap;
    const TRect FAll = Rect(0, 0, 200, 60);
};

TEST_F(Text, IsDrawnWithoutAntialiasing) {
    SetBkMode(DC(), TRANSPARENT);
    TextOut(DC(), 2, 2, "Quire 123");
    const int32_t black = CountPixels(FBitmap, FAll, clBlack);
    EXPECT_GT(black, 20);
    EXPECT_EQ(black + CountPixels(FBitmap, FAll, clWhite), 200 * 60);
}

TEST_F(Text, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    SetBkColor(DC(), clYellow);
    TextOut(DC(), 10, 5, "Hi");
    const TSize size = Extent("Hi");
    EXPECT_EQ(InkBounds(FBitmap, FAll, clWhite), Rect(10, 5, 10 + size.cx, 5 + size.cy));
    SetBkMode(DC(), TRANSPARENT);
    Prepare(FBitmap, 200, 60, clWhite);
    TextOut(DC(), 10, 5, "Hi");
    EXPECT_EQ(CountPixels(FBitmap, FAll, clYellow), 0);
}

TEST_F(Text, DrawTextCentresVerticallyAndClipsToItsRectangle) {
    SetBkMode(DC(), TRANSPARENT);
    TRect r = Rect(5, 10, 45, 40);
    const String text = "A long line that does not fit";
    const int32_t cell = Extent(text).cy;
    DrawText(DC(), text, &r, DT_SINGLELINE | DT_VCENTER);
    const TRect ink = InkBounds(FBitmap, FAll, clWhite);
    EXPECT_LE(ink.Right, 45) << "clipped at the right edge";
    EXPECT_GT(ink.Right, 40);
    EXPECT_GE(ink.Left, 5);
    const int32_t cellTop = 10 + (30 - cell) / 2;
    EXPECT_GE(ink.Top, cellTop);
    EXPECT_LE(ink.Bottom, cellTop + cell);
    EXPECT_EQ(r, Rect(5, 10, 45, 40)) << "the rectangle is not changed";

    Prepare(FBitmap, 200, 60, clWhite);
    DrawText(DC(), text, &r, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    EXPECT_GT(InkBounds(FBitmap, FAll, clWhite).Right, 60) << "the same text unclipped";

    Prepare(FBitmap, 200, 60, clWhite);
    TRect low = Rect(0, 0, 200, 4); // shorter than the text: clipped top and bottom
    DrawText(DC(), "Xg", &low, DT_SINGLELINE | DT_VCENTER);
    const TRect clipped = InkBounds(FBitmap, FAll, clWhite);
    EXPECT_GE(clipped.Top, 0);
    EXPECT_LE(clipped.Bottom, 4);
}

TEST_F(Text, DrawTextAlignsHorizontally) {
    SetBkMode(DC(), TRANSPARENT);
    const int32_t width = Extent("M").cx;
    TRect r = Rect(0, 0, 100, 30);
    DrawText(DC(), "M", &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const TRect centred = InkBounds(FBitmap, FAll, clWhite);
    EXPECT_GE(centred.Left, (100 - width) / 2);
    EXPECT_LE(centred.Right, (100 - width) / 2 + width);
    Prepare(FBitmap, 200, 60, clWhite);
    DrawText(DC(), "M", &r, DT_SINGLELINE | DT_RIGHT);
    EXPECT_LE(InkBounds(FBitmap, FAll, clWhite).Right, 100);
    EXPECT_GE(InkBounds(FBitmap, FAll, clWhite).Left, 100 - width);
}

TEST_F(Text, DrawTextTreatsAmpersandAsMnemonicUnlessNoPrefix) {
    TRect measured = Rect(0, 0, 0, 0);
    DrawText(DC(), "A&&B", &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.Right, Extent("A&B").cx);
    measured = Rect(0, 0, 0, 0);
    DrawText(DC(), "A&B", &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.Right, Extent("AB").cx);
    measured = Rect(0, 0, 0, 0);
    DrawText(DC(), "A&B", &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(measured.Right, Extent("A&B").cx);
    EXPECT_EQ(measured.Bottom, Extent("A&B").cy);
}

TEST_F(Text, MultiLineDrawTextStacksLines) {
    TRect measured = Rect(0, 0, 0, 0);
    const int32_t height = DrawText(DC(), "one\ntwo\r\nthree", &measured, DT_CALCRECT);
    EXPECT_EQ(height, 3 * Extent("x").cy);
    EXPECT_EQ(measured.Right, Extent("three").cx);
}

TEST_F(Text, ExtTextOutOpaqueFillsExactlyTheRectangle) {
    SetBkColor(DC(), clAqua);
    const TRect r = Rect(4, 6, 30, 17);
    ExtTextOut(DC(), r.Left, r.Top, ETO_OPAQUE, &r, "");
    EXPECT_EQ(InkBounds(FBitmap, FAll, clWhite), r);
    EXPECT_EQ(CountPixels(FBitmap, FAll, clAqua), r.Width() * r.Height());
    EXPECT_THROW(ExtTextOut(DC(), 0, 0, ETO_OPAQUE, nullptr, "x"), EInvalidGraphicOperation);

    Prepare(FBitmap, 200, 60, clWhite);
    SetBkMode(DC(), TRANSPARENT);
    const TRect narrow = Rect(0, 0, 5, 30);
    ExtTextOut(DC(), 0, 0, ETO_CLIPPED, &narrow, "WWWW");
    EXPECT_LE(InkBounds(FBitmap, FAll, clWhite).Right, 5);
}

TEST_F(Text, UnknownFacesFallBackToDejaVuSans) {
    const String sample = "The quick brown fox";
    FBitmap.Canvas().Font().SetName("DejaVu Sans");
    const TSize dejaVu = FBitmap.Canvas().TextExtent(sample);
    FBitmap.Canvas().Font().SetName("No Such Face 4711");
    EXPECT_EQ(FBitmap.Canvas().TextExtent(sample), dejaVu);
    FBitmap.Canvas().Font().SetName("DejaVu Sans Mono");
    EXPECT_NE(FBitmap.Canvas().TextWidth(sample), dejaVu.cx);
}

TEST_F(Text, PositiveHeightIsTheCellHeight) {
    for (int32_t height : {9, 12, 16, 24}) {
        FBitmap.Canvas().Font().SetHeight(height);
        const int32_t cell = FBitmap.Canvas().TextHeight("Xg");
        EXPECT_LE(cell, height);
        EXPECT_GE(cell, height - 1);
    }
    FBitmap.Canvas().Font().SetHeight(-20);
    EXPECT_GT(FBitmap.Canvas().TextHeight("Xg"), 20);
    FBitmap.Canvas().Font().SetSize(8);
    EXPECT_EQ(FBitmap.Canvas().Font().Height(), -11);
    EXPECT_EQ(FBitmap.Canvas().Font().Size(), 8);
}

TEST_F(Text, SymbolFacesDrawTheirUnicodeEquivalents) {
    SetBkMode(DC(), TRANSPARENT);
    FBitmap.Canvas().Font().SetName("Marlett");
    FBitmap.Canvas().Font().SetHeight(12);
    TextOut(DC(), 0, 0, "6");
    const TRect arrow = InkBounds(FBitmap, Rect(0, 0, 20, 20), clWhite);
    ASSERT_FALSE(IsRectEmpty(arrow));
    // A downward triangle: its top row is wider than its bottom row.
    const int32_t topRow =
        CountPixels(FBitmap, Rect(arrow.Left, arrow.Top, arrow.Right, arrow.Top + 1), clBlack);
    const int32_t bottomRow = CountPixels(
        FBitmap, Rect(arrow.Left, arrow.Bottom - 1, arrow.Right, arrow.Bottom), clBlack);
    EXPECT_GT(topRow, bottomRow);

    FBitmap.Canvas().Font().SetName("Wingdings");
    FBitmap.Canvas().Font().SetHeight(9);
    const String dots(3, '\x9F');
    const int32_t width = FBitmap.Canvas().TextWidth(dots);
    EXPECT_EQ(width, 3 * FBitmap.Canvas().TextWidth(String(1, '\x9F')));
    TextOut(DC(), 50, 0, dots);
    // Three separate dots: three runs of ink along the middle of their ink box.
    const TRect ink = InkBounds(FBitmap, Rect(50, 0, 50 + width, 20), clWhite);
    const int32_t middle = (ink.Top + ink.Bottom) / 2;
    int32_t runs = 0;
    bool inRun = false;
    for (int32_t x = ink.Left; x < ink.Right; ++x) {
        const bool on = FBitmap.Canvas().Pixel(x, middle) == clBlack;
        runs += on && !inRun ? 1 : 0;
        inRun = on;
    }
    EXPECT_EQ(runs, 3);
}

// The calls keep strings laid out from one drawing to the next; what they draw must
// stay what the painter's own text path draws in the same font, glyph for glyph.
TEST_F(Text, LaidOutStringsLookExactlyLikeThePaintersOwnText) {
    const char* samples[] = {"Quire 123",         "Сумма, руб.", "  two  spaces ",
                             "Wolf ffi fl AV Ty", "x & y",       "A\u0301e\u0308",
                             "abc αβγ 中文 عربي", "1.234,56"};
    const TFontStyles bold{fsBold};
    const TFontStyles italic{fsItalic};
    for (const char* face : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"})
        for (int32_t height : {-11, -13, 16})
            for (TFontStyles style : {TFontStyles{}, bold, italic})
                for (const char* sample : samples) {
                    Prepare(FBitmap, 200, 60, clWhite);
                    FBitmap.Canvas().Font().SetName(face);
                    FBitmap.Canvas().Font().SetHeight(height);
                    FBitmap.Canvas().Font().SetStyle(style);
                    SetBkMode(DC(), TRANSPARENT);
                    TextOut(DC(), 3, 5, sample);
                    TextOut(DC(), 3, 30, sample); // the second time from the kept layout

                    const TResolvedFont& font = GetCurrentFont(DC())->Resolved();
                    QImage expected(200, 60, QImage::Format_RGB32);
                    expected.fill(Qt::white);
                    QPainter painter(&expected);
                    painter.setFont(font.Font);
                    painter.setPen(Qt::black);
                    for (int y : {5, 30})
                        painter.drawText(QPoint(3, y + font.Metrics.ascent()),
                                         QString::fromUtf8(sample));
                    painter.end();
                    ASSERT_EQ(qt::BitmapImage(FBitmap), expected)
                        << face << " " << height << " \"" << sample << "\"";
                }
}

} // namespace
} // namespace fw
