// SPDX-License-Identifier: MIT
// The pick list, the button and the dialogs reached from the box as a person reaches
// them, on a shown form bound to a real SQLite table.

#include "BoxFixture.h"

#include "quire/editors/EditTextForm.h"
#include "quire/editors/FormDateTime.h"
#include "quire/inplace/PickList.h"
#include "quire/inplace/PropButton.h"

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/Field.h"
#include "platform/qt/WindowImage.h"
#include "platform/stdctrls/Button.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quire::test {
namespace {

fw::String Screenshot(const char* aName) {
    std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
    return std::string(QUIRE_SCREENSHOT_DIR) + "/" + aName;
}

fw::TButton* ButtonOf(fw::TWinControl& aParent, const fw::String& aCaption) {
    for (int32_t i = 0; i < aParent.ControlCount(); ++i) {
        if (auto* button = dynamic_cast<fw::TButton*>(aParent.Controls(i))) {
            if (button->Caption() == aCaption) {
                return button;
            }
        }
        if (auto* inner = dynamic_cast<fw::TWinControl*>(aParent.Controls(i))) {
            if (fw::TButton* found = ButtonOf(*inner, aCaption)) {
                return found;
            }
        }
    }
    return nullptr;
}

// A picture of aForm with the pop-up aPopup drawn where the screen shows it.
void SaveWithPopup(fw::TWinControl& aForm, fw::TWinControl& aPopup, const fw::String& aFile) {
    fw::TBitmap picture;
    fw::TBitmap popup;
    fw::CaptureWindow(aForm, picture);
    fw::CaptureWindow(aPopup, popup);
    picture.Canvas().Draw(aPopup.Left() - aForm.Left(), aPopup.Top() - aForm.Top(), popup);
    picture.SaveToFile(aFile);
}

class InPlace : public BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowSample();
    }
    void TearDown() override {
        fw::Application->OnModalShown = nullptr;
        fw::SetWorkAreaOverride(std::nullopt);
        BoxFixture::TearDown();
    }
    // aAct runs on the next modal form (or pick list) of class T once shown.
    template <class T> void OnShown(std::function<void(T&)> aAct) {
        fw::Application->OnModalShown = [this, aAct](fw::TWinControl* aForm) {
            auto* form = dynamic_cast<T*>(aForm);
            ASSERT_NE(form, nullptr) << aForm->ClassName();
            ++Shown;
            aAct(*form);
        };
    }
    TPropButton& Button() { return *Box->FSelection->FButton; }
    fw::TPoint ButtonMiddle() { return fw::TPoint{Button().Width() / 2, Button().Height() / 2}; }
    int Shown = 0;
};

TEST_F(InPlace, AltDownOpensThePickListBelowTheRowAndAChoiceReachesTheField) {
    ClickRow("active");
    fw::TRect listBounds;
    OnShown<TPickListForm>([&](TPickListForm& aList) {
        listBounds = aList.BoundsRect();
        EXPECT_EQ(aList.ListBox->Items()->Get(aList.ListBox->ItemIndex()), "True");
        Input::Key(*aList.ListBox, fw::VK_UP);
        SaveWithPopup(*Form, aList, Screenshot("pick-list-open.png"));
        Input::Key(*aList.ListBox, fw::VK_RETURN);
    });
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_EQ(Shown, 1);
    EXPECT_FALSE(PickListForm->Visible());
    EXPECT_EQ(Edit().Text(), "False");
    EXPECT_FALSE(Table->FieldByName("active").AsVariant().AsBoolean());
    // The list hangs from the value area's bottom, right-aligned with the button.
    const fw::TPoint valueBottomRight = Box->FSelection->ClientToScreen(
        fw::TPoint{Box->FSelection->FButtonRect.Right, Box->FSelection->FButtonRect.Bottom});
    EXPECT_EQ(listBounds.Top, valueBottomRight.Y);
    EXPECT_EQ(listBounds.Right, valueBottomRight.X);
}

TEST_F(InPlace, ThePickListOpensAboveNearTheBottomAndStaysInsideTheWorkArea) {
    ClickRow("active");
    const fw::TPoint strip = Box->FSelection->ClientToScreen(fw::TPoint{0, 0});
    // Room for one row below the value area, and the right edge cut at the button.
    fw::SetWorkAreaOverride(fw::Rect(0, 0, strip.X + Box->FSelection->FButtonRect.Right - 30,
                                     strip.Y + Box->FSelection->Height() + 20));
    fw::TRect listBounds;
    OnShown<TPickListForm>([&](TPickListForm& aList) {
        listBounds = aList.BoundsRect();
        Input::Key(*aList.ListBox, fw::VK_ESCAPE);
    });
    Input::Click(Button(), ButtonMiddle());
    EXPECT_EQ(Shown, 1);
    fw::TRect workArea;
    GetWorkArea(workArea);
    EXPECT_LE(listBounds.Right, workArea.Right);
    EXPECT_GE(listBounds.Top, workArea.Top);
    // Two entries: below, cut to what fits; Escape leaves the value.
    EXPECT_EQ(Edit().Text(), "True");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
}

TEST_F(InPlace, TheMemoButtonOpensTheTextDialogOkWritesCancelLeaves) {
    ClickRow("notes");
    EXPECT_TRUE(Button().Visible());
    EXPECT_EQ(Button().ButtonType(), pbtEdit);
    EXPECT_EQ(Edit().Text(), "(Text)");
    OnShown<TEditTextForm>([](TEditTextForm& aForm) {
        EXPECT_EQ(aForm.TextMemo->Text(), "first line\nsecond");
        Input::Key(*aForm.TextMemo, fw::VK_END, {fw::ssCtrl});
        Input::Key(*aForm.TextMemo, fw::VK_RETURN);
        Input::Type(*aForm.TextMemo, "третья");
        fw::SaveWindowToPng(aForm, Screenshot("text-dialog-from-box.png"));
        Input::Click(*ButtonOf(aForm, "OK"), fw::TPoint{10, 10});
    });
    Input::Click(Button(), ButtonMiddle());
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(Table->FieldByName("notes").AsVariant().AsString(), "first line\nsecond\nтретья");
    EXPECT_EQ(Edit().Text(), "(Text)");
    Table->Post();
    EXPECT_EQ(Stored("notes", "Lamp").AsString(), "first line\nsecond\nтретья");
    // Ctrl+Enter opens it too; Cancel leaves the field.
    Input::Pause(1000);
    OnShown<TEditTextForm>([](TEditTextForm& aForm) {
        Input::Type(*aForm.TextMemo, "lost");
        Input::Click(*ButtonOf(aForm, "Cancel"), fw::TPoint{10, 10});
    });
    Input::Key(Edit(), fw::VK_RETURN, {fw::ssCtrl});
    EXPECT_EQ(Shown, 2);
    EXPECT_EQ(Table->State(), fw::dsBrowse);
}

TEST_F(InPlace, TheDateAndTimeChildrenChangeOnlyTheirPartOfTheField) {
    Box->ExpandItem(ItemOf("stamp"));
    ClickRow("Date");
    EXPECT_EQ(Button().ButtonType(), pbtEdit);
    OnShown<TFormDateTime>([](TFormDateTime& aForm) {
        EXPECT_EQ(aForm.Caption(), "Date");
        Input::Type(*aForm.Picker, "28121899");
        fw::SaveWindowToPng(aForm, Screenshot("date-dialog-from-box.png"));
        Input::Click(*ButtonOf(aForm, "OK"), fw::TPoint{10, 10});
    });
    Input::Click(Button(), ButtonMiddle());
    EXPECT_EQ(Row("stamp")->GetValue(), "28.12.1899 18:00:00");
    // The strip on the child shows the child's new text.
    EXPECT_EQ(Edit().Text(), "28.12.1899");
    // A double click on the Time row's value opens its dialog: the first press
    // selects the row, the second lands on the edit field laid over it.
    Input::Pause(1000);
    OnShown<TFormDateTime>([](TFormDateTime& aForm) {
        EXPECT_EQ(aForm.Caption(), "Time");
        Input::Type(*aForm.Picker, "063000");
        Input::Key(*aForm.Picker, fw::VK_RETURN);
    });
    Input::DoubleClick(*Box, ValuePoint(ItemOf("Time")));
    EXPECT_EQ(Shown, 2);
    EXPECT_EQ(Row("stamp")->GetValue(), "28.12.1899 06:30:00");
    Table->Post();
    EXPECT_DOUBLE_EQ(Stored("stamp", "Lamp").AsDateTime(), -2.0 - 6.5 / 24);
}

TEST_F(InPlace, ARowWithoutLookupsOrDialogHasNoVisibleButton) {
    ClickRow("name");
    EXPECT_EQ(Box->FSelection->FButtonRect.Width(), 0);
    EXPECT_EQ(Box->FSelection->FEditRect.Right, Box->FSelection->FButtonRect.Left);
    ClickRow("active");
    EXPECT_EQ(Button().ButtonType(), pbtLookup);
    EXPECT_EQ(Box->FSelection->FButtonRect.Width(), Button().CalcWidth() + 5);
    // Alt+Down on a row without lookups shows nothing.
    ClickRow("name");
    OnShown<TPickListForm>([](TPickListForm&) { ADD_FAILURE() << "a list was shown"; });
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_EQ(Shown, 0);
}

} // namespace
} // namespace quire::test
