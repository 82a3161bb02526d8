// SPDX-License-Identifier: MIT
// The box's look, read in pixels from its window after real paints, and its mouse
// handling driven by simulated input: selecting, dragging the divider, expanding by
// double click. Pictures go to the build folder's screenshots.

#include "BoxFixture.h"

#include "quire/values/PropKinds.h"

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Gdi.h"
#include "platform/qt/WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quire::test {
namespace {

constexpr fw::TColor kBoxColor = fw::RGB(250, 248, 225);
constexpr fw::COLORREF kShadow = fw::RGB(128, 128, 128);
constexpr fw::COLORREF kHighlight = fw::RGB(255, 255, 255);
// The box's window has a two-pixel client edge.
constexpr int32_t kEdge = 2;

// How much darker than the box colour a pixel is, in its darkest channel.
int Darkness(fw::COLORREF aColor) {
    const fw::COLORREF box = fw::ColorToRGB(kBoxColor);
    return std::max({0, fw::GetRValue(box) - fw::GetRValue(aColor),
                     fw::GetGValue(box) - fw::GetGValue(aColor),
                     fw::GetBValue(box) - fw::GetBValue(aColor)});
}

class BoxLook : public BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        Box->SetColor(kBoxColor);
        Props = fw::New<TMultiPropList>();
        AddInts("same", 7, 7);
        TPropList* diff = Props->AddList("diff", TStringProp::StaticClass(), 2);
        diff->GetProp(0)->SetAsVariant(fw::Variant(fw::String("a")));
        diff->GetProp(1)->SetAsVariant(fw::Variant(fw::String("b")));
        TPropList* when = Props->AddList("when", TDateTimeProp::StaticClass(), 2);
        for (int i = 0; i < 2; ++i) {
            when->GetProp(i)->SetAsVariant(fw::Variant::FromDateTime(36526.75));
        }
        AddInts("other", 1, 1);
        ShowForm();
        Box->NewProps(Props.get());
        Box->SetItemIndex(3); // the strip lies on "other", out of the way
        Box->UpdatePropSelection();
        fw::Application->ProcessMessages();
    }
    void AddInts(const std::string& aName, int32_t aFirst, int32_t aSecond) {
        TPropList* list = Props->AddList(aName, TLongintProp::StaticClass(), 2);
        list->GetProp(0)->SetAsVariant(fw::Variant(aFirst));
        list->GetProp(1)->SetAsVariant(fw::Variant(aSecond));
    }
    fw::COLORREF Pixel(int32_t aX, int32_t aY) {
        return fw::WindowPixel(*Box, kEdge + aX, kEdge + aY);
    }
    // The darkest pixel of item aIndex's text band between client columns aFrom and aTo.
    int DarkestIn(int32_t aIndex, int32_t aFrom, int32_t aTo) {
        fw::TRect rect = Box->ItemRect(aIndex);
        int darkest = 0;
        for (int32_t x = aFrom; x < aTo; ++x) {
            for (int32_t y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
                darkest = std::max(darkest, Darkness(Pixel(x, y)));
            }
        }
        return darkest;
    }
    int32_t TextWidth(const std::string& aText) {
        fw::TBitmap bitmap;
        bitmap.SetSize(1, 1);
        bitmap.Canvas().SetFont(*Box->Font());
        return bitmap.Canvas().TextWidth(aText);
    }
    // The name's first column for a row of aLevel.
    int32_t NameStart(int32_t aLevel) { return TextWidth(" +") * (aLevel + 1) + 1; }

    std::unique_ptr<TMultiPropList> Props;
};

TEST_F(BoxLook, ItemsHaveTheirGridLinesAtTheFixedColumns) {
    const int32_t x = Box->FDividerPos;
    for (int32_t item = 0; item < 3; ++item) {
        fw::TRect rect = Box->ItemRect(item);
        const int32_t middle = rect.Top + rect.Height() / 2;
        EXPECT_EQ(Pixel(5, rect.Bottom - 1), kShadow) << item;
        EXPECT_EQ(Pixel(x + 40, rect.Bottom - 1), kShadow) << item;
        EXPECT_EQ(Pixel(x, middle), kShadow) << item;
        EXPECT_EQ(Pixel(x + 1, middle), kHighlight) << item;
        // The highlight covers the separator's pixel.
        EXPECT_EQ(Pixel(x + 1, rect.Bottom - 1), kHighlight) << item;
        EXPECT_EQ(Pixel(x + 2, middle), fw::ColorToRGB(kBoxColor)) << item;
    }
    // Below the last item the client area shows the box colour.
    const int32_t below = Box->ItemRect(Box->Count() - 1).Bottom + 3;
    EXPECT_EQ(Pixel(x, below), fw::ColorToRGB(kBoxColor));
    EXPECT_EQ(Pixel(5, below), fw::ColorToRGB(kBoxColor));
}

TEST_F(BoxLook, NamesGlyphAndValueStartWhereTheLayoutSays) {
    const int32_t name = NameStart(0);
    const int32_t plus = TextWidth("+");
    const int32_t x = Box->FDividerPos;
    // Item 0 ("same"): nothing left of the name, a black name, the value from x + 4.
    EXPECT_EQ(DarkestIn(0, 0, name), 0);
    EXPECT_GT(DarkestIn(0, name, name + 10), 150);
    EXPECT_EQ(DarkestIn(0, x + 2, x + 4), 0);
    EXPECT_GT(DarkestIn(0, x + 4, x + 14), 150);
    // Item 1 ("diff"): the objects disagree: a grey name and no value.
    const int greyName = DarkestIn(1, name, name + 10);
    EXPECT_GT(greyName, 60);
    EXPECT_LE(greyName, 128);
    EXPECT_EQ(DarkestIn(1, x + 2, Box->ClientWidth()), 0);
    // Item 2 ("when"): the "+" glyph in the last indent unit, right against the name.
    EXPECT_GT(DarkestIn(2, name - plus, name), 150);
    EXPECT_EQ(DarkestIn(2, 0, name - plus), 0);
}

TEST_F(BoxLook, ExpandedChildrenAreIndentedOneUnitWithoutGlyph) {
    Box->ExpandItem(2);
    fw::Application->ProcessMessages();
    const int32_t childName = NameStart(1);
    EXPECT_EQ(Box->Items()->Get(3), "Date");
    EXPECT_EQ(DarkestIn(3, 0, childName), 0);
    EXPECT_GT(DarkestIn(3, childName, childName + 10), 150);
    // The parent's glyph is now "-": narrower than "+", no vertical stroke.
    const int32_t name = NameStart(0);
    EXPECT_GT(DarkestIn(2, name - TextWidth("+"), name), 150);
}

TEST_F(BoxLook, AnEmptyBoxShowsOnlyItsColour) {
    Box->NewProps(nullptr);
    fw::Application->ProcessMessages();
    for (int32_t y : {0, 8, 40, 200}) {
        for (int32_t x : {0, Box->FDividerPos, Box->FDividerPos + 1, 250}) {
            EXPECT_EQ(Pixel(x, y), fw::ColorToRGB(kBoxColor)) << x << "," << y;
        }
    }
    EXPECT_FALSE(Box->FSelection->Visible());
}

// --- mouse ---------------------------------------------------------------------------------

TEST_F(BoxLook, APressOnAnItemSelectsItAndMovesTheStripOverIt) {
    Input::Click(*Box, NamePoint(1));
    EXPECT_EQ(Box->ItemIndex(), 1);
    fw::TRect item = Box->ItemRect(1);
    EXPECT_EQ(Box->FSelection->BoundsRect(),
              fw::Rect(item.Left - 1, item.Top - 2, item.Right + 1, item.Bottom));
    EXPECT_EQ(Box->FSelection->FEditInfo, Box->GetEditInfo(1));
    EXPECT_EQ(Box->FMouseDownTime, fw::GetTickCount() - Input::Step());
    // The release gave the edit field the focus.
    EXPECT_TRUE(Box->FSelection->FEdit->Focused());
}

TEST_F(BoxLook, PressesOnTheDividerZoneStartADragAndNeverSelect) {
    const int32_t y = Box->ItemRect(1).Top + 5;
    // A drop snaps the divider to a whole percentage, so each press reads it anew.
    for (int32_t offset : {-1, 3}) {
        const fw::TPoint zone{Box->FDividerPos + offset, y};
        Input::Press(*Box, zone);
        EXPECT_TRUE(Box->FDragging) << offset;
        EXPECT_EQ(Box->ItemIndex(), 3) << offset;
        Input::Release(*Box, zone);
        Input::Pause(1000);
        EXPECT_FALSE(Box->FDragging);
    }
    for (int32_t offset : {-2, 4}) {
        Input::Click(*Box, fw::TPoint{Box->FDividerPos + offset, y});
        EXPECT_FALSE(Box->FDragging) << offset;
        EXPECT_EQ(Box->ItemIndex(), 1) << offset;
        Box->SetItemIndex(3);
        Box->UpdatePropSelection();
    }
    // The right button starts a drag too.
    const fw::TPoint divider{Box->FDividerPos, y};
    Input::Press(*Box, divider, fw::mbRight);
    EXPECT_TRUE(Box->FDragging);
    Input::Release(*Box, divider, fw::mbRight);
    EXPECT_FALSE(Box->FDragging);
}

TEST_F(BoxLook, ADoubleClickOnTheDividerIsADividerPressLikeAnyOther) {
    const fw::TPoint divider{Box->FDividerPos, Box->ItemRect(2).Top + 5};
    Input::Press(*Box, divider);
    Input::Release(*Box, divider);
    Input::Press(*Box, divider); // the second press of a double click
    EXPECT_TRUE(Box->FDragging);
    EXPECT_EQ(Box->ItemIndex(), 3);
    EXPECT_FALSE(Box->GetEditInfo(2)->FExpanded);
    // The drag moves the divider line only: the list does not track the pointer.
    Input::Move(*Box, NamePoint(1));
    EXPECT_EQ(Box->ItemIndex(), 3);
    Input::Release(*Box, NamePoint(1));
    EXPECT_FALSE(Box->FDragging);
    EXPECT_EQ(Box->ItemIndex(), 3);
}

TEST_F(BoxLook, ExpandingOrCollapsingByCodeAboveTheSelectionMovesTheStripWithIt) {
    const auto stripOnSelection = [this] {
        const fw::TRect item = Box->ItemRect(Box->ItemIndex());
        return Box->FSelection->BoundsRect() ==
               fw::Rect(item.Left - 1, item.Top - 2, item.Right + 1, item.Bottom);
    };
    Box->ExpandItem(2);
    EXPECT_EQ(Box->ItemIndex(), 5);
    EXPECT_TRUE(stripOnSelection());
    Box->CollapseItem(2);
    EXPECT_EQ(Box->ItemIndex(), 3);
    EXPECT_TRUE(stripOnSelection());
}

TEST_F(BoxLook, DraggingTheDividerDrawsAnXorLineAndSnapsToAPercentage) {
    Box->SetWidth(200);
    fw::Application->ProcessMessages();
    const int32_t start = Box->FDividerPos; // 100 pixels, 50 %
    const int32_t y = 60;
    const fw::COLORREF under = fw::WindowPixel(*Box, 120, y);
    Input::Press(*Box, fw::TPoint{start, y});
    Input::Move(*Box, fw::TPoint{120, y});
    // The line is drawn at the client x in window coordinates: white XOR the pixel.
    EXPECT_EQ(fw::WindowPixel(*Box, 120, y), under ^ 0xFFFFFF);
    Input::Move(*Box, fw::TPoint{75, y});
    EXPECT_EQ(fw::WindowPixel(*Box, 120, y), under);
    Input::Release(*Box, fw::TPoint{75, y});
    fw::Application->ProcessMessages();
    EXPECT_EQ(Box->GetDividerPos(), 37);
    EXPECT_EQ(Box->FDividerPos, 74);
    EXPECT_EQ(Pixel(74, Box->ItemRect(0).Top + 5), kShadow);
    EXPECT_EQ(Box->FSelection->FNameRect.Right, 75);
    // A drop left of the box gives a negative percentage.
    Input::Pause(1000);
    Input::Drag(*Box, fw::TPoint{74, y}, fw::TPoint{-20, y});
    EXPECT_EQ(Box->GetDividerPos(), -10);
}

TEST_F(BoxLook, DoubleClickOnAnExpandableRowExpandsAndCollapsesIt) {
    Input::DoubleClick(*Box, NamePoint(2));
    EXPECT_EQ(Box->Count(), 6);
    EXPECT_TRUE(Box->GetEditInfo(2)->FExpanded);
    Input::DoubleClick(*Box, NamePoint(2));
    EXPECT_EQ(Box->Count(), 4);
    // A double click on a row without children changes nothing.
    Input::DoubleClick(*Box, NamePoint(0));
    EXPECT_EQ(Box->Count(), 4);
}

TEST_F(BoxLook, ThePressOfAnEmptyBoxGoesToTheForm) {
    Box->NewProps(nullptr);
    Input::Click(*Box, fw::TPoint{30, 30});
    EXPECT_FALSE(Box->Focused());
    Input::DoubleClick(*Box, fw::TPoint{30, 30});
    EXPECT_EQ(Box->Count(), 0);
}

TEST_F(BoxLook, ScrollingCarriesTheStripWithItsRow) {
    for (int i = 0; i < 30; ++i) {
        AddInts("extra" + std::to_string(i), i, i);
    }
    Box->NewProps(Props.get());
    Box->SetItemIndex(5);
    Box->UpdatePropSelection();
    Box->SetTopIndex(3);
    EXPECT_EQ(Box->FSelection->Top(), Box->ItemRect(5).Top - 2);
    Input::Key(*Box->FSelection->FEdit, fw::VK_NEXT);
    EXPECT_GT(Box->ItemIndex(), 5);
    EXPECT_EQ(Box->FSelection->Top(), Box->ItemRect(Box->ItemIndex()).Top - 2);
}

// --- a picture of the box on the sample table ------------------------------------------------

TEST_F(BoxFixture, SampleTablePicture) {
    Form->SetBounds(40, 40, 360, 260);
    Box->SetBounds(8, 8, 340, 240);
    ShowForm();
    ASSERT_TRUE(OpenSample());
    Box->ExpandItem(ItemOf("stamp"));
    Box->SetItemIndex(ItemOf("price"));
    Box->UpdatePropSelection();
    fw::Application->ProcessMessages();
    std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
    const std::string file = std::string(QUIRE_SCREENSHOT_DIR) + "/box-sample.png";
    fw::SaveWindowToPng(*Form, file);
    EXPECT_TRUE(std::filesystem::exists(file));
}

} // namespace
} // namespace quire::test

namespace quire::test {
namespace {

TEST_F(BoxLook, GrowingTheBoxDropsAScrollBarItNoLongerNeeds) {
    Box->SetBounds(10, 10, 200, 40);
    fw::Application->ProcessMessages();
    EXPECT_LT(Box->ClientWidth(), 200 - 2 * kEdge);
    Box->SetBounds(10, 10, 300, 240);
    fw::Application->ProcessMessages();
    EXPECT_EQ(Box->ClientWidth(), 300 - 2 * kEdge);
    EXPECT_EQ(Box->TopIndex(), 0);
}

} // namespace
} // namespace quire::test
