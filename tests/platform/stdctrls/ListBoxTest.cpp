// SPDX-License-Identifier: MIT
// The list box: owner drawing through CN_DRAWITEM, selection by mouse and keys,
// tracking a held button, capture, scrolling, its border and its string search.

#include "platform/stdctrls/ListBox.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/graphics/Gdi.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/Edit.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

using Strings = std::vector<String>;

constexpr TColor kItemColor = RGB(200, 220, 240);
constexpr TColor kSelectedColor = RGB(10, 120, 30);

class OwnerDrawnList : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        List = AddControl<TRecording<TListBox>>(10, 10, 120, 84);
        List->Filter = [](uint32_t aMsg) { return aMsg == CN_DRAWITEM; };
        List->SetStyle(lbOwnerDrawFixed);
        List->SetItemHeight(20);
        for (int i = 0; i < 10; ++i) {
            List->Items()->AddObject("item " + std::to_string(i), i * 10);
        }
        List->OnDrawItem = [this](TWinControl* aControl, int32_t aIndex, const TRect& aRect,
                                  TOwnerDrawState aState) {
            EXPECT_EQ(aControl, List);
            Drawn.push_back(aIndex);
            TCanvas& canvas = *List->Canvas();
            canvas.Brush().SetColor(aState.Contains(odSelected) ? kSelectedColor : kItemColor);
            canvas.FillRect(aRect);
        };
        List->OnClick = [this](TObject*) { Clicks.push_back(List->ItemIndex()); };
    }
    // The middle of item aIndex's rectangle.
    TPoint ItemPoint(int32_t aIndex) {
        TRect rect = List->ItemRect(aIndex);
        return TPoint{rect.Left + 10, rect.Top + rect.Height() / 2};
    }

    TRecording<TListBox>* List = nullptr;
    std::vector<int32_t> Drawn;
    std::vector<int32_t> Clicks;
};

TEST_F(OwnerDrawnList, PaintsVisibleItemsThroughDrawItemRequests) {
    ShowForm();
    // 80 client pixels hold four items of 20: only those are drawn.
    EXPECT_EQ(List->ClientHeight(), 80);
    EXPECT_EQ(Drawn, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(List->Log.Entries().size(), 4u);
    EXPECT_EQ(List->ItemRect(1), Rect(0, 20, List->ClientWidth(), 40));
    // Client (5, 25) lies in item 1; the window has a 2-pixel edge.
    EXPECT_EQ(WindowPixel(*List, 2 + 5, 2 + 25), kItemColor);
    // Items do not fit: the scroll bar takes its place at the right.
    EXPECT_LT(List->ClientWidth(), 116);
}

TEST_F(OwnerDrawnList, SelectsByMouseAndRepaintsTheSelection) {
    ShowForm();
    Input::Click(*List, ItemPoint(2));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Clicks, std::vector<int32_t>{2});
    EXPECT_TRUE(List->Focused());
    Application->ProcessMessages();
    EXPECT_EQ(WindowPixel(*List, 2 + 5, 2 + 45), kSelectedColor);
    // A press on the selected item changes nothing.
    Input::Click(*List, ItemPoint(2));
    EXPECT_EQ(Clicks, std::vector<int32_t>{2});
    EXPECT_EQ(List->Items()->GetObject(List->ItemIndex()).Integer(), 20);
}

TEST_F(OwnerDrawnList, SelectsByKeysAndScrollsToTheSelection) {
    ShowForm();
    Input::Key(*List, VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 0);
    Input::Key(*List, VK_DOWN);
    Input::Key(*List, VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 2);
    Input::Key(*List, VK_NEXT);
    EXPECT_EQ(List->ItemIndex(), 5);
    EXPECT_EQ(List->TopIndex(), 2);
    Input::Key(*List, VK_END);
    EXPECT_EQ(List->ItemIndex(), 9);
    EXPECT_EQ(List->TopIndex(), 6);
    Input::Key(*List, VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), 9);
    Input::Key(*List, VK_PRIOR);
    EXPECT_EQ(List->ItemIndex(), 6);
    Input::Key(*List, VK_HOME);
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->TopIndex(), 0);
    EXPECT_EQ(Clicks, (std::vector<int32_t>{0, 1, 2, 5, 9, 6, 0}));
}

TEST_F(OwnerDrawnList, KeyDownHandlerThatTakesTheKeyStopsTheNavigation) {
    ShowForm();
    List->OnKeyDown = [](TObject*, uint16_t& aKey, TShiftState) {
        if (aKey == VK_DOWN) {
            aKey = 0;
        }
    };
    Input::Key(*List, VK_DOWN);
    EXPECT_EQ(List->ItemIndex(), -1);
    Input::Key(*List, VK_END);
    EXPECT_EQ(List->ItemIndex(), 9);
}

TEST_F(OwnerDrawnList, SelectionTracksAHeldButton) {
    ShowForm();
    Input::Press(*List, ItemPoint(0));
    Input::Move(*List, ItemPoint(1));
    Input::Move(*List, ItemPoint(3));
    Input::Release(*List, ItemPoint(3));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(Clicks, (std::vector<int32_t>{0, 1, 3}));
    // Without the button, moves select nothing.
    Input::Move(*List, ItemPoint(1));
    EXPECT_EQ(List->ItemIndex(), 3);
}

TEST_F(OwnerDrawnList, CapturesTheMouseOnlyWithCaptureStyle) {
    ShowForm();
    bool capturedOnPress = true;
    List->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        capturedOnPress = List->MouseCapture();
    };
    Input::Press(*List, ItemPoint(1));
    EXPECT_FALSE(capturedOnPress);
    Input::Release(*List, ItemPoint(1));
    List->SetControlStyle(List->ControlStyle() + TControlStyle{csCaptureMouse});
    Input::Pause(1000);
    Input::Press(*List, ItemPoint(2));
    EXPECT_TRUE(capturedOnPress);
    // Dragged below the list, the selection follows with the capture.
    Input::Move(*List, TPoint{10, 200});
    EXPECT_EQ(List->ItemIndex(), 4);
    Input::Release(*List, TPoint{10, 200});
    EXPECT_FALSE(List->MouseCapture());
}

TEST_F(OwnerDrawnList, DoubleClickRaisesDblClickOnce) {
    ShowForm();
    int doubles = 0;
    List->OnDblClick = [&](TObject*) { ++doubles; };
    Input::DoubleClick(*List, ItemPoint(1));
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(List->ItemIndex(), 1);
}

TEST_F(OwnerDrawnList, EmptyListDrawsOnlyBackground) {
    List->Clear();
    List->SetColor(clWhite);
    ShowForm();
    EXPECT_TRUE(Drawn.empty());
    EXPECT_EQ(WindowPixel(*List, 2 + 50, 2 + 50), RGB(255, 255, 255));
    Input::Click(*List, TPoint{10, 10});
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_TRUE(Clicks.empty());
}

class ListBoxes : public testing::FormFixture {};

TEST_F(ListBoxes, ItemsKeepTheSelectionInStepAndSearchExactly) {
    auto* list = AddControl<TListBox>(10, 10, 120, 100);
    for (const char* text : {"Alpha", "Beta", "Gamma"}) {
        list->Items()->Add(text);
    }
    list->SetItemIndex(1);
    list->Items()->InsertObject(0, "Zero", nullptr);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items()->Delete(2);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Items()->IndexOf("gamma"), 2);
    EXPECT_EQ(list->Items()->IndexOf("Gam"), -1);
    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Items()->Delete(3), EStringListError);
    EXPECT_EQ(list->ItemRect(5), TRect{});
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(ListBoxes, KeysThatAreNotTheListsGoToTheWindowTabMovesOn) {
    auto* list = AddControl<TListBox>(10, 10, 120, 100);
    auto* edit = AddControl<TEdit>(150, 10, 120, 24);
    list->Items()->Add("only");
    ShowForm();
    list->SetFocus();
    Input::Key(*list, VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(list->Focused());
}

TEST_F(ListBoxes, ComposedCharactersArriveAsKeyPresses) {
    auto* list = AddControl<TListBox>(10, 10, 120, 80);
    std::u32string seen;
    list->OnKeyPress = [&](TObject*, char32_t& aKey) { seen += aKey; };
    ShowForm();
    Input::Compose(*list, "é");
    Input::Type(*list, "a");
    EXPECT_EQ(seen, U"éa");
}

TEST_F(ListBoxes, FlatBorderWithoutCtl3DAndSunkenEdgeWithIt) {
    auto* flat = AddControl<TListBox>(10, 10, 100, 60);
    auto* sunken = AddControl<TListBox>(150, 10, 100, 60);
    flat->SetCtl3D(false);
    ShowForm();
    EXPECT_EQ(flat->ClientRect(), Rect(0, 0, 98, 58));
    EXPECT_EQ(sunken->ClientRect(), Rect(0, 0, 96, 56));
    EXPECT_EQ(WindowPixel(*flat, 0, 30), ColorToRGB(clWindowFrame));
    EXPECT_EQ(WindowPixel(*flat, 99, 30), ColorToRGB(clWindowFrame));
    EXPECT_EQ(WindowPixel(*flat, 1, 30), ColorToRGB(clWindow));
    EXPECT_EQ(WindowPixel(*sunken, 0, 30), ColorToRGB(clBtnShadow));
    EXPECT_EQ(WindowPixel(*sunken, 99, 30), ColorToRGB(clBtnHighlight));
    // Client coordinates start inside the border.
    EXPECT_EQ(flat->ClientOrigin().X, sunken->ClientOrigin().X - 140 - 1);
}

TEST_F(ListBoxes, StandardStyleDrawsTextWithSelectionColours) {
    auto* list = AddControl<TListBox>(10, 10, 120, 100);
    list->Items()->Add("first");
    list->Items()->Add("second");
    list->SetItemIndex(1);
    ShowForm();
    int32_t height = list->ItemHeight();
    EXPECT_GT(height, 8);
    EXPECT_EQ(WindowPixel(*list, 2 + 100, 2 + height + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(WindowPixel(*list, 2 + 100, 2 + 1), ColorToRGB(clWindow));
    EXPECT_EQ(WindowPixel(*list, 2 + 100, 2 + 3 * height), ColorToRGB(clWindow));
}

} // namespace
} // namespace fw
