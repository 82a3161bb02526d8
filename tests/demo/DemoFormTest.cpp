// SPDX-License-Identifier: MIT
#include "DemoForm.h"
#include "AboutBox.h"
#include "DemoTestSupport.h"
#include "RecordList.h"

#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/FormFixture.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/packages/Palette.h"
#include "platform/qt/WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace demo {

namespace {

using Input = fw::TInputSimulator;

fw::TPoint Center(const fw::TControl& aControl) {
    return fw::TPoint{aControl.Width() / 2, aControl.Height() / 2};
}

class DemoWindow : public fw::testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Data = test::OpenSample(Folder.File("sample.db"));
        Window = std::make_unique<TDemoForm>(Data, 0);
        Window->Show();
        fw::Application->ProcessMessages();
    }
    void TearDown() override {
        Window.reset();
        Data = TDemoData{};
        FormFixture::TearDown();
    }

    quire::TQuire& Box() { return *Window->Box(); }
    fw::TDataSet& Table() { return *Data.Table; }
    bool Enabled(TDemoCommand aCommand) { return Window->CommandButton(aCommand)->Enabled(); }
    void Press(TDemoCommand aCommand) {
        fw::TButton& button = *Window->CommandButton(aCommand);
        Input::Click(button, Center(button));
        fw::Application->ProcessMessages();
    }
    // Selects the row and types aText into the strip, committing it with Enter
    // unless aCommit is false.
    void Type(const fw::String& aRow, const fw::String& aText, bool aCommit = true) {
        const fw::TRect item = Box().ItemRect(Box().Items()->IndexOf(aRow));
        Input::Click(Box(), fw::TPoint{20, (item.Top + item.Bottom) / 2});
        fw::TCustomEdit& edit = *Box().FSelection->FEdit;
        Input::Key(edit, 'A', {fw::ssCtrl});
        Input::Type(edit, aText);
        if (aCommit)
            Input::Key(edit, fw::VK_RETURN);
        fw::Application->ProcessMessages();
    }
    fw::String Title() { return Table().FieldByName("Title").AsString(); }

    test::TTempFolder Folder;
    TDemoData Data;
    std::unique_ptr<TDemoForm> Window;
};

} // namespace

TEST_F(DemoWindow, StatusLineAndButtonsFollowTheRecord) {
    EXPECT_EQ(Window->StatusText(), "Record 1 of 5 · Browse");
    EXPECT_EQ(Box().Items()->Count(), 9);
    EXPECT_FALSE(Enabled(dcFirst));
    EXPECT_FALSE(Enabled(dcPrior));
    EXPECT_TRUE(Enabled(dcNext));
    EXPECT_FALSE(Enabled(dcPost));
    EXPECT_FALSE(Enabled(dcCancel));

    Press(dcNext);
    EXPECT_EQ(Window->StatusText(), "Record 2 of 5 · Browse");
    EXPECT_TRUE(Enabled(dcPrior));
    Press(dcLast);
    EXPECT_EQ(Window->StatusText(), "Record 5 of 5 · Browse");
    EXPECT_FALSE(Enabled(dcNext));
    EXPECT_FALSE(Enabled(dcLast));
    EXPECT_EQ(Title(), "Преступление и наказание");
}

TEST_F(DemoWindow, PostedEditsSurviveReopeningTheDatabase) {
    Type("Title", "Анна Каренина");
    EXPECT_EQ(Window->StatusText(), "Record 1 of 5 · Edit");
    EXPECT_TRUE(Enabled(dcPost));
    EXPECT_TRUE(Enabled(dcCancel));
    // Text typed without Enter is committed by the button, not lost.
    Type("Shelf", "7", false);
    Press(dcPost);
    EXPECT_EQ(Window->StatusText(), "Record 1 of 5 · Browse");
    EXPECT_EQ(fw::Application->ExceptionCount(), 0) << fw::Application->LastExceptionMessage();

    Window.reset();
    Data = TDemoData{};
    Data = test::OpenSample(Folder.File("sample.db"));
    EXPECT_EQ(Title(), "Анна Каренина");
    EXPECT_EQ(Table().FieldByName("Shelf").AsInteger(), 7);
}

TEST_F(DemoWindow, MovingOnPostsAndCancelDropsTheChange) {
    Type("Title", "Анна Каренина");
    Press(dcNext);
    EXPECT_EQ(Window->StatusText(), "Record 2 of 5 · Browse");
    Press(dcPrior);
    EXPECT_EQ(Title(), "Анна Каренина");

    Type("Title", "Отменённое название");
    Press(dcCancel);
    EXPECT_EQ(Window->StatusText(), "Record 1 of 5 · Browse");
    EXPECT_EQ(Title(), "Анна Каренина");
    EXPECT_EQ(Box().FSelection->FEdit->Text(), "Анна Каренина");
}

TEST_F(DemoWindow, ARefusedPostIsReportedAndTheWindowKeepsTheRecord) {
    Type("Pages", "-5");
    Press(dcPost);
    EXPECT_NE(fw::Application->LastExceptionMessage().find("CHECK constraint failed"),
              fw::String::npos)
        << fw::Application->LastExceptionMessage();
    EXPECT_EQ(Window->StatusText(), "Record 1 of 5 · Edit");
    EXPECT_EQ(Table().FieldByName("Pages").AsInteger(), -5);

    // Closing tries to post too; the refusal keeps the window open.
    fw::Application->ClearLastException();
    Window->Close();
    fw::Application->ProcessMessages();
    EXPECT_TRUE(Window->Visible());
    EXPECT_EQ(fw::Application->ExceptionCount(), 1);
}

TEST_F(DemoWindow, AboutShowsThePackageAndItsPalettePage) {
    const fw::HMODULE package = fw::LoadPackage(QUIREPACK_FILE);
    fw::RegisterPackage(package);
    {
        TAboutBox about(package);
        const auto lines = about.Lines();
        EXPECT_EQ(lines.front(), "Quire demo");
        EXPECT_EQ(lines[1], "Quire: data-aware property inspector");
        EXPECT_EQ(lines[3], "Version " QUIRE_VERSION ".0");
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Page \"Data Controls\""), 1);
        EXPECT_EQ(lines.back(), "TQuire");
        bool shown = false;
        fw::Application->OnModalShown = [&](fw::TWinControl* aForm) {
            shown = true;
            std::filesystem::create_directories(QUIRE_SCREENSHOT_DIR);
            fw::SaveWindowToPng(*aForm, QUIRE_SCREENSHOT_DIR "/demo-about.png");
            static_cast<fw::TForm*>(aForm)->SetModalResult(fw::mrOk);
        };
        about.ShowModal();
        fw::Application->OnModalShown = nullptr;
        EXPECT_TRUE(shown);
    }
    fw::UnloadPackage(package);
}

TEST_F(DemoWindow, TheRecordListChoosesOneOrSeveralBooksAndFollowsTheCursor) {
    TRecordList& list = *Window->RecordList();
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Items()->Get(1), "Pride and Prejudice");
    const auto click = [&](int64_t aRecNo, fw::TShiftState aShift = {}) {
        const fw::TRect item = list.ItemRect(static_cast<int32_t>(aRecNo - 1));
        Input::Click(list, fw::TPoint{20, (item.Top + item.Bottom) / 2}, fw::mbLeft, aShift);
        fw::Application->ProcessMessages();
    };
    click(2);
    click(4, {fw::ssShift});
    EXPECT_EQ(Box().SelectedRecords(), (std::vector<int64_t>{2, 3, 4}));
    EXPECT_EQ(Window->StatusText(), "3 records chosen · Browse");
    click(3, {fw::ssCtrl});
    EXPECT_EQ(Box().SelectedRecords(), (std::vector<int64_t>{2, 4}));
    EXPECT_EQ(list.Chosen(), (std::vector<int64_t>{2, 4}));
    Type("Shelf", "7");
    std::vector<int32_t> shelves;
    Table().ForEachRecord({2, 3, 4},
                          [&] { shelves.push_back(Table().FieldByName("Shelf").AsInteger()); });
    EXPECT_EQ(shelves, (std::vector<int32_t>{7, 3, 7}));
    click(5);
    EXPECT_TRUE(Box().SelectedRecords().empty());
    EXPECT_EQ(Table().RecNo(), 5);
    Press(dcFirst);
    EXPECT_EQ(list.Chosen(), (std::vector<int64_t>{1}));
}

} // namespace demo
