// SPDX-License-Identifier: MIT
// The pick list: where it opens, how it is sized, and how keys, the mouse and
// deactivation end a showing.

#include "quire/inplace/PickList.h"

#include "platform/controls/ControlErrors.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/Timer.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/graphics/Gdi.h"
#include "platform/qt/WindowImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quire {
namespace {

using fw::Rect;
using fw::TRect;

std::unique_ptr<fw::TStringList> Entries(int aCount) {
    auto list = std::make_unique<fw::TStringList>();
    for (int i = 1; i <= aCount; ++i)
        list->Add("entry " + std::to_string(i));
    return list;
}

class PickList : public fw::testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        fw::SetWorkAreaOverride(Rect(0, 0, 800, 600));
        ShowForm();
    }
    void TearDown() override {
        fw::Application->OnModalShown = nullptr;
        fw::SetWorkAreaOverride(std::nullopt);
        FormFixture::TearDown();
    }
    // Shows the list; aAct runs on it once it is shown and must end the showing.
    bool Show(const TRect& aRect, fw::String& aValue, const fw::TStrings& aList,
              std::function<void(TPickListForm&)> aAct, const TPaintItemProc& aPaint = {}) {
        fw::Application->OnModalShown = [aAct](fw::TWinControl* aForm) {
            auto* form = dynamic_cast<TPickListForm*>(aForm);
            ASSERT_EQ(form, PickListForm);
            EXPECT_TRUE(form->Visible());
            aAct(*form);
        };
        const bool result = ShowPickList(aRect, aValue, aList, aPaint);
        EXPECT_FALSE(PickListForm->Visible()) << "hidden after every showing";
        return result;
    }
    // The standard list's row height (the shared form exists after the first showing).
    int32_t RowHeight() {
        fw::String value;
        Show(Rect(0, 0, 10, 10), value, *Entries(1),
             [](TPickListForm& aList) { Input::Key(*aList.ListBox, fw::VK_ESCAPE); });
        return PickListForm->ListBox->ItemHeight();
    }
    static void Press(TPickListForm& aList, uint16_t aKey, fw::TShiftState aShift = {}) {
        Input::Key(*aList.ListBox, aKey, aShift);
    }
};

TEST_F(PickList, OpensBelowWithTheRowsThatFitOrAboveWhenFewerThanFourFit) {
    const int32_t h = RowHeight();
    const struct {
        int Entries;
        int RowsBelow; // whole rows between the value area and the work area's bottom
        bool Above;
        int Rows;
    } cases[] = {
        {4, 20, false, 4},   // sized to the entries, no scrolling
        {30, 20, false, 20}, // as many as fit, scrolling
        {10, 3, true, 10},   // too few rows below: above, where all 10 fit
        {3, 2, false, 2},    // fewer than 4 entries stay below even when cut
    };
    for (const auto& c : cases) {
        // Room for c.RowsBelow rows and the border, and a few pixels to spare.
        const int32_t bottom = 600 - 2 - c.RowsBelow * h - 3;
        const TRect area = Rect(300, bottom - 18, 420, bottom);
        fw::String value = "entry 1";
        TRect shown;
        int32_t visible = 0;
        Show(area, value, *Entries(c.Entries), [&](TPickListForm& aList) {
            shown = aList.BoundsRect();
            visible = aList.ListBox->VisibleRows();
            Press(aList, fw::VK_ESCAPE);
        });
        const int32_t height = c.Rows * h + 2;
        const TRect expected = c.Above ? Rect(300, area.Top - height, 420, area.Top)
                                       : Rect(300, area.Bottom, 420, area.Bottom + height);
        EXPECT_EQ(shown, expected) << c.Entries << " entries";
        EXPECT_EQ(visible, c.Rows) << c.Entries << " entries";
    }
}

TEST_F(PickList, AWideEntryWidensTheListToTheLeftUnlessItemsArePainted) {
    fw::TStringList list;
    list.Add("short");
    list.Add("an entry much wider than the value area of the row");
    const TRect area = Rect(300, 100, 380, 118);
    fw::String value;
    int32_t width = 0;
    TRect shown;
    Show(area, value, list, [&](TPickListForm& aList) {
        shown = aList.BoundsRect();
        width = CalcPickListWidth(80, *aList.ListBox->Font(), list);
        Press(aList, fw::VK_ESCAPE);
    });
    EXPECT_GT(width, 80 + 100);
    EXPECT_EQ(shown.Right, 380) << "right edges coincide";
    EXPECT_EQ(shown.Width(), width);

    Show(
        area, value, list,
        [&](TPickListForm& aList) {
            shown = aList.BoundsRect();
            EXPECT_EQ(aList.ListBox->Style(), fw::lbOwnerDrawFixed);
            Press(aList, fw::VK_ESCAPE);
        },
        [](const fw::String&, fw::TCanvas*, const TRect&, fw::TOwnerDrawState) {});
    EXPECT_EQ(shown, Rect(300, 118, 380, 118 + 2 * PickListForm->ListBox->ItemHeight() + 2));
    EXPECT_EQ(PickListForm->ListBox->ItemHeight(), 16) << "the owner-drawn list's own height";
}

TEST_F(PickList, StaysInsideTheWorkArea) {
    fw::SetWorkAreaOverride(Rect(20, 10, 500, 600));
    fw::String value;
    TRect shown;
    Show(Rect(450, 100, 560, 118), value, *Entries(3), [&](TPickListForm& aList) {
        shown = aList.BoundsRect();
        Press(aList, fw::VK_ESCAPE);
    });
    EXPECT_EQ(shown.Right, 500);
    EXPECT_EQ(shown.Width(), 110);
    EXPECT_EQ(shown.Top, 118);

    // Larger than the work area: aligned with its left and top edges.
    TRect huge = Rect(-50, -40, 900, 700);
    FitRectToWorkArea(huge);
    EXPECT_EQ(huge, Rect(20, 10, 970, 750));
    // No room for one row below: one row all the same, moved up into the area.
    TRect rect;
    int32_t rows = 0;
    CalcDropDownRect(200, 595, 16, 100, 5, rect, rows);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(rect, Rect(100, 600 - 18, 200, 600));
    CalcDropUpRect(200, 5, 16, 100, 5, rect, rows);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(rect, Rect(100, 10, 200, 28));
}

TEST_F(PickList, KeysMoveAcceptAndCancel) {
    const auto list = Entries(5);
    const TRect area = Rect(300, 100, 420, 118);
    const struct {
        const char* Start;
        std::vector<std::pair<uint16_t, fw::TShiftState>> Keys;
        bool Chosen;
        const char* Value;
    } cases[] = {
        {"entry 2", {{fw::VK_DOWN, {}}, {fw::VK_RETURN, {}}}, true, "entry 3"},
        {"entry 2", {{fw::VK_UP, {}}, {fw::VK_SPACE, {}}}, true, "entry 1"},
        {"entry 4", {{fw::VK_DOWN, {fw::ssAlt}}}, true, "entry 4"},
        {"entry 4", {{fw::VK_UP, {fw::ssAlt}}}, true, "entry 4"},
        {"entry 2", {{fw::VK_DOWN, {}}, {fw::VK_ESCAPE, {}}}, false, "entry 2"},
        // Accepting with no current entry is a cancel.
        {"no such entry", {{fw::VK_RETURN, {}}}, false, "no such entry"},
        {"ENTRY 5", {{fw::VK_RETURN, {}}}, true, "entry 5"},
    };
    for (const auto& c : cases) {
        fw::String value = c.Start;
        const bool chosen = Show(area, value, *list, [&](TPickListForm& aList) {
            for (const auto& [key, shift] : c.Keys)
                Press(aList, key, shift);
        });
        EXPECT_EQ(chosen, c.Chosen) << c.Start;
        EXPECT_EQ(value, c.Value) << c.Start;
    }
}

TEST_F(PickList, AReleaseInTheListAcceptsAndAPressElsewhereCancels) {
    const int32_t h = RowHeight();
    const auto list = Entries(5);
    fw::String value = "entry 1";
    EXPECT_TRUE(Show(Rect(300, 100, 420, 118), value, *list, [&](TPickListForm& aList) {
        Input::Click(*aList.ListBox, {10, 2 * h + h / 2});
    }));
    EXPECT_EQ(value, "entry 3");
    EXPECT_FALSE(Show(Rect(300, 100, 420, 118), value, *list, [&](TPickListForm&) {
        Input::Click(*Form, {5, 5});
    }));
    EXPECT_EQ(value, "entry 3");
    EXPECT_TRUE(Form->Active());
}

TEST_F(PickList, TakesKeysAndClicksWhenOpenedFromAModalForm) {
    const int32_t h = RowHeight();
    auto dialog = fw::New<fw::TForm>(nullptr, 0);
    dialog->SetBounds(200, 50, 300, 200);
    const auto list = Entries(5);
    fw::String byKey = "entry 1";
    fw::String byClick = "entry 1";
    // Ends a showing that takes no input.
    fw::TTimer guard;
    guard.SetInterval(2000);
    guard.SetOnTimer([](fw::TObject*) {
        if (PickListForm != nullptr) {
            PickListForm->SetModalResult(fw::mrCancel);
        }
    });
    int showings = 0;
    fw::Application->OnModalShown = [&](fw::TWinControl* aForm) {
        if (aForm == dialog.get()) {
            ShowPickList(Rect(300, 100, 420, 118), byKey, *list, {});
            ShowPickList(Rect(300, 100, 420, 118), byClick, *list, {});
            dialog->SetModalResult(fw::mrOk);
        } else if (++showings == 1) {
            Press(*PickListForm, fw::VK_DOWN);
            Press(*PickListForm, fw::VK_RETURN);
        } else {
            Input::Click(*PickListForm->ListBox, {10, 2 * h + h / 2});
        }
    };
    EXPECT_EQ(dialog->ShowModal(), fw::mrOk);
    EXPECT_EQ(byKey, "entry 2");
    EXPECT_EQ(byClick, "entry 3");
}

TEST_F(PickList, PaintsItemsThroughThePaintMethod) {
    std::vector<fw::String> painted;
    bool selectedPainted = false;
    const TPaintItemProc paint = [&](const fw::String& aValue, fw::TCanvas* aCanvas,
                                     const TRect& aRect, fw::TOwnerDrawState aState) {
        painted.push_back(aValue);
        selectedPainted |= aValue == "entry 2" && aState.Contains(fw::odSelected);
        aCanvas->Brush().SetColor(aState.Contains(fw::odSelected) ? fw::clRed : fw::clLime);
        aCanvas->FillRect(aRect);
    };
    fw::String value = "entry 2";
    Show(
        Rect(300, 100, 420, 118), value, *Entries(3),
        [&](TPickListForm& aList) {
            // One border pixel, then 16-pixel rows.
            EXPECT_EQ(fw::WindowPixel(*aList.ListBox, 5, 1 + 8), fw::ColorToRGB(fw::clLime));
            EXPECT_EQ(fw::WindowPixel(*aList.ListBox, 5, 1 + 16 + 8), fw::ColorToRGB(fw::clRed));
            Press(aList, fw::VK_ESCAPE);
        },
        paint);
    EXPECT_TRUE(selectedPainted);
    EXPECT_NE(std::find(painted.begin(), painted.end(), "entry 3"), painted.end());
}

TEST_F(PickList, RefusesASecondShowingWhileOneWaits) {
    fw::String value = "entry 1";
    fw::String inner = "entry 2";
    EXPECT_TRUE(Show(Rect(300, 100, 420, 118), value, *Entries(3), [&](TPickListForm& aList) {
        const auto other = Entries(2);
        EXPECT_THROW(ShowPickList(Rect(0, 0, 50, 18), inner, *other, {}), fw::EInvalidOperation);
        EXPECT_TRUE(aList.Visible());
        EXPECT_EQ(aList.ListBox->Count(), 3);
        Press(aList, fw::VK_DOWN);
        Press(aList, fw::VK_RETURN);
    }));
    EXPECT_EQ(value, "entry 2");
    EXPECT_EQ(inner, "entry 2");
}

TEST_F(PickList, OneSharedFormOwnedByTheApplication) {
    RowHeight();
    TPickListForm* first = PickListForm;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Owner(), fw::Application);
    RowHeight();
    EXPECT_EQ(PickListForm, first);
    delete first;
    EXPECT_EQ(PickListForm, nullptr);
    RowHeight();
    EXPECT_NE(PickListForm, nullptr);
}

TEST_F(PickList, Screenshot) {
    const std::filesystem::path folder = QUIRE_SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    fw::TStringList list;
    for (const char* name : {"False", "True", "Не задано", "Smith & Sons"})
        list.Add(name);
    fw::String value = "True";
    Show(Rect(300, 100, 420, 118), value, list, [&](TPickListForm& aList) {
        fw::SaveWindowToPng(aList, (folder / "pick-list.png").string());
        Press(aList, fw::VK_ESCAPE);
    });
    EXPECT_GT(std::filesystem::file_size(folder / "pick-list.png"), 100u);
}

} // namespace
} // namespace quire
