// SPDX-License-Identifier: MIT
// Painting through the backing image: WM_PAINT with the update rectangle,
// invalidation without erasing, XOR drawing outside WM_PAINT, borders, pictures.

#include "platform/controls/CustomControl.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/WinApi.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fw {
namespace {

// Fills its whole client area with FillColor on every paint and records what
// each paint was asked to cover.
class TPainted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor FillColor = clRed;
    std::vector<TRect> Updates;
    int32_t Erases = 0;

    void Dispatch(TMessage& aMessage) override {
        if (aMessage.Msg == WM_ERASEBKGND) {
            ++Erases;
        }
        if (aMessage.Msg == WM_PAINT) {
            TPaintStruct paint;
            HDC dc = BeginPaint(Handle(), paint);
            Updates.push_back(paint.rcPaint);
            HBRUSH brush = CreateSolidBrush(ColorToRGB(FillColor));
            FillRect(dc, ClientRect(), brush);
            DeleteObject(brush);
            EndPaint(Handle(), paint);
            return;
        }
        TCustomControl::Dispatch(aMessage);
    }
};

class Painting : public testing::FormFixture {};

TEST_F(Painting, FirstPaintCoversTheClientAreaAndIsShown) {
    auto* control = AddControl<TPainted>(10, 10, 60, 40);
    ShowForm();
    ASSERT_FALSE(control->Updates.empty());
    EXPECT_EQ(control->Updates.front(), Rect(0, 0, 60, 40));
    EXPECT_EQ(WindowPixel(*control, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(*control, 59, 39), RGB(255, 0, 0));
    TBitmap picture;
    CaptureWindow(*Form, picture);
    EXPECT_EQ(picture.Canvas().Pixel(10 + 30, 10 + 20), RGB(255, 0, 0));
}

TEST_F(Painting, ControlWithoutParentPaintsIntoItsHiddenWindow) {
    auto control = New<TPainted>(nullptr);
    control->SetBounds(0, 0, 30, 20);
    control->FillColor = clBlue;
    control->HandleNeeded();
    EXPECT_FALSE(control->Showing());
    EXPECT_EQ(WindowPixel(*control, 29, 19), RGB(0, 0, 255));
    control->FillColor = clLime;
    control->Invalidate();
    TBitmap picture;
    CaptureWindow(*control, picture);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_EQ(picture.Canvas().Pixel(15, 10), RGB(0, 255, 0));
}

TEST_F(Painting, InvalidateRectRepaintsOnlyThatRectangleAndErasesOnlyWhenAsked) {
    auto* control = AddControl<TPainted>(10, 10, 60, 40);
    ShowForm();
    control->Updates.clear();
    control->Erases = 0;
    control->FillColor = clBlue;
    TRect part = Rect(5, 6, 20, 16);
    InvalidateRect(control->Handle(), &part, false);
    control->Update();
    ASSERT_EQ(control->Updates.size(), 1u);
    EXPECT_EQ(control->Updates[0], part);
    EXPECT_EQ(control->Erases, 0);
    // The paint context is clipped to the update rectangle.
    EXPECT_EQ(WindowPixel(*control, 5, 6), RGB(0, 0, 255));
    EXPECT_EQ(WindowPixel(*control, 19, 15), RGB(0, 0, 255));
    EXPECT_EQ(WindowPixel(*control, 20, 16), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(*control, 4, 6), RGB(255, 0, 0));

    InvalidateRect(control->Handle(), &part, true);
    control->Update();
    EXPECT_EQ(control->Erases, 1);
}

TEST_F(Painting, XorLineThroughWindowDCDrawnTwiceRestoresThePixels) {
    auto* control = AddControl<TPainted>(10, 10, 60, 40);
    ShowForm();
    control->Updates.clear();
    auto drawLine = [&] {
        HDC dc = GetWindowDC(control->Handle());
        SelectObject(dc, GetStockObject(WHITE_PEN));
        SetROP2(dc, R2_XORPEN);
        MoveToEx(dc, 25, 0, nullptr);
        LineTo(dc, 25, control->Height());
        ReleaseDC(control->Handle(), dc);
    };
    drawLine();
    EXPECT_EQ(WindowPixel(*control, 25, 0), RGB(0, 255, 255));
    EXPECT_EQ(WindowPixel(*control, 25, 39), RGB(0, 255, 255));
    EXPECT_EQ(WindowPixel(*control, 24, 10), RGB(255, 0, 0));
    Application->ProcessMessages();
    // Showing the line asked the control for nothing.
    EXPECT_TRUE(control->Updates.empty());
    drawLine();
    EXPECT_EQ(WindowPixel(*control, 25, 0), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(*control, 25, 39), RGB(255, 0, 0));
}

TEST_F(Painting, CanvasOutsidePaintDrawsOnTheWindowAtOnce) {
    auto* control = AddControl<TPainted>(10, 10, 60, 40);
    ShowForm();
    control->Updates.clear();
    control->Canvas()->Brush().SetColor(clLime);
    control->Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(WindowPixel(*control, 9, 9), RGB(0, 255, 0));
    FreeDeviceContexts();
    EXPECT_FALSE(control->Canvas()->HandleAllocated());
    EXPECT_TRUE(control->Updates.empty());
}

TEST_F(Painting, WindowPictureIsSavedAsPng) {
    AddControl<TPainted>(10, 10, 60, 40);
    ShowForm();
    std::filesystem::path file =
        std::filesystem::temp_directory_path() / "quire-controls-window.png";
    SaveWindowToPng(*Form, file.string());
    std::ifstream png(file, std::ios::binary);
    char header[24] = {};
    png.read(header, sizeof header);
    ASSERT_TRUE(png.good());
    EXPECT_EQ(std::string(header + 1, 3), "PNG");
    auto bigEndian = [&](int aOffset) {
        auto byte = [&](int i) {
            return static_cast<uint32_t>(static_cast<unsigned char>(header[i]));
        };
        return (byte(aOffset) << 24) | (byte(aOffset + 1) << 16) | (byte(aOffset + 2) << 8) |
               byte(aOffset + 3);
    };
    EXPECT_EQ(bigEndian(16), 400u);
    EXPECT_EQ(bigEndian(20), 300u);
    std::filesystem::remove(file);
    EXPECT_THROW(SaveWindowToPng(*Form, "/nonexistent-folder/x.png"), Exception);
}

TEST_F(Painting, ScreenContextMeasuresText) {
    HDC screen = GetDC(nullptr);
    TSize size;
    ASSERT_TRUE(GetTextExtentPoint32(screen, "Wide enough", &size));
    EXPECT_GT(size.cx, 40);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST_F(Painting, PaintCallsRaiseForWindowsWithoutImage) {
    TPaintStruct paint;
    EXPECT_THROW(BeginPaint(nullptr, paint), EInvalidGraphicOperation);
    EXPECT_THROW(GetWindowDC(nullptr), EInvalidGraphicOperation);
}

} // namespace
} // namespace fw
