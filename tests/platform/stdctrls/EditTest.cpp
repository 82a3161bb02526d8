// SPDX-License-Identifier: MIT
// Edits and memos on their Qt widgets, driven by simulated keys.

#include "platform/stdctrls/Edit.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/Memo.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

using Strings = std::vector<String>;

// An edit that takes some keys for itself the way an in-place editor does: Up goes
// elsewhere, Enter commits, Ctrl+Enter opens a dialog; the rest is left to the field.
class TCommandEdit : public TEdit {
public:
    using TEdit::TEdit;
    Strings Commands;
    bool AltHeldOnSysKey = false;

    void Dispatch(TMessage& aMessage) override {
        switch (aMessage.Msg) {
        case WM_KEYDOWN:
            if (aMessage.WParam == VK_UP) {
                Commands.push_back("up");
                return;
            }
            break;
        case WM_SYSKEYDOWN:
            if (aMessage.WParam == VK_DOWN) {
                AltHeldOnSysKey = GetAsyncKeyState(VK_MENU) < 0;
                Commands.push_back("alt+down");
                return;
            }
            break;
        case WM_CHAR:
            if (aMessage.WParam == 13) {
                Commands.push_back("commit " + Text());
                return;
            }
            if (aMessage.WParam == 10) {
                Commands.push_back("dialog");
                return;
            }
            break;
        default:
            break;
        }
        TEdit::Dispatch(aMessage);
    }
};

class Edits : public testing::FormFixture {};

TEST_F(Edits, KeysReachTheHandlersAndUnhandledKeysEditTheText) {
    auto* edit = AddControl<TCommandEdit>(10, 10, 150, 24);
    ShowForm();
    Input::Type(*edit, "abc");
    EXPECT_EQ(edit->Text(), "abc");
    Input::Key(*edit, VK_LEFT);
    Input::Type(*edit, "X");
    EXPECT_EQ(edit->Text(), "abXc");
    Input::Key(*edit, VK_BACK);
    EXPECT_EQ(edit->Text(), "abc");
    Input::Key(*edit, VK_UP);
    Input::Key(*edit, VK_RETURN);
    Input::Key(*edit, VK_RETURN, {ssCtrl});
    Input::Key(*edit, 'J', {ssCtrl});
    Input::Key(*edit, VK_DOWN, {ssAlt});
    EXPECT_EQ(edit->Commands, (Strings{"up", "commit abc", "dialog", "dialog", "alt+down"}));
    EXPECT_TRUE(edit->AltHeldOnSysKey);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);
}

TEST_F(Edits, TypedTextBeyondAsciiArrivesAsCharacters) {
    auto* edit = AddControl<TRecording<TEdit>>(10, 10, 150, 24);
    edit->Filter = [](uint32_t aMsg) { return aMsg == WM_CHAR; };
    ShowForm();
    Input::Type(*edit, "Дата ✓");
    EXPECT_EQ(edit->Text(), "Дата ✓");
    EXPECT_EQ(edit->Log.Entries().front(), "WM_CHAR(1044)");
    EXPECT_EQ(edit->Log.Entries().size(), 6u);
}

TEST_F(Edits, KeyMessagesComeInPlatformOrder) {
    auto* edit = AddControl<TRecording<TEdit>>(10, 10, 150, 24);
    edit->Filter = [](uint32_t aMsg) { return IsKeyMessage(aMsg); };
    ShowForm();
    Input::Key(*edit, 'A');
    Input::Key(*edit, VK_DOWN, {ssAlt});
    EXPECT_EQ(edit->Log.Entries(),
              (Strings{"WM_KEYDOWN(65)", "WM_CHAR(97)", "WM_KEYUP(65)", "WM_SYSKEYDOWN(18)",
                       "WM_SYSKEYDOWN(40)", "WM_SYSKEYUP(40)", "WM_SYSKEYUP(18)"}));
}

TEST_F(Edits, KeysAndCharactersChangedByTheHandlersReachTheFieldChanged) {
    auto* edit = AddControl<TEdit>(10, 10, 150, 24);
    auto* memo = AddControl<TMemo>(10, 40, 150, 60);
    for (TWinControl* control : std::initializer_list<TWinControl*>{edit, memo}) {
        control->OnKeyPress = [](TObject*, char32_t& aKey) {
            if (aKey == ',') {
                aKey = '.';
            } else if (aKey >= 'a' && aKey <= 'z') {
                aKey -= 'a' - 'A';
            }
        };
        control->OnKeyDown = [](TObject*, uint16_t& aKey, TShiftState) {
            if (aKey == VK_LEFT) {
                aKey = VK_HOME;
            }
        };
    }
    ShowForm();
    for (TWinControl* control : std::initializer_list<TWinControl*>{edit, memo}) {
        Input::Type(*control, "a,b");
        Input::Key(*control, VK_LEFT);
        Input::Type(*control, "c");
    }
    EXPECT_EQ(edit->Text(), "CA.B");
    EXPECT_EQ(memo->Text(), "CA.B");
}

TEST_F(Edits, CharactersTypedWithAltArriveButAltShortcutsTypeNothing) {
    auto* edit = AddControl<TRecording<TEdit>>(10, 10, 150, 24);
    edit->Filter = [](uint32_t aMsg) { return aMsg == WM_CHAR; };
    ShowForm();
    // AltGr where the platform reports Ctrl+Alt; Option, which reports Alt.
    Input::TypeWithKey(*edit, 'Q', {ssCtrl, ssAlt}, "@");
    Input::TypeWithKey(*edit, 'A', {ssCtrl, ssAlt}, "ą");
    Input::TypeWithKey(*edit, 'E', {ssAlt}, "€");
    // Alt+F carries its letter as text, and is a shortcut.
    Input::Key(*edit, 'F', {ssAlt});
    Input::Key(*edit, '1', {ssAlt});
    EXPECT_EQ(edit->Text(), "@ą€");
    EXPECT_EQ(edit->Log.Entries(), (Strings{"WM_CHAR(64)", "WM_CHAR(261)", "WM_CHAR(8364)"}));
}

TEST_F(Edits, ComposedTextArrivesAsCharactersThatKeyPressSees) {
    auto* edit = AddControl<TEdit>(10, 10, 150, 24);
    std::u32string seen;
    edit->OnKeyPress = [&](TObject*, char32_t& aKey) {
        seen += aKey;
        if (aKey == U'é') {
            aKey = U'É';
        }
    };
    ShowForm();
    Input::Type(*edit, "a");
    Input::Compose(*edit, "é");
    Input::Compose(*edit, "ñ");
    EXPECT_EQ(seen, U"aéñ");
    EXPECT_EQ(edit->Text(), "aÉñ");
}

// A held key repeats its press; its release comes once, at the end.
TEST_F(Edits, HeldKeyRepeatsThePressAndReleasesOnce) {
    struct TKeyLog : TEdit {
        using TEdit::TEdit;
        Strings Log;
        void Dispatch(TMessage& aMessage) override {
            if (aMessage.Msg == WM_KEYDOWN) {
                Log.push_back((aMessage.LParam >> 30) & 1 ? "down again" : "down");
            } else if (aMessage.Msg == WM_KEYUP) {
                Log.push_back("up");
            }
            TEdit::Dispatch(aMessage);
        }
    };
    auto* edit = AddControl<TKeyLog>(10, 10, 150, 24);
    int keyUps = 0;
    edit->OnKeyUp = [&](TObject*, uint16_t&, TShiftState) { ++keyUps; };
    ShowForm();
    Input::KeyRepeat(*edit, 'X', 2);
    EXPECT_EQ(edit->Log, (Strings{"down", "down again", "down again", "up"}));
    EXPECT_EQ(keyUps, 1);
    EXPECT_EQ(edit->Text(), "xxx");
    EXPECT_EQ(GetAsyncKeyState('X'), 0);
}

TEST_F(Edits, ChangeFiresForTypedAndProgrammaticText) {
    auto* edit = AddControl<TEdit>(10, 10, 150, 24);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("before the window");
    EXPECT_EQ(changes, 1);
    ShowForm();
    EXPECT_EQ(edit->Text(), "before the window");
    edit->SetText("set");
    EXPECT_EQ(changes, 2);
    edit->SetText("set");
    EXPECT_EQ(changes, 2);
    Input::Key(*edit, VK_END);
    Input::Type(*edit, "!");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit->Text(), "set!");
}

TEST_F(Edits, DoubleClickFollowsThePlatformRuleNotQts) {
    auto* edit = AddControl<TRecording<TEdit>>(10, 10, 150, 24);
    edit->Filter = [](uint32_t aMsg) { return aMsg == WM_LBUTTONDOWN || aMsg == WM_LBUTTONDBLCLK; };
    edit->SetText("hello world");
    ShowForm();
    // Two presses 10 ms apart: a double click for Qt, but not within a double-click
    // time of 5 ms; the field gets two plain presses and selects no word.
    SetDoubleClickTime(5);
    Input::DoubleClick(*edit, {12, 10});
    EXPECT_EQ(edit->Log.Only({"WM_"}), (Strings{"WM_LBUTTONDOWN(12,10)", "WM_LBUTTONDOWN(12,10)"}));
    EXPECT_EQ(edit->SelLength(), 0);
    // Within the double-click time it is one, and the field selects the word.
    SetDoubleClickTime(500);
    edit->Log.Clear();
    Input::DoubleClick(*edit, {12, 10});
    EXPECT_EQ(edit->Log.Only({"WM_"}),
              (Strings{"WM_LBUTTONDOWN(12,10)", "WM_LBUTTONDBLCLK(12,10)"}));
    EXPECT_EQ(edit->SelLength(), 5);
}

TEST_F(Edits, ReadOnlyFieldIgnoresTypingButStillGetsItsKeys) {
    auto* edit = AddControl<TCommandEdit>(10, 10, 150, 24);
    edit->SetText("fixed");
    edit->SetReadOnly(true);
    ShowForm();
    Input::Type(*edit, "zz");
    Input::Key(*edit, VK_RETURN, {ssCtrl});
    EXPECT_EQ(edit->Text(), "fixed");
    EXPECT_EQ(edit->Commands, Strings{"dialog"});
}

TEST_F(Edits, SelectAllAndTextSurviveWindowRecreation) {
    auto* edit = AddControl<TEdit>(10, 10, 150, 24);
    ShowForm();
    edit->SetText("keep me");
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 7);
    edit->RecreateWnd();
    EXPECT_EQ(edit->Text(), "keep me");
}

TEST_F(Edits, MemoLinesFollowTheText) {
    auto* memo = AddControl<TMemo>(10, 10, 200, 100);
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "first\nsecond");
    EXPECT_EQ(changes, 2);
    ShowForm();
    EXPECT_EQ(memo->Lines()->Count(), 2);
    Input::Key(*memo, VK_END, {ssCtrl});
    Input::Key(*memo, VK_RETURN);
    Input::Type(*memo, "third");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(2), "third");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Text(), "second\nthird");
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_THROW(memo->Lines()->Get(0), EStringListError);
}

} // namespace
} // namespace fw
