// SPDX-License-Identifier: MIT
// The text and date-time dialogs, driven as a person would: typed into, then
// closed with OK, Cancel, Escape, Enter or the window's close.

#include "EditorTestSupport.h"

#include "quire/editors/DatePropEditors.h"
#include "quire/editors/EditTextForm.h"
#include "quire/editors/FormDateTime.h"
#include "quire/editors/TextPropEditor.h"
#include "quire/values/QuireStrings.h"
#include "quire/values/SubPropList.h"

#include "platform/controls/Application.h"
#include "platform/controls/Screen.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/InputSimulator.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/DateUtils.h"
#include "platform/stdctrls/Button.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quire {
namespace {

using Input = fw::TInputSimulator;
using test::TWatchedProp;

fw::String Screenshot(const char* aName) {
    const std::filesystem::path folder = QUIRE_SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    return (folder / aName).string();
}

// The button of that caption among aParent's controls.
fw::TButton* ButtonOf(fw::TWinControl& aParent, const fw::String& aCaption) {
    for (int32_t i = 0; i < aParent.ControlCount(); ++i)
        if (auto* button = dynamic_cast<fw::TButton*>(aParent.Controls(i));
            button != nullptr && button->Caption() == aCaption)
            return button;
    return nullptr;
}

void Click(fw::TButton* aButton) {
    ASSERT_NE(aButton, nullptr);
    Input::Click(*aButton, {10, 10});
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        fw::SetTickCount(1000000);
        fw::Application->ClearLastException();
    }
    void TearDown() override {
        fw::Application->OnModalShown = nullptr;
        fw::Application->ProcessMessages();
        EXPECT_EQ(fw::Application->ExceptionCount(), 0) << fw::Application->LastExceptionMessage();
    }
    // aAct runs on each modal form of class T once it is shown; the form's
    // destruction is counted.
    template <class T> void OnShown(std::function<void(T&)> aAct) {
        fw::Application->OnModalShown = [this, aAct](fw::TWinControl* aForm) {
            auto* form = dynamic_cast<T*>(aForm);
            ASSERT_NE(form, nullptr) << aForm->ClassName();
            form->OnDestroy = [this](fw::TObject*) { ++FDestroyed; };
            aAct(*form);
        };
    }
    int FDestroyed = 0;
};

// ---- text ----

class TextDialog : public Dialogs {
protected:
    void SetLines(std::initializer_list<const char*> aLines) {
        Text().Clear();
        for (const char* line : aLines)
            Text().Add(line);
        FProp.Changes = 0;
    }
    fw::TStringList& Text() { return static_cast<TTextProp*>(FProp.get())->Lines(); }

    TWatchedProp<TTextProp> FProp;
    std::unique_ptr<TPropEditor> FEditor = fw::New<TTextPropEditor>();
};

TEST_F(TextDialog, ShowsTheLinesInAMemoAboveTheButtonStrip) {
    SetLines({"first line", "second line"});
    OnShown<TEditTextForm>([](TEditTextForm& aForm) {
        EXPECT_EQ(aForm.Caption(), "Text");
        EXPECT_EQ(aForm.ClientWidth(), 400);
        EXPECT_EQ(aForm.Left(), (fw::Screen->Width() - aForm.Width()) / 2);
        EXPECT_EQ(aForm.Panel2->BoundsRect(), fw::Rect(0, 275, 400, 300));
        EXPECT_EQ(aForm.Panel1->BoundsRect(), fw::Rect(0, 0, 400, 275));
        EXPECT_EQ(aForm.TextMemo->Parent(), aForm.Panel1);
        EXPECT_EQ(aForm.TextMemo->BoundsRect(), fw::Rect(0, 0, 400, 275));
        EXPECT_EQ(aForm.TextMemo->Text(), "first line\nsecond line");
        fw::TButton* ok = ButtonOf(*aForm.Panel2, "OK");
        fw::TButton* cancel = ButtonOf(*aForm.Panel2, "Cancel");
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(ok->BoundsRect(), fw::Rect(4, 0, 79, 23));
        EXPECT_EQ(ok->ModalResult(), fw::mrOk);
        EXPECT_EQ(cancel->BoundsRect(), fw::Rect(84, 0, 159, 23));
        EXPECT_EQ(cancel->ModalResult(), fw::mrCancel);
        Input::Click(*aForm.TextMemo, {100, 100});
        fw::SaveWindowToPng(aForm, Screenshot("text-dialog.png"));
        Click(cancel);
    });
    FEditor->Edit(FProp.get());
    EXPECT_EQ(FDestroyed, 1);
    EXPECT_EQ(FProp.Changes, 0);
}

// The memo shows a carriage return as a line break; OK on the untouched text keeps
// the lines as they were held, trailing empty line included.
TEST_F(TextDialog, OkOnAnUntouchedTextIsNoChange) {
    SetLines({"one", "", "two\r", "three", ""});
    OnShown<TEditTextForm>([](TEditTextForm& aForm) { Click(ButtonOf(*aForm.Panel2, "OK")); });
    FEditor->Edit(FProp.get());
    EXPECT_EQ(FProp.Changes, 0);
    ASSERT_EQ(Text().Count(), 5);
    EXPECT_EQ(Text()[2], "two\r");
    EXPECT_EQ(Text()[4], "");
    EXPECT_EQ(FDestroyed, 1);
}

TEST_F(TextDialog, TypedLinesAndOkAreStoredAsOneChange) {
    SetLines({"one", ""});
    OnShown<TEditTextForm>([](TEditTextForm& aForm) {
        Input::Key(*aForm.TextMemo, fw::VK_END, {fw::ssCtrl});
        Input::Type(*aForm.TextMemo, "two");
        Input::Key(*aForm.TextMemo, fw::VK_RETURN);
        Input::Type(*aForm.TextMemo, "три");
        EXPECT_TRUE(aForm.Visible()) << "Enter in the memo breaks the line";
        Click(ButtonOf(*aForm.Panel2, "OK"));
    });
    FEditor->Edit(FProp.get());
    EXPECT_EQ(FProp.Changes, 1);
    ASSERT_EQ(Text().Count(), 3);
    EXPECT_EQ(Text()[0], "one");
    EXPECT_EQ(Text()[1], "two");
    EXPECT_EQ(Text()[2], "три");
}

TEST_F(TextDialog, CancelEscapeAndClosingLeaveTheLines) {
    SetLines({"kept"});
    const std::function<void(TEditTextForm&)> closings[] = {
        [](TEditTextForm& aForm) { Click(ButtonOf(*aForm.Panel2, "Cancel")); },
        [](TEditTextForm& aForm) { Input::Key(*aForm.TextMemo, fw::VK_ESCAPE); },
        [](TEditTextForm& aForm) { aForm.Close(); },
    };
    for (const auto& close : closings) {
        OnShown<TEditTextForm>([&](TEditTextForm& aForm) {
            Input::Type(*aForm.TextMemo, "typed ");
            close(aForm);
        });
        FEditor->Edit(FProp.get());
    }
    EXPECT_EQ(FProp.Changes, 0);
    ASSERT_EQ(Text().Count(), 1);
    EXPECT_EQ(Text()[0], "kept");
    EXPECT_EQ(FDestroyed, 3);
}

TEST_F(TextDialog, AnExceptionWhileStoringLeavesAfterTheFormIsFreed) {
    SetLines({"old"});
    FProp->FOnChange = [](fw::TObject*) { throw fw::Exception("refused by the host"); };
    OnShown<TEditTextForm>([](TEditTextForm& aForm) {
        Input::Type(*aForm.TextMemo, "new ");
        Click(ButtonOf(*aForm.Panel2, "OK"));
    });
    EXPECT_THROW(FEditor->Edit(FProp.get()), fw::Exception);
    EXPECT_EQ(FDestroyed, 1);
}

TEST_F(TextDialog, RefusesAPropertyOfAnotherKind) {
    TWatchedProp<TStringProp> prop;
    EXPECT_THROW(FEditor->Edit(prop.get()), EPropEditor);
}

// ---- date and time ----

// A date-time parent with its Date and Time children, as a row holds them.
class DateDialog : public Dialogs {
protected:
    DateDialog() {
        FSubProps.Add("Date", FDate.get());
        FSubProps.Add("Time", FTime.get());
    }
    void SetParent(double aValue) {
        FParent->SetFloatValue(aValue);
        FDateTimeEditor->SetSubProps(FParent.get(), &FSubProps);
        FParent.Changes = FDate.Changes = FTime.Changes = 0;
    }
    void Recompose() { FDateTimeEditor->GetSubProps(FParent.get(), &FSubProps); }
    // Types aText into the picker as a person does once it has the focus: the first
    // section is selected, and each completed section moves on to the next.
    static void TypeInto(TFormDateTime& aForm, const char* aText) {
        EXPECT_TRUE(aForm.Picker->Focused());
        Input::Type(*aForm.Picker, aText);
    }

    // dd.mm.yyyy and hh:nn:ss.
    fw::TFormatSettingsScope FScope{test::Settings('.')};
    TWatchedProp<TDateTimeProp> FParent;
    TWatchedProp<TDateProp> FDate;
    TWatchedProp<TTimeProp> FTime;
    TSubPropList FSubProps;
    std::unique_ptr<TPropEditor> FDateTimeEditor = fw::New<TDateTimePropEditor>();
    std::unique_ptr<TPropEditor> FDateEditor = fw::New<TDatePropEditor>();
    std::unique_ptr<TPropEditor> FTimeEditor = fw::New<TTimePropEditor>();
};

TEST_F(DateDialog, DateChildPicksTheDayAndKeepsTheParentsTime) {
    SetParent(36526.75); // 01.01.2000 18:00
    OnShown<TFormDateTime>([](TFormDateTime& aForm) {
        EXPECT_EQ(aForm.Caption(), "Date");
        EXPECT_EQ(aForm.Picker->Kind(), fw::dtkDate);
        EXPECT_EQ(aForm.Picker->Left(), 50);
        EXPECT_EQ(aForm.Picker->Top(), 50);
        EXPECT_EQ(aForm.Left(), (fw::Screen->Width() - aForm.Width()) / 2);
        fw::TButton* ok = ButtonOf(aForm, "OK");
        fw::TButton* cancel = ButtonOf(aForm, "Cancel");
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(ok->BoundsRect(), fw::Rect(4, 150, 79, 173));
        EXPECT_EQ(cancel->BoundsRect(), fw::Rect(84, 150, 159, 173));
        TypeInto(aForm, "28121899");
        fw::SaveWindowToPng(aForm, Screenshot("date-dialog.png"));
        Click(ok);
    });
    FDateEditor->Edit(FDate.get());
    EXPECT_EQ(FDate.Changes, 1);
    EXPECT_EQ(FDateEditor->GetValue(FDate.get()), "28.12.1899");
    Recompose();
    EXPECT_DOUBLE_EQ(FParent->GetFloatValue(), -2.75) << "28.12.1899 18:00";
    EXPECT_EQ(FDestroyed, 1);
}

TEST_F(DateDialog, TimeChildPicksTheTimeAndKeepsTheParentsDayBefore1900) {
    SetParent(-1.25); // 29.12.1899 06:00
    OnShown<TFormDateTime>([](TFormDateTime& aForm) {
        EXPECT_EQ(aForm.Caption(), "Time");
        EXPECT_EQ(aForm.Picker->Kind(), fw::dtkTime);
        TypeInto(aForm, "180000");
        fw::SaveWindowToPng(aForm, Screenshot("time-dialog.png"));
        Input::Key(*aForm.Picker, fw::VK_RETURN);
    });
    FTimeEditor->Edit(FTime.get());
    EXPECT_EQ(FTime.Changes, 1);
    EXPECT_EQ(FTimeEditor->GetValue(FTime.get()), "18:00:00");
    Recompose();
    EXPECT_DOUBLE_EQ(FParent->GetFloatValue(), -1.75) << "29.12.1899 18:00";
}

// A date field edited alone keeps its own time of day (midnight), not the clock's.
TEST_F(DateDialog, AStandAloneValueKeepsThePartTheDialogDoesNotShow) {
    FDate->SetFloatValue(45000.0);
    FTime->SetFloatValue(0.5);
    FDate.Changes = FTime.Changes = 0;
    OnShown<TFormDateTime>([](TFormDateTime& aForm) {
        Input::Key(*aForm.Picker, fw::VK_HOME);
        Input::Key(*aForm.Picker, fw::VK_UP);
        Click(ButtonOf(aForm, "OK"));
    });
    FDateEditor->Edit(FDate.get());
    EXPECT_EQ(FDate->GetFloatValue(), 45001.0);
    FTimeEditor->Edit(FTime.get());
    EXPECT_DOUBLE_EQ(FTime->GetFloatValue(), 0.5 + 1.0 / 24) << "one hour later on day 0";
}

// The common 0001-01-01 sentinel, and a value finer than the picker's milliseconds.
TEST_F(DateDialog, OkOnAnUntouchedPickerStoresNothing) {
    for (const double value : {fw::EncodeDate(1, 1, 1), 45000.0 + 1e-9}) {
        FDate->SetFloatValue(value);
        FDate.Changes = 0;
        OnShown<TFormDateTime>([](TFormDateTime& aForm) { Click(ButtonOf(aForm, "OK")); });
        FDateEditor->Edit(FDate.get());
        EXPECT_EQ(FDate.Changes, 0) << value;
        EXPECT_EQ(FDate->GetFloatValue(), value);
    }
}

TEST_F(DateDialog, CancelEscapeAndClosingLeaveTheValue) {
    SetParent(36526.75);
    const std::function<void(TFormDateTime&)> closings[] = {
        [](TFormDateTime& aForm) { Click(ButtonOf(aForm, "Cancel")); },
        [](TFormDateTime& aForm) { Input::Key(*aForm.Picker, fw::VK_ESCAPE); },
        [](TFormDateTime& aForm) { aForm.Close(); },
    };
    for (const auto& close : closings) {
        OnShown<TFormDateTime>([&](TFormDateTime& aForm) {
            TypeInto(aForm, "15");
            close(aForm);
        });
        FDateEditor->Edit(FDate.get());
        FTimeEditor->Edit(FTime.get());
    }
    EXPECT_EQ(FDate.Changes + FTime.Changes, 0);
    Recompose();
    EXPECT_EQ(FParent->GetFloatValue(), 36526.75);
    EXPECT_EQ(FParent.Changes, 0);
    EXPECT_EQ(FDestroyed, 6);
}

TEST_F(DateDialog, CaptionsFollowTheStringTable) {
    ResStrings().Replace({{SDate, "Дата"}, {STime, "Время"}});
    std::vector<fw::String> captions;
    OnShown<TFormDateTime>([&](TFormDateTime& aForm) {
        captions.push_back(aForm.Caption());
        aForm.Close();
    });
    FDateEditor->Edit(FDate.get());
    FTimeEditor->Edit(FTime.get());
    ResStrings().Reset();
    EXPECT_EQ(captions, (std::vector<fw::String>{"Дата", "Время"}));
}

} // namespace
} // namespace quire
