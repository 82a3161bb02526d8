// SPDX-License-Identifier: MIT
// The date-time picker's value parts, buttons' clicks and modal results, the list
// box's scroll bar and wheel, and a form freed by Release.

#include "platform/controls/FormFixture.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/QtWindow.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/ListBox.h"

#include <QDateTimeEdit>
#include <QScrollBar>

#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

namespace fw {
namespace {

class Pickers : public testing::FormFixture {};

TEST_F(Pickers, DateAndTimeReplaceTheirPartOnly) {
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    const TDateTime start = ComposeDateTime(EncodeDate(2023, 12, 31), EncodeTime(23, 59, 58, 0));
    picker->SetDateTime(start);
    picker->SetDate(EncodeDate(2024, 1, 15) + 0.75);
    EXPECT_EQ(picker->DateTime(), ComposeDateTime(EncodeDate(2024, 1, 15), TimeOf(start)));
    ShowForm();
    picker->SetKind(dtkTime);
    picker->SetTime(EncodeTime(6, 30, 0, 0) + 100);
    EXPECT_EQ(picker->Time(), ComposeDateTime(EncodeDate(2024, 1, 15), EncodeTime(6, 30, 0, 0)));
    // Date reads the whole value, also for the time kind.
    EXPECT_EQ(picker->Date(), picker->Time());
    // The value and kind survive the window.
    picker->RecreateWnd();
    EXPECT_EQ(picker->Kind(), dtkTime);
    EXPECT_EQ(picker->Time(), ComposeDateTime(EncodeDate(2024, 1, 15), EncodeTime(6, 30, 0, 0)));
}

TEST_F(Pickers, UserChangesRaiseOnChangeAndProgramChangesDoNot) {
    // Day first, so the press lands in the day.
    TFormatSettings settings;
    settings.ShortDateFormat = "dd/mm/yyyy";
    TFormatSettingsScope scope(settings);
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    picker->SetDateTime(EncodeDate(2024, 3, 10));
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    ShowForm();
    picker->SetDateTime(EncodeDate(2024, 3, 11));
    EXPECT_EQ(changes, 0);
    Input::Click(*picker, {8, 10});
    Input::Key(*picker, VK_DOWN);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(DecodeDate(picker->Date()).Day, 10);
}

// The picker shows the value as the conversions write it, in the format settings of
// the moment its kind is set.
TEST_F(Pickers, ShowTheFormatSettingsShortDateAndLongTime) {
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    const TDateTime value = ComposeDateTime(EncodeDate(2024, 3, 5), EncodeTime(13, 4, 9, 0));
    picker->SetDateTime(value);
    ShowForm();
    auto* edit = qobject_cast<QDateTimeEdit*>(qt::FromHandle(picker->WindowHandle())->Widget());
    ASSERT_NE(edit, nullptr);
    struct {
        const char* Date;
        char DateSeparator;
        const char* Time;
        char TimeSeparator;
    } const cases[] = {
        {"dd/mm/yyyy", '.', "hh:nn:ss", ':'},
        {"yyyy/mm/dd", '-', "h:nn AM/PM", ':'},
        {"d/m/yy", '/', "hh'h'nn", '.'},
    };
    for (const auto& c : cases) {
        TFormatSettings settings;
        settings.ShortDateFormat = c.Date;
        settings.DateSeparator = c.DateSeparator;
        settings.LongTimeFormat = c.Time;
        settings.TimeSeparator = c.TimeSeparator;
        TFormatSettingsScope scope(settings);
        picker->SetKind(dtkDate);
        EXPECT_EQ(qt::FromQString(edit->text()), DateToStr(value)) << c.Date;
        picker->SetKind(dtkTime);
        EXPECT_EQ(qt::FromQString(edit->text()), TimeToStr(value)) << c.Time;
        EXPECT_EQ(picker->DateTime(), value);
    }
}

// A wall-clock value that local time skips (the spring change to daylight saving
// time) or passes twice is still the value the picker holds and gives back.
TEST_F(Pickers, KeepValuesThatLocalTimeSkipsOrRepeats) {
    const char* oldZone = std::getenv("TZ");
    const std::string savedZone = oldZone != nullptr ? oldZone : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    picker->SetKind(dtkTime);
    ShowForm();
    const TDateTime skipped = ComposeDateTime(EncodeDate(2021, 3, 28), EncodeTime(2, 30, 0, 0));
    const TDateTime repeated = ComposeDateTime(EncodeDate(2021, 10, 31), EncodeTime(2, 30, 0, 0));
    picker->SetDateTime(skipped);
    const TDateTime readSkipped = picker->DateTime();
    picker->SetDateTime(repeated);
    const TDateTime readRepeated = picker->DateTime();
    if (oldZone != nullptr) {
        setenv("TZ", savedZone.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    EXPECT_EQ(readSkipped, skipped);
    EXPECT_EQ(readRepeated, repeated);
}

// Switching the kind back and forth leaves the picker taking any date and time.
TEST_F(Pickers, TakeAnyValueAfterTheKindChanged) {
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    picker->SetKind(dtkTime);
    picker->SetDateTime(44319.75);
    ShowForm();
    picker->SetDateTime(44000.5);
    EXPECT_EQ(picker->DateTime(), 44000.5);
    picker->SetKind(dtkDate);
    picker->SetDateTime(44100.25);
    EXPECT_EQ(picker->DateTime(), 44100.25);
    picker->SetKind(dtkTime);
    picker->SetDateTime(44200.5);
    picker->SetKind(dtkDate);
    picker->SetDate(44300.0);
    EXPECT_EQ(picker->DateTime(), 44300.5);
}

// The date kinds hold the years 1 to 9999; a person can step a date in year 1.
TEST_F(Pickers, HoldAndEditTheYearsOneTo9999) {
    TFormatSettings settings;
    settings.ShortDateFormat = "dd/mm/yyyy";
    TFormatSettingsScope scope(settings);
    auto* picker = AddControl<TDateTimePicker>(10, 10, 150, 24);
    ShowForm();
    for (const TDateTime value : {EncodeDate(1, 1, 1) - 0.5, EncodeDate(9999, 12, 31) + 0.5}) {
        picker->SetDateTime(value);
        EXPECT_EQ(picker->DateTime(), value);
    }
    picker->SetDateTime(EncodeDate(1, 1, 1));
    Input::Click(*picker, {8, 10});
    Input::Key(*picker, VK_UP);
    EXPECT_EQ(picker->Date(), EncodeDate(1, 1, 2));
}

class Buttons : public testing::FormFixture {};

TEST_F(Buttons, ClickByMouseOrSpaceRunsOnClickAndSetsTheFormsModalResult) {
    auto* button = AddControl<TButton>(10, 10, 75, 25);
    button->SetCaption("&Apply");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    Input::Click(*button, {10, 10});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrNone);
    button->SetModalResult(mrYes);
    Input::Key(*button, VK_SPACE);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Form->ModalResult(), mrYes);
    // A press released outside the button is no click.
    Input::Press(*button, {10, 10});
    Input::Release(*button, {200, 10});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button->Caption(), "&Apply");
}

TEST_F(Buttons, ReleasedFormIsFreedAfterTheMessage) {
    ShowForm();
    auto* dialog = New<TForm>(nullptr, 0).release();
    bool destroyed = false;
    dialog->OnDestroy = [&](TObject*) { destroyed = true; };
    dialog->OnClose = [](TObject*, TCloseAction& aAction) { aAction = caFree; };
    dialog->Show();
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(destroyed);
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
}

class ListScrolling : public testing::FormFixture {};

TEST_F(ListScrolling, ScrollBarAndWheelMoveTheTopIndex) {
    auto* list = AddControl<TListBox>(10, 10, 120, 100);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(24);
    for (int i = 0; i < 20; ++i) {
        list->Items()->Add("line " + std::to_string(i));
    }
    ShowForm();
    // 96 client pixels: four rows; the top index runs from 0 to 16.
    EXPECT_EQ(list->VisibleRows(), 4);
    QWidget* widget = qt::FromHandle(list->WindowHandle())->Widget();
    auto* bar = widget->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 16);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(list->TopIndex(), 4);
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex(), 16);
    EXPECT_EQ(bar->value(), 16);
    list->Perform(WM_MOUSEWHEEL, MakeLong(0, static_cast<uint16_t>(120)), 0);
    EXPECT_EQ(list->TopIndex(), 13);
    EXPECT_EQ(list->ItemAtPos({5, 30}, true), 14);
    // Fewer items than rows: no scroll bar, and the full width is client area.
    while (list->Count() > 3) {
        list->Items()->Delete(0);
    }
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(list->TopIndex(), 0);
    EXPECT_EQ(list->ClientWidth(), 116);
    EXPECT_EQ(list->ItemAtPos({5, 90}, true), -1);
    EXPECT_EQ(list->ItemAtPos({5, 90}, false), 3);
}

TEST_F(ListScrolling, FineWheelStepsAddUpAndSidewaysTurnsDoNotScroll) {
    auto* list = AddControl<TListBox>(10, 10, 120, 100);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(24);
    for (int i = 0; i < 20; ++i) {
        list->Items()->Add("line " + std::to_string(i));
    }
    ShowForm();
    list->SetTopIndex(8);
    // A touchpad's small steps: a third of a notch makes a row.
    for (int i = 0; i < 4; ++i) {
        Input::Wheel(*list, {5, 5}, {0, -10});
    }
    EXPECT_EQ(list->TopIndex(), 9);
    Input::Wheel(*list, {5, 5}, {-120, 0});
    EXPECT_EQ(list->TopIndex(), 9) << "a sideways turn";
    Input::Wheel(*list, {5, 5}, {0, 120});
    EXPECT_EQ(list->TopIndex(), 6);
    // A device that gives pixels only.
    Input::Wheel(*list, {5, 5}, {0, 0}, {0, -200});
    EXPECT_GT(list->TopIndex(), 6);
}

} // namespace
} // namespace fw
