// SPDX-License-Identifier: MIT
// A sample form built in code (list box, edit, button, a modal dialog with a memo,
// a date picker), worked through simulated input. It runs on the offscreen platform
// and, through SampleForm.UnderXvfb, under a real X server.

#include "platform/controls/FormFixture.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Panel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fw {
namespace {

class SampleForm : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        List = AddControl<TListBox>(10, 10, 150, 120);
        for (const char* name : {"Ann", "Bob", "Cid"}) {
            List->Items()->Add(name);
        }
        Edit = AddControl<TEdit>(180, 10, 150, 24);
        NotesButton = AddControl<TButton>(180, 50, 100, 25);
        NotesButton->SetCaption("Notes...");
        Picker = AddControl<TDateTimePicker>(180, 90, 150, 24);
        Picker->SetDateTime(EncodeDate(2024, 2, 28) + EncodeTime(10, 30, 0, 0));
        List->OnClick = [this](TObject*) { Edit->SetText(List->Items()->Get(List->ItemIndex())); };
        NotesButton->OnClick = [this](TObject*) { EditNotes(); };
    }
    void TearDown() override {
        Application->OnModalShown = nullptr;
        FormFixture::TearDown();
    }

    // The notes dialog: a memo over an OK / Cancel strip, freed after its run.
    void EditNotes() {
        auto dialog = New<TForm>(nullptr, 0);
        dialog->SetCaption("Notes");
        dialog->SetPosition(poScreenCenter);
        auto* buttons = CreateOwned<TPanel>(dialog.get());
        buttons->SetParent(dialog.get());
        buttons->SetAlign(alBottom);
        buttons->SetHeight(25);
        auto* memo = CreateOwned<TMemo>(dialog.get());
        memo->SetParent(dialog.get());
        memo->SetAlign(alClient);
        memo->SetLines(Notes);
        auto* ok = CreateOwned<TButton>(buttons);
        ok->SetParent(buttons);
        ok->SetBounds(4, 0, 75, 23);
        ok->SetCaption("OK");
        ok->SetModalResult(mrOk);
        LastMemo = memo;
        if (dialog->ShowModal() == mrOk) {
            Notes.Assign(*memo->Lines());
        }
        LastMemo = nullptr;
    }

    TListBox* List = nullptr;
    TEdit* Edit = nullptr;
    TButton* NotesButton = nullptr;
    TDateTimePicker* Picker = nullptr;
    TMemo* LastMemo = nullptr;
    TStringList Notes;

private:
    // The picker shows day, month, year in this order: the day is its first section.
    static TFormatSettings DayFirst() {
        TFormatSettings settings;
        settings.ShortDateFormat = "dd/mm/yyyy";
        settings.DateSeparator = '.';
        return settings;
    }
    TFormatSettingsScope FDayFirst{DayFirst()};
};

TEST_F(SampleForm, WorksThroughSimulatedInput) {
    ShowForm();
    // Pick a name in the list; the edit follows it; type after it.
    Input::Click(*List, {20, List->ItemHeight() + 3});
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Bob");
    Input::Key(*List, VK_DOWN);
    EXPECT_EQ(Edit->Text(), "Cid");
    Input::Click(*Edit, {140, 10});
    Input::Key(*Edit, VK_END);
    Input::Type(*Edit, " Smith");
    EXPECT_EQ(Edit->Text(), "Cid Smith");

    // The notes dialog: type two lines into the memo and accept.
    Notes.Add("first note");
    Application->OnModalShown = [this](TWinControl*) {
        ASSERT_NE(LastMemo, nullptr);
        Input::Key(*LastMemo, VK_END, {ssCtrl});
        Input::Key(*LastMemo, VK_RETURN);
        Input::Type(*LastMemo, "second note");
        auto* form = GetParentForm(LastMemo);
        auto* strip = static_cast<TWinControl*>(form->Controls(0));
        Input::Click(*static_cast<TWinControl*>(strip->Controls(0)), {10, 10});
    };
    Input::Click(*NotesButton, {10, 10});
    Application->OnModalShown = nullptr;
    ASSERT_EQ(Notes.Count(), 2);
    EXPECT_EQ(Notes.Get(1), "second note");
    EXPECT_TRUE(Form->Active());

    // The date picker: Up raises the focused day section by one.
    Input::Click(*Picker, {8, 10});
    Input::Key(*Picker, VK_UP);
    TDateParts date = DecodeDate(Picker->Date());
    EXPECT_EQ(date.Year, 2024);
    EXPECT_EQ(date.Month, 2);
    EXPECT_EQ(date.Day, 29);
    Picker->SetKind(dtkTime);
    Picker->SetTime(EncodeTime(7, 45, 0, 0));
    TTimeParts time = DecodeTime(Picker->Time());
    EXPECT_EQ(time.Hour, 7);
    EXPECT_EQ(time.Minute, 45);
    EXPECT_EQ(DecodeDate(Picker->DateTime()).Day, 29);

    std::filesystem::path file = std::filesystem::temp_directory_path() / "quire-sample-form.png";
    SaveWindowToPng(*Form, file.string());
    EXPECT_GT(std::filesystem::file_size(file), 500u);
    std::filesystem::remove(file);
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
}

} // namespace
} // namespace fw
