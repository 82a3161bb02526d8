// SPDX-License-Identifier: MIT
// Editing in place as a person does it, on a shown form bound to a real SQLite
// table: typing and Enter, Escape, moving to another row, stepping lookup values,
// rejected texts, the double click split between box and strip, read-only boxes.

#include "BoxFixture.h"

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/Field.h"
#include "platform/graphics/Bitmap.h"
#include "platform/qt/WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quire::test {
namespace {

using fw::Application;

class Strip : public BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowSample();
    }
    fw::String Field(const std::string& aName) {
        return Table->FieldByName(aName).AsVariant().AsString();
    }
};

TEST_F(Strip, TypingAndEnterWriteTheFieldEscapeDropsTheText) {
    ClickRow("name");
    EXPECT_TRUE(Edit().Focused());
    Input::Type(Edit(), "Торшер");
    EXPECT_EQ(Field("name"), "Lamp"); // nothing is written before a commit
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_EQ(Field("name"), "Торшер");
    EXPECT_FALSE(Edit().FTextChanged);
    Input::Type(Edit(), "Стул");
    Input::Key(Edit(), fw::VK_ESCAPE);
    EXPECT_EQ(Edit().Text(), "Торшер");
    EXPECT_FALSE(Edit().FTextChanged);
    // Moving away after Escape writes nothing.
    ClickRow("qty");
    EXPECT_EQ(Field("name"), "Торшер");
    Table->Post();
    EXPECT_EQ(Stored("qty", "Торшер").AsInteger(), 3);
}

TEST_F(Strip, ClickingAnotherRowCommitsTheTypedText) {
    ClickRow("price");
    Input::Type(Edit(), "12,75");
    ClickRow("total");
    EXPECT_EQ(Box->ItemIndex(), ItemOf("total"));
    EXPECT_EQ(Table->FieldByName("price").AsVariant().AsDouble(), 12.75);
    // Moving between rows without typing writes nothing more.
    Table->Post();
    ClickRow("name");
    ClickRow("qty");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
}

TEST_F(Strip, UpAndDownInTheFieldMoveTheSelectionAndCommit) {
    ClickRow("qty");
    Input::Type(Edit(), "-7");
    Input::Key(Edit(), fw::VK_DOWN);
    EXPECT_EQ(Box->ItemIndex(), ItemOf("total"));
    EXPECT_EQ(Table->FieldByName("qty").AsVariant().AsInteger(), -7);
    Input::Key(Edit(), fw::VK_UP);
    EXPECT_EQ(Box->ItemIndex(), ItemOf("qty"));
    EXPECT_EQ(Edit().Text(), "-7");
}

TEST_F(Strip, ARejectedTextIsReportedAndTheRowShowsItsValueAgain) {
    ClickRow("total");
    Input::Type(Edit(), "12x");
    ClickRow("name");
    EXPECT_NE(Application->LastExceptionMessage().find("12x"), std::string::npos)
        << Application->LastExceptionMessage();
    // The selection stays on the row whose text failed, showing its value.
    EXPECT_EQ(Box->ItemIndex(), ItemOf("total"));
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("total"));
    EXPECT_EQ(Edit().Text(), "120");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    // The box is still usable.
    Application->ClearLastException();
    Input::Type(Edit(), "121");
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_EQ(Table->FieldByName("total").AsVariant().AsInteger(), 121);
    EXPECT_EQ(Application->ExceptionCount(), 0);
}

TEST_F(Strip, AValueTheFieldRefusesIsReportedAndNothingIsLost) {
    ClickRow("qty");
    Input::Type(Edit(), "9");
    Input::Key(Edit(), fw::VK_RETURN);
    ClickRow("name");
    Input::Type(Edit(), "far too long for the column");
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_NE(Application->LastExceptionMessage().find("name"), std::string::npos);
    EXPECT_EQ(Edit().Text(), "Lamp");
    EXPECT_EQ(Field("name"), "Lamp");
    EXPECT_EQ(Table->FieldByName("qty").AsVariant().AsInteger(), 9);
}

TEST_F(Strip, TypingIntoARecordOfAReadOnlyDatabaseIsRefusedSayingWhy) {
    Db->Close();
    Db->SetReadOnly(true);
    Db->Open();
    Table->Open();
    Application->ProcessMessages();
    ClickRow("qty");
    Input::Type(Edit(), "9");
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_NE(Application->LastExceptionMessage().find("open for reading only"), std::string::npos)
        << Application->LastExceptionMessage();
    EXPECT_EQ(Edit().Text(), "3");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_EQ(Stored("qty", "Lamp").AsInteger(), 3);
}

TEST_F(Strip, CtrlEnterAndDoubleClickStepALookupRow) {
    ClickRow("active");
    EXPECT_EQ(Edit().Text(), "True");
    Input::Key(Edit(), fw::VK_RETURN, {fw::ssCtrl});
    EXPECT_EQ(Edit().Text(), "False");
    EXPECT_FALSE(Table->FieldByName("active").AsVariant().AsBoolean());
    Input::Pause(1000);
    Input::DoubleClick(Edit(), fw::TPoint{5, 5});
    EXPECT_EQ(Edit().Text(), "True");
    EXPECT_TRUE(Table->FieldByName("active").AsVariant().AsBoolean());
}

TEST_F(Strip, APressOnTheBoxThenOnTheStripIsADoubleClickOnlyInTime) {
    const fw::TPoint stamp = NamePoint(ItemOf("stamp"));
    Input::Click(*Box, stamp); // the strip now lies over the row
    Input::Press(*Box->FSelection, fw::TPoint{stamp.X + 1, 4});
    Input::Release(*Box->FSelection, fw::TPoint{stamp.X + 1, 4});
    EXPECT_TRUE(Row("stamp")->FExpanded);
    // After the double-click time the second press is a press of its own.
    Input::Click(*Box, stamp);
    Input::Pause(fw::GetDoubleClickTime());
    Input::Press(*Box->FSelection, fw::TPoint{stamp.X + 1, 4});
    Input::Release(*Box->FSelection, fw::TPoint{stamp.X + 1, 4});
    EXPECT_TRUE(Row("stamp")->FExpanded);
    // A press on the field within the time after a press on the box is a double
    // click in the field: a lookup row steps its value.
    ClickRow("active");
    Input::Press(Edit(), fw::TPoint{3, 3});
    Input::Release(Edit(), fw::TPoint{3, 3});
    EXPECT_EQ(Edit().Text(), "False");
}

TEST_F(Strip, AFirstPressOnTheFieldIsNoDoubleClickWhateverTheTickCount) {
    // Just after start-up, and past 2^31 milliseconds (24.9 days) of uptime.
    for (uint32_t tick : {200u, 0x90000000u}) {
        fw::SetTickCount(tick);
        auto* box = AddControl<TQuire>(10, 10, 300, 240);
        box->SetDataSource(Source.get());
        box->SetItemIndex(box->Items()->IndexOf("active"));
        box->UpdatePropSelection();
        Application->ProcessMessages();
        TPropEdit& edit = *box->FSelection->FEdit;
        Input::Press(edit, fw::TPoint{3, 3});
        Input::Release(edit, fw::TPoint{3, 3});
        EXPECT_EQ(edit.Text(), "True") << tick;
        EXPECT_EQ(Table->State(), fw::dsBrowse) << tick;
        delete box;
    }
}

TEST_F(Strip, ARefusedCommitDuringAResizeOrAScrollLeavesTheStripOnTheSelectedRow) {
    const auto stripOnSelection = [this] {
        const fw::TRect item = Box->ItemRect(Box->ItemIndex());
        return Box->FSelection->BoundsRect() ==
               fw::Rect(item.Left - 1, item.Top - 2, item.Right + 1, item.Bottom);
    };
    ClickRow("name");
    Input::Type(Edit(), "twenty-two characters!");
    try {
        Box->SetBounds(10, 10, 380, 240);
    } catch (const fw::EDatabaseError&) {
        // the refusal, reported by the framework when a person resizes
    }
    Application->ProcessMessages();
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("name"));
    EXPECT_TRUE(stripOnSelection());
    // Up from the top row shown scrolls; the refused text brings the selection back.
    Box->SetBounds(10, 10, 380, 60);
    Application->ProcessMessages();
    Box->SetTopIndex(1);
    ClickRow("qty");
    Input::Type(Edit(), "12x");
    Input::Key(Edit(), fw::VK_UP);
    EXPECT_NE(Application->LastExceptionMessage().find("12x"), std::string::npos);
    EXPECT_EQ(Box->ItemIndex(), ItemOf("qty"));
    EXPECT_EQ(Edit().Text(), "3");
    EXPECT_TRUE(stripOnSelection());
}

// A host that expands or collapses a row while a text the field refuses waits in the
// strip: the call stops with the refusal before any row moves (rows inserted or
// removed above the strip's row would otherwise leave it on another row than the
// selected one), and the strip shows its row's value again.
TEST_F(Strip, ARefusedTextStopsAHostsExpandOrCollapseBeforeAnyRowMoves) {
    ClickRow("qty");
    Input::Type(Edit(), "many");
    EXPECT_THROW(Box->ExpandItem(ItemOf("stamp")), fw::Exception);
    EXPECT_FALSE(Row("stamp")->FExpanded);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("qty"));
    EXPECT_EQ(Edit().Text(), "3");

    Box->ExpandItem(ItemOf("stamp"));
    Input::Type(Edit(), "few");
    EXPECT_THROW(Box->CollapseItem(ItemOf("stamp")), fw::Exception);
    EXPECT_TRUE(Row("stamp")->FExpanded);
    EXPECT_EQ(Box->FSelection->FEditInfo, Row("qty"));
    EXPECT_EQ(Edit().Text(), "3");
    EXPECT_EQ(Field("qty"), "3");
}

TEST_F(Strip, TheStripRepeatsTheRowsLeftHalfOnTheSamePixels) {
    fw::TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().SetFont(*Box->Font());
    const int32_t step = measure.Canvas().TextWidth(" +");
    ClickRow("stamp");
    TPropSelection& strip = *Box->FSelection;
    EXPECT_EQ(strip.FNameRect.Left, 2 + step);
    EXPECT_EQ(strip.FNameRect.Right, Box->FDividerPos + 1);
    EXPECT_EQ(strip.FEditRect.Left, Box->FDividerPos + 5);
    Box->ExpandItem(ItemOf("stamp"));
    ClickRow("Time");
    EXPECT_EQ(strip.FNameRect.Left, 2 + 2 * step);
    // The strip's divider lines fall on the box's divider columns.
    fw::Application->ProcessMessages();
    const int32_t y = 6;
    EXPECT_EQ(fw::WindowPixel(strip, Box->FDividerPos + 1, y), fw::RGB(128, 128, 128));
    EXPECT_EQ(fw::WindowPixel(strip, Box->FDividerPos + 2, y), fw::RGB(255, 255, 255));
}

TEST_F(Strip, AReadOnlyBoxShowsValuesWithoutFieldOrButton) {
    ClickRow("price");
    Box->SetReadOnly(true);
    EXPECT_FALSE(Edit().Visible());
    EXPECT_FALSE(Box->FSelection->FButton->Visible());
    EXPECT_TRUE(Box->FSelection->Visible());
    // The strip paints the value itself then.
    fw::Application->ProcessMessages();
    TPropSelection& strip = *Box->FSelection;
    int ink = 0;
    for (int32_t x = strip.FNameRect.Right + 4; x < strip.FNameRect.Right + 30; ++x) {
        for (int32_t y = 3; y < strip.Height() - 2; ++y) {
            ink = std::max(ink, 255 - int(fw::GetRValue(fw::WindowPixel(strip, x, y))));
        }
    }
    EXPECT_GT(ink, 150);
    // Code still writes through the box.
    Row("price")->SetValue("1,5");
    EXPECT_EQ(Table->FieldByName("price").AsVariant().AsDouble(), 1.5);
    Box->SetReadOnly(false);
    EXPECT_TRUE(Edit().Visible());
}

TEST_F(Strip, AStripPicture) {
    ClickRow("price");
    Input::Type(Edit(), "3,99");
    fw::Application->ProcessMessages();
    std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
    fw::SaveWindowToPng(*Form, std::string(QUIRE_SCREENSHOT_DIR) + "/strip-typing.png");
    Input::Key(Edit(), fw::VK_RETURN);
    EXPECT_EQ(Row("price")->GetValue(), "3,9900");
}

} // namespace
} // namespace quire::test
