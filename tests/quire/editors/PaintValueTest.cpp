// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "platform/graphics/GuiTestApp.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Gdi.h"

#include <gtest/gtest.h>

namespace quire {
namespace {

using fw::Rect;
using fw::test::CountPixels;
using fw::test::InkBounds;
using fw::test::Prepare;

// A bitmap in red, its canvas with black text on a yellow brush, as a row painter
// prepares it.
class PaintValue : public ::testing::Test {
protected:
    void SetUp() override {
        Clear();
        Canvas().Font().SetColor(fw::clBlack);
        Canvas().Font().SetHeight(-12);
    }
    void Clear() {
        Prepare(FBitmap, 120, 40, fw::clRed);
        Canvas().Brush().SetColor(fw::clYellow);
    }
    fw::TCanvas& Canvas() { return FBitmap.Canvas(); }

    fw::TBitmap FBitmap;
    std::unique_ptr<TPropEditor> FEditor = fw::New<TPropEditor>();
    const fw::TRect FAll = Rect(0, 0, 120, 40);
};

TEST_F(PaintValue, FillsExactlyItsRectangleAndCentresTheText) {
    const fw::TRect r = Rect(10, 5, 90, 31);
    FEditor->PaintValue("Value", &Canvas(), r, {});
    const int32_t black = CountPixels(FBitmap, r, fw::clBlack);
    EXPECT_GT(black, 10);
    EXPECT_EQ(black + CountPixels(FBitmap, r, fw::clYellow), r.Width() * r.Height())
        << "only background and text";
    EXPECT_EQ(CountPixels(FBitmap, FAll, fw::clRed), 120 * 40 - r.Width() * r.Height())
        << "nothing outside";

    const fw::TRect ink = InkBounds(FBitmap, r, fw::clYellow);
    const int32_t cell = Canvas().TextHeight("Value");
    const int32_t cellTop = r.Top + (r.Height() - cell) / 2;
    EXPECT_GE(ink.Top, cellTop);
    EXPECT_LE(ink.Bottom, cellTop + cell);
    EXPECT_GE(ink.Left, r.Left);
    EXPECT_LT(ink.Left, r.Left + 3) << "left-aligned";
}

TEST_F(PaintValue, UsesTheBackgroundColourTheCallerSet) {
    Canvas().Handle();
    fw::SetBkColor(Canvas().Handle(), fw::clAqua);
    const fw::TRect r = Rect(0, 0, 50, 20);
    FEditor->PaintValue("", &Canvas(), r, {fw::odSelected});
    EXPECT_EQ(CountPixels(FBitmap, r, fw::clAqua), 50 * 20);
}

TEST_F(PaintValue, ClipsLongTextToTheRectangle) {
    const fw::TRect r = Rect(20, 10, 40, 20);
    FEditor->PaintValue("A value far too long for its cell", &Canvas(), r, {});
    EXPECT_EQ(CountPixels(FBitmap, FAll, fw::clRed), 120 * 40 - 20 * 10);
    EXPECT_GT(CountPixels(FBitmap, r, fw::clBlack), 0);
}

TEST_F(PaintValue, DrawTextVCenterMovesTheTextDownAndShowsAmpersands) {
    const fw::TRect r = Rect(0, 0, 120, 20);
    DrawTextVCenter(&Canvas(), r, 0, "Xy");
    const fw::TRect plain = InkBounds(FBitmap, FAll, fw::clRed);
    Clear();
    DrawTextVCenter(&Canvas(), r, 4, "Xy");
    const fw::TRect moved = InkBounds(FBitmap, FAll, fw::clRed);
    EXPECT_EQ(moved.Top, plain.Top + 4);
    EXPECT_EQ(moved.Left, plain.Left);

    Clear();
    DrawTextVCenter(&Canvas(), r, 0, "A&B");
    const fw::TRect withAmpersand = InkBounds(FBitmap, FAll, fw::clRed);
    EXPECT_EQ(withAmpersand.Right - withAmpersand.Left, Canvas().TextWidth("A&B"))
        << "the text cell of all three characters";
}

} // namespace
} // namespace quire
