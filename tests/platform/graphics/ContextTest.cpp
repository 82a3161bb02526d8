// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/qt/ImageDC.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(DeviceContexts, EveryCallRejectsANullOrReleasedContext) {
    QImage image(4, 4, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    EXPECT_EQ(&qt::ContextImage(dc), &image);
    qt::ReleaseImageDC(dc);
    for (HDC bad : {HDC{}, dc}) {
        EXPECT_THROW(LineTo(bad, 1, 1), EInvalidGraphicOperation);
        EXPECT_THROW(SetBkColor(bad, clRed), EInvalidGraphicOperation);
        EXPECT_THROW(GetPixel(bad, 0, 0), EInvalidGraphicOperation);
        EXPECT_THROW(SelectObject(bad, GetStockObject(WHITE_PEN)), EInvalidGraphicOperation);
        EXPECT_THROW(qt::ReleaseImageDC(bad), EInvalidGraphicOperation);
    }
    try {
        MoveToEx(nullptr, 0, 0, nullptr);
        FAIL() << "no exception";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_NE(e.Message().find("MoveToEx"), String::npos) << e.Message();
    }
}

TEST(DeviceContexts, StartWithStockObjectsAndDefaults) {
    QImage image(4, 4, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    EXPECT_EQ(GetCurrentPen(dc), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentBrush(dc), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetTextColor(dc), clBlack);
    EXPECT_EQ(GetBkColor(dc), clWhite);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_THROW(SetBkMode(dc, 3), EInvalidGraphicOperation);
    qt::ReleaseImageDC(dc);
}

TEST(DeviceContexts, SelectedObjectsAreNotDeleted) {
    QImage image(4, 4, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    HPEN pen = CreatePen(PS_SOLID, 1, clRed);
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 2, 0);
    EXPECT_EQ(GetPixel(dc, 1, 0), clRed);
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen)) << "already deleted";
    EXPECT_THROW(SelectObject(dc, pen), EInvalidGraphicOperation);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_PEN)));
    EXPECT_NO_THROW(SelectObject(dc, GetStockObject(WHITE_PEN))) << "stock objects stay";

    HBRUSH brush = CreateSolidBrush(clRed);
    SelectObject(dc, brush);
    qt::ReleaseImageDC(dc);
    EXPECT_TRUE(DeleteObject(brush)) << "releasing the context deselects its objects";
    EXPECT_THROW(GetStockObject(9), EInvalidGraphicOperation);
}

TEST(DeviceContexts, ClipRectangleLimitsDrawingAndReading) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    const TRect clip = Rect(2, 2, 6, 5);
    HDC dc = qt::CreateImageDC(image, &clip);
    HBRUSH brush = CreateSolidBrush(clRed);
    FillRect(dc, Rect(0, 0, 10, 10), brush);
    int red = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_EQ(red, 4 * 3);
    EXPECT_EQ(GetPixel(dc, 2, 2), clRed);
    EXPECT_EQ(GetPixel(dc, 1, 2), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 6, 4), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 0, 0, clBlue), CLR_INVALID);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    qt::ReleaseImageDC(dc);
    DeleteObject(brush);
}

TEST(DeviceContexts, FollowTheImageObjectAcrossReassignment) {
    QImage image(4, 4, QImage::Format_RGB32);
    HDC dc = qt::CreateImageDC(image);
    image = QImage(8, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    SetPixel(dc, 7, 7, clWhite);
    EXPECT_EQ(image.pixel(7, 7), qRgb(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 8, 8), CLR_INVALID);
    qt::ReleaseImageDC(dc);
}

// A context keeps its painter between calls; the image may still be copied, reassigned
// and resized in between.
TEST(DeviceContexts, KeepDrawingOnTheImageObjectWhileCopiesStayAsTheyWere) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    HDC dc = qt::CreateImageDC(image);
    HBRUSH red = CreateSolidBrush(clRed);
    FillRect(dc, Rect(0, 0, 1, 1), red);
    const QImage copy = image;
    FillRect(dc, Rect(1, 1, 2, 2), red);
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(copy.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(copy.pixel(0, 0), qRgb(255, 0, 0));

    image = QImage(8, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    FillRect(dc, Rect(6, 6, 8, 8), red);
    EXPECT_EQ(image.pixel(7, 7), qRgb(255, 0, 0));
    image = image.scaled(2, 2);
    FillRect(dc, Rect(0, 0, 8, 8), red);
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    qt::ReleaseImageDC(dc);
    DeleteObject(red);
}

TEST(DeviceContexts, DrawOnImagesOfOtherFormats) {
    QImage image(6, 6, QImage::Format_RGB888);
    image.fill(Qt::white);
    HDC dc = qt::CreateImageDC(image);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    SetROP2(dc, R2_XORPEN);
    MoveToEx(dc, 0, 3, nullptr);
    LineTo(dc, 6, 3);
    EXPECT_EQ(image.pixel(2, 3), qRgb(0, 0, 0));
    qt::ReleaseImageDC(dc);
}

// An image made for a device pixel ratio of 2: the calls address its logical pixels,
// each a block of 2 x 2 device pixels, and copies between such images keep every
// device pixel.
TEST(DeviceContexts, AddressLogicalPixelsOfAnImageAtPixelRatioTwo) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    HDC dc = qt::CreateImageDC(image);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    SetROP2(dc, R2_XORPEN);
    MoveToEx(dc, 1, 1, nullptr);
    LineTo(dc, 5, 1);
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 6; ++y) {
            const bool onLine = x >= 2 && x < 10 && y >= 2 && y < 4;
            EXPECT_EQ(image.pixel(x, y), onLine ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << "device pixel " << x << "," << y;
        }
    EXPECT_EQ(GetPixel(dc, 4, 1), clBlack);
    EXPECT_EQ(GetPixel(dc, 9, 9), clWhite);
    EXPECT_EQ(GetPixel(dc, 10, 9), CLR_INVALID) << "the image is 10 pixels wide";
    EXPECT_EQ(SetPixel(dc, 9, 9, clRed), clRed);
    EXPECT_EQ(image.pixel(19, 18), qRgb(255, 0, 0));

    QImage copy(20, 20, QImage::Format_RGB32);
    copy.setDevicePixelRatio(2);
    copy.fill(Qt::white);
    HDC copyDC = qt::CreateImageDC(copy);
    image.setPixel(3, 3, qRgb(0, 0, 255)); // a detail finer than one logical pixel
    EXPECT_TRUE(BitBlt(copyDC, 0, 0, 5, 5, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(copy.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(copy.pixel(3, 2), qRgb(0, 0, 0));
    EXPECT_EQ(copy.pixel(2, 4), qRgb(255, 255, 255));
    EXPECT_EQ(copy.pixel(10, 10), qRgb(255, 255, 255)) << "nothing beyond the block";
    qt::ReleaseImageDC(copyDC);
    qt::ReleaseImageDC(dc);
}

} // namespace
} // namespace fw
