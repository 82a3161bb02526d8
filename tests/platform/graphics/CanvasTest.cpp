// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/qt/ImageDC.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>

namespace fw {
namespace {

using test::CountPixels;
using test::Prepare;

TEST(Canvas, WithoutAContextCannotDraw) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.Handle(), EInvalidGraphicOperation);
    EXPECT_THROW(canvas.LineTo(1, 1), EInvalidGraphicOperation);
}

TEST(Canvas, SelectsItsFontBrushAndPenWhenHandleIsRead) {
    QImage image(10, 10, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font().SetColor(clBtnShadow);
        canvas.Brush().SetColor(clBtnFace);
        canvas.Pen().SetMode(pmXor);
        EXPECT_EQ(canvas.Handle(), dc);
        EXPECT_EQ(GetTextColor(dc), ColorToRGB(clBtnShadow));
        EXPECT_EQ(GetBkColor(dc), ColorToRGB(clBtnFace));
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetROP2(dc), R2_XORPEN);

        SetTextColor(dc, clRed); // set on the context directly: stays until the font changes
        canvas.Handle();
        EXPECT_EQ(GetTextColor(dc), clRed);
        canvas.Font().SetColor(clBlue);
        canvas.Handle();
        EXPECT_EQ(GetTextColor(dc), clBlue);

        canvas.Brush().SetStyle(bsClear);
        canvas.Handle();
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        canvas.SetHandle(nullptr);
    }
    EXPECT_EQ(GetCurrentPen(dc), GetStockObject(BLACK_PEN)) << "the canvas put back what it found";
    EXPECT_EQ(GetCurrentBrush(dc), GetStockObject(WHITE_BRUSH));
    qt::ReleaseImageDC(dc);
}

TEST(Canvas, OutlivingItsContextIsHarmless) {
    QImage image(10, 10, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    auto canvas = std::make_unique<TCanvas>();
    canvas->SetHandle(dc);
    canvas->FillRect(Rect(0, 0, 2, 2));
    qt::ReleaseImageDC(dc);
    EXPECT_NO_THROW(canvas.reset());
}

TEST(Canvas, PenChangesApplyToTheNextLine) {
    TBitmap bitmap;
    Prepare(bitmap, 20, 5, clWhite);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clRed);
    canvas.MoveTo(0, 1);
    canvas.LineTo(5, 1);
    canvas.Pen().SetColor(clBtnShadow);
    canvas.LineTo(10, 1);
    EXPECT_EQ(CountPixels(bitmap, Rect(0, 1, 5, 2), clRed), 5);
    EXPECT_EQ(CountPixels(bitmap, Rect(5, 1, 10, 2), ColorToRGB(clBtnShadow)), 5);
    EXPECT_EQ(canvas.PenPos(), Point(10, 1));
}

TEST(Canvas, FillRectUsesTheBrushAndTextOutMovesThePen) {
    TBitmap bitmap;
    Prepare(bitmap, 60, 20, clWhite);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clLime);
    canvas.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(CountPixels(bitmap, Rect(0, 0, 60, 20), clLime), 6);
    canvas.Brush().SetStyle(bsClear);
    canvas.FillRect(Rect(0, 0, 60, 20));
    EXPECT_EQ(CountPixels(bitmap, Rect(0, 0, 60, 20), clLime), 6);
    canvas.TextOut(5, 6, "ab");
    EXPECT_EQ(canvas.PenPos(), Point(5 + canvas.TextWidth("ab"), 6));
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_GT(canvas.TextHeight(""), 0);
}

TEST(Bitmap, ResizingKeepsThePixelsThatStay) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), CLR_INVALID);
    Prepare(bitmap, 4, 4, clRed);
    bitmap.SetSize(6, 3);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(4, 0), clWhite);
    bitmap.SetWidth(-5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_NO_THROW(bitmap.Canvas().FillRect(Rect(0, 0, 5, 5)));
}

TEST(Bitmap, SavesPng) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("quire_gfx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    TBitmap bitmap;
    Prepare(bitmap, 5, 4, clTeal);
    bitmap.Canvas().SetPixel(4, 3, clYellow);
    const String file = (dir / "shot.png").string();
    bitmap.SaveToFile(file);
    QImage read(QString::fromStdString(file), "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), QSize(5, 4));
    EXPECT_EQ(read.pixel(4, 3), qRgb(255, 255, 0));
    EXPECT_EQ(read.pixel(0, 0), qRgb(0, 128, 128));
    EXPECT_EQ(&qt::BitmapImage(bitmap), &qt::BitmapImage(bitmap));
    EXPECT_THROW(bitmap.SaveToFile((dir / "missing" / "x.png").string()), EInvalidGraphicOperation);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fw
