// SPDX-License-Identifier: MIT
// The strip's button: its looks, the click latch and the hover timer, driven by
// simulated input; timer ticks are delivered by the test.

#include "quire/inplace/PropButton.h"

#include "platform/controls/FormFixture.h"
#include "platform/graphics/Color.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace quire {
namespace {

class PropButton : public fw::testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        FButton = AddControl<TPropButton>(100, 50, 20, 18);
        FButton->OnClick = [this](fw::TObject*) { ++FClicks; };
        ShowForm();
    }
    // One tick of the hover timer, as the event loop would deliver it.
    void Tick() {
        fw::TMessage message{fw::WM_TIMER, 0, 0, 0};
        FButton->Timer()->WndProc(message);
    }
    fw::COLORREF Pixel(int32_t aX, int32_t aY) { return fw::WindowPixel(*FButton, aX, aY); }
    // The bounding box of the glyph's ink (dark pixels) inside the frame.
    fw::TRect Ink() {
        fw::TRect ink{100, 100, -1, -1};
        for (int32_t y = 1; y < 17; ++y)
            for (int32_t x = 1; x < 19; ++x)
                if ((Pixel(x, y) & 0xFF) < 0x80) {
                    ink = fw::Rect(std::min(ink.Left, x), std::min(ink.Top, y),
                                   std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1));
                }
        return ink;
    }

    TPropButton* FButton = nullptr;
    int FClicks = 0;
    const fw::COLORREF FFace = fw::ColorToRGB(fw::clBtnFace);
    const fw::COLORREF FLight = fw::ColorToRGB(fw::clBtnHighlight);
    const fw::COLORREF FShadow = fw::ColorToRGB(fw::clBtnShadow);
};

TEST_F(PropButton, PressAndReleaseInsideClickOnce) {
    EXPECT_EQ(FButton->State(), pbsNormal);
    EXPECT_FALSE(FButton->Timer()->Enabled());
    Input::Press(*FButton, {8, 8});
    EXPECT_EQ(FButton->State(), pbsPressed);
    EXPECT_TRUE(FButton->MouseCapture());
    EXPECT_EQ(FClicks, 0);
    Input::Release(*FButton, {8, 8});
    EXPECT_EQ(FClicks, 1);
    EXPECT_FALSE(FButton->MouseCapture());
    EXPECT_EQ(FButton->State(), pbsHighlight);
    EXPECT_TRUE(FButton->Timer()->Enabled());
    // Only the left button presses it.
    Tick();
    Input::Press(*FButton, {8, 8}, fw::mbRight);
    Input::Release(*FButton, {8, 8}, fw::mbRight);
    EXPECT_EQ(FButton->State(), pbsHighlight);
    EXPECT_EQ(FClicks, 1);
}

TEST_F(PropButton, AClickHandlerThatRaisesLeavesTheButtonAsAClickDoes) {
    FButton->OnClick = [this](fw::TObject*) {
        ++FClicks;
        throw fw::Exception("the data set is read-only");
    };
    Input::Click(*FButton, {8, 8}); // the platform reports the error
    EXPECT_EQ(fw::Application->LastExceptionMessage(), "the data set is read-only");
    EXPECT_EQ(FButton->State(), pbsHighlight);
    EXPECT_FALSE(FButton->MouseCapture());
    Tick();
    Input::Click(*FButton, {8, 8});
    EXPECT_EQ(FClicks, 2);
}

TEST_F(PropButton, ASecondClickBeforeATickIsNoClick) {
    Input::Click(*FButton, {8, 8});
    Input::Click(*FButton, {8, 8});
    EXPECT_EQ(FClicks, 1);
    EXPECT_TRUE(FButton->Clicked());
    Tick();
    EXPECT_FALSE(FButton->Clicked());
    EXPECT_EQ(FButton->State(), pbsHighlight) << "the pointer is still over it";
    EXPECT_TRUE(FButton->Timer()->Enabled());
    // A quick double click: one click.
    Input::DoubleClick(*FButton, {8, 8});
    EXPECT_EQ(FClicks, 2);
}

TEST_F(PropButton, PressMoveOffAndReleaseIsNoClickAndATickFlattensIt) {
    Input::Press(*FButton, {8, 8});
    Input::Move(*FButton, {40, 8});
    EXPECT_EQ(FButton->State(), pbsHighlight);
    Input::Move(*FButton, {10, 8});
    EXPECT_EQ(FButton->State(), pbsPressed);
    Input::Move(*FButton, {40, 30});
    Input::Release(*FButton, {40, 30});
    EXPECT_EQ(FClicks, 0);
    EXPECT_EQ(FButton->State(), pbsHighlight);
    EXPECT_EQ(Pixel(0, 0), FLight);
    Tick();
    EXPECT_EQ(FButton->State(), pbsNormal);
    EXPECT_FALSE(FButton->Timer()->Enabled());
    EXPECT_EQ(Pixel(0, 0), FFace);
}

TEST_F(PropButton, HoverRaisesItUntilATickFindsThePointerGone) {
    Input::Move(*FButton, {5, 5});
    EXPECT_EQ(FButton->State(), pbsHighlight);
    EXPECT_TRUE(FButton->Timer()->Enabled());
    Tick();
    EXPECT_EQ(FButton->State(), pbsHighlight);
    Input::Move(*Form, {10, 10});
    EXPECT_EQ(FButton->State(), pbsHighlight) << "the button hears no move off it";
    Tick();
    EXPECT_EQ(FButton->State(), pbsNormal);
}

TEST_F(PropButton, FramesShowTheStateAndThePressedGlyphMovesByOnePixel) {
    EXPECT_EQ(Pixel(0, 0), FFace);
    EXPECT_EQ(Pixel(19, 17), FFace);
    const fw::TRect flat = Ink();
    EXPECT_LT(flat.Left, flat.Right) << "the glyph is drawn";
    FButton->SetState(pbsHighlight);
    EXPECT_EQ(Pixel(0, 0), FLight);
    EXPECT_EQ(Pixel(19, 17), FShadow);
    FButton->SetState(pbsPressed);
    EXPECT_EQ(Pixel(0, 0), FShadow);
    EXPECT_EQ(Pixel(19, 17), FLight);
    const fw::TRect pressed = Ink();
    EXPECT_EQ(pressed.Left, flat.Left + 1);
    EXPECT_EQ(pressed.Top, flat.Top + 1);
}

TEST_F(PropButton, TheTypeChoosesTheGlyphAndItsWidth) {
    const int32_t ellipsis = FButton->CalcWidth();
    const fw::TRect dots = Ink();
    FButton->SetButtonType(pbtLookup);
    const int32_t arrow = FButton->CalcWidth();
    const fw::TRect triangle = Ink();
    EXPECT_GT(arrow, 0);
    EXPECT_GT(ellipsis, arrow) << "three dots are wider than one arrow";
    EXPECT_LE(dots.Width(), ellipsis);
    EXPECT_LE(triangle.Width(), arrow);
    EXPECT_GT(triangle.Height(), dots.Height()) << "the arrow is taller than the dots";
}

} // namespace
} // namespace quire
