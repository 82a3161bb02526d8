// SPDX-License-Identifier: MIT
// Forms: modal runs ended by a button's modal result, activation and deactivation
// (click-to-activate included), closing, positions.

#include "platform/stdctrls/Form.h"
#include "platform/controls/ControlErrors.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"
#include "platform/controls/Screen.h"
#include "platform/controls/Timer.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Panel.h"

#include <gtest/gtest.h>

#include <memory>

namespace fw {
namespace {

using Strings = std::vector<String>;

class Forms : public testing::FormFixture {
protected:
    void TearDown() override {
        Application->OnModalShown = nullptr;
        FormFixture::TearDown();
    }
};

// A dialog built in code with OK and Cancel buttons on a bottom panel.
struct TDialog : TForm {
    TButton* Ok;
    TButton* Cancel;
    TDialog(TComponent* aOwner, bool* aDestroyed) : TForm(aOwner, 0) {
        SetCaption("Dialog");
        SetPosition(poScreenCenter);
        auto* strip = CreateOwned<TPanel>(this);
        strip->SetParent(this);
        strip->SetAlign(alBottom);
        strip->SetHeight(25);
        strip->SetBevelOuter(bvNone);
        Ok = CreateOwned<TButton>(strip);
        Ok->SetParent(strip);
        Ok->SetBounds(4, 0, 75, 23);
        Ok->SetCaption("OK");
        Ok->SetModalResult(mrOk);
        Cancel = CreateOwned<TButton>(strip);
        Cancel->SetParent(strip);
        Cancel->SetBounds(84, 0, 75, 23);
        Cancel->SetCaption("Cancel");
        Cancel->SetModalResult(mrCancel);
        // OnDestroy runs in TForm's destructor, after this class's part is gone:
        // the handler keeps what it needs itself.
        OnDestroy = [aDestroyed](TObject*) { *aDestroyed = true; };
    }
};

TEST_F(Forms, ModalFormReturnsItsButtonsModalResultAndIsFreed) {
    ShowForm();
    bool destroyed = false;
    auto dialog = New<TDialog>(nullptr, &destroyed);
    bool wasShownModal = false;
    Application->OnModalShown = [&](TWinControl* aForm) {
        wasShownModal = aForm == dialog.get() && dialog->Visible() && dialog->Active();
        Input::Click(*dialog->Ok, {10, 10});
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(wasShownModal);
    EXPECT_FALSE(dialog->Visible());
    // Centred on the 800 x 800 screen.
    EXPECT_EQ(dialog->Left(), (Screen->Width() - 320) / 2);
    dialog.reset();
    EXPECT_TRUE(destroyed);
    Application->ProcessMessages();
    // The form that was active before the dialog is active again.
    EXPECT_TRUE(Form->Active());
}

TEST_F(Forms, ModalFormBlocksInputToOtherForms) {
    auto* behind = AddControl<TRecording<TCustomControl>>(10, 10, 100, 50);
    ShowForm();
    bool destroyed = false;
    auto dialog = New<TDialog>(nullptr, &destroyed);
    dialog->SetPosition(poDesigned);
    dialog->SetLeft(450);
    Application->OnModalShown = [&](TWinControl*) {
        Input::Click(*behind, {10, 10});
        Input::Click(*dialog->Ok, {10, 10});
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(behind->Log.Only({"WM_LBUTTON"}), Strings{});
    Input::Click(*behind, {10, 10});
    EXPECT_EQ(behind->Log.Only({"WM_LBUTTON"}),
              (Strings{"WM_LBUTTONDOWN(10,10)", "WM_LBUTTONUP(10,10)"}));
}

TEST_F(Forms, CancelButtonKeyboardAndCloseEndTheModalRun) {
    bool destroyed = false;
    auto dialog = New<TDialog>(nullptr, &destroyed);
    Application->OnModalShown = [&](TWinControl*) { Input::Key(*dialog->Cancel, VK_SPACE); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Application->OnModalShown = [&](TWinControl*) { dialog->Close(); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    // OnCloseQuery can keep the modal form open; a later result ends it.
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& aCanClose) { aCanClose = ++asked > 1; };
    TTimer retry;
    retry.SetEnabled(false);
    retry.SetInterval(5);
    retry.SetOnTimer([&](TObject*) {
        retry.SetEnabled(false);
        EXPECT_TRUE(dialog->Visible());
        Input::Click(*dialog->Ok, {10, 10});
    });
    Application->OnModalShown = [&](TWinControl*) {
        Input::Click(*dialog->Ok, {10, 10});
        retry.SetEnabled(true);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(asked, 2);
}

TEST_F(Forms, ModalFormDestroyedDuringItsRunEndsItWithCancel) {
    bool destroyed = false;
    auto* dialog = New<TDialog>(nullptr, &destroyed).release();
    Application->OnModalShown = [&](TWinControl*) { dialog->Release(); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(destroyed);
    Application->ProcessMessages();
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
}

// A one-shot hook: not captured by the hook, so reading it does not depend on the
// hook's own storage.
std::weak_ptr<int> gHookState;
bool gHookStateGoneDuringCall = false;

TEST_F(Forms, ModalHookThatRemovesItselfRunsToItsEnd) {
    bool destroyed = false;
    auto dialog = New<TDialog>(nullptr, &destroyed);
    auto state = std::make_shared<int>(0);
    gHookState = state;
    TButton* ok = dialog->Ok;
    Application->OnModalShown = [state, ok](TWinControl*) {
        Application->OnModalShown = nullptr;
        gHookStateGoneDuringCall = gHookState.expired();
        ++*state;
        Input::Click(*ok, {10, 10});
    };
    state.reset();
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(gHookStateGoneDuringCall) << "the running hook was destroyed under it";
    EXPECT_TRUE(gHookState.expired());
}

TEST_F(Forms, ShowModalOnAVisibleFormRaises) {
    ShowForm();
    EXPECT_THROW(Form->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, ActivationMovesBetweenFormsAndAPressActivates) {
    Strings events;
    auto track = [&](TForm& aForm, const String& aName) {
        aForm.OnActivate = [&events, aName](TObject*) { events.push_back(aName + " activate"); };
        aForm.OnDeactivate = [&events, aName](TObject*) {
            events.push_back(aName + " deactivate");
        };
    };
    auto popup = New<TForm>(nullptr, 0);
    popup->SetBorderStyle(bsNone);
    popup->SetBounds(500, 100, 100, 100);
    track(*Form, "main");
    track(*popup, "popup");
    ShowForm();
    popup->Show();
    EXPECT_TRUE(popup->Active());
    // A press on the main form takes the activation from the pop-up.
    Input::Click(*Form, {5, 5});
    EXPECT_TRUE(Form->Active());
    EXPECT_FALSE(popup->Active());
    EXPECT_EQ(events, (Strings{"main activate", "main deactivate", "popup activate",
                               "popup deactivate", "main activate"}));
    // Hiding the active pop-up gives the activation back.
    popup->Hide();
    events.clear();
    popup->Show();
    popup->Hide();
    EXPECT_EQ(events,
              (Strings{"main deactivate", "popup activate", "popup deactivate", "main activate"}));
}

TEST_F(Forms, ShownPopupFocusesItsListAndWaitsForAKey) {
    ShowForm();
    auto popup = New<TForm>(nullptr, 0);
    popup->SetBorderStyle(bsNone);
    popup->SetBounds(300, 300, 120, 80);
    auto* list = CreateOwned<TListBox>(popup.get());
    list->SetParent(popup.get());
    list->SetAlign(alClient);
    list->SetCtl3D(false);
    list->Items()->Add("one");
    list->Items()->Add("two");
    list->SetItemIndex(0);
    list->OnKeyDown = [&](TObject*, uint16_t& aKey, TShiftState) {
        if (aKey == VK_RETURN) {
            popup->SetModalResult(mrOk);
            aKey = 0;
        }
    };
    popup->OnDeactivate = [&](TObject*) { popup->SetModalResult(mrCancel); };
    popup->Show();
    EXPECT_TRUE(list->Focused());
    EXPECT_EQ(list->ClientRect(), Rect(0, 0, 118, 78));
    Input::Key(*list, VK_DOWN);
    Input::Key(*list, VK_RETURN);
    EXPECT_EQ(popup->ModalResult(), mrOk);
    EXPECT_EQ(list->ItemIndex(), 1);
    // A press outside it, on the main form, cancels.
    popup->SetModalResult(mrNone);
    Input::Click(*Form, {5, 5});
    EXPECT_EQ(popup->ModalResult(), mrCancel);
}

TEST_F(Forms, PressInsideANativeWidgetActivatesItsForm) {
    ShowForm();
    auto notes = New<TForm>(nullptr, 0);
    notes->SetBounds(450, 50, 200, 150);
    auto* memo = CreateOwned<TMemo>(notes.get());
    memo->SetParent(notes.get());
    memo->SetAlign(alClient);
    notes->Show();
    Input::Click(*Form, {5, 5});
    ASSERT_TRUE(Form->Active());
    Input::Click(*memo, {20, 20});
    EXPECT_TRUE(notes->Active());
    EXPECT_FALSE(Form->Active());
}

TEST_F(Forms, CloseHidesAndOnCloseCanRefuse) {
    ShowForm();
    TCloseAction action = caNone;
    Form->OnClose = [&](TObject*, TCloseAction& aAction) { aAction = action; };
    Form->Close();
    EXPECT_TRUE(Form->Visible());
    action = caHide;
    Form->Close();
    EXPECT_FALSE(Form->Visible());
}

TEST_F(Forms, ClosingTheMainFormTerminates) {
    ShowForm();
    Application->SetMainForm(Form.get());
    Form->Close();
    EXPECT_TRUE(Application->Terminated());
    Application->ResetTerminated();
    Application->SetMainForm(nullptr);
}

// Enter and Escape that the focused control leaves alone go to the window's
// default and cancel buttons.
TEST_F(Forms, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    auto* edit = AddControl<TEdit>(10, 10, 120, 24);
    auto* memo = AddControl<TMemo>(10, 40, 120, 60);
    auto* ok = AddControl<TButton>(10, 110, 75, 25);
    auto* cancel = AddControl<TButton>(90, 110, 75, 25);
    int oks = 0;
    int cancels = 0;
    ok->OnClick = [&](TObject*) { ++oks; };
    cancel->OnClick = [&](TObject*) { ++cancels; };
    int enterChars = 0;
    edit->OnKeyPress = [&](TObject*, char32_t& aKey) { enterChars += aKey == 13 ? 1 : 0; };
    ShowForm();
    Input::Key(*edit, VK_RETURN);
    Input::Key(*edit, VK_ESCAPE);
    EXPECT_EQ(oks + cancels, 0) << "no default or cancel button yet";
    EXPECT_EQ(enterChars, 1);

    ok->SetDefault(true);
    cancel->SetCancel(true);
    Input::Key(*edit, VK_RETURN);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(enterChars, 1) << "a key the dialog took gives no character";
    Input::Key(*memo, VK_ESCAPE);
    EXPECT_EQ(cancels, 1);
    // The memo keeps Enter for its line breaks unless told otherwise.
    Input::Type(*memo, "a");
    Input::Key(*memo, VK_RETURN);
    Input::Type(*memo, "b");
    EXPECT_EQ(memo->Text(), "a\nb");
    EXPECT_EQ(oks, 1);
    memo->SetWantReturns(false);
    Input::Key(*memo, VK_RETURN);
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(memo->Text(), "a\nb");
    // A focused button takes Enter itself; Ctrl+Enter is no dialog key.
    Input::Key(*cancel, VK_RETURN);
    EXPECT_EQ(cancels, 2);
    EXPECT_EQ(oks, 2);
    Input::Key(*edit, VK_RETURN, {ssCtrl});
    EXPECT_EQ(oks, 2);
    // A disabled default button takes nothing.
    ok->SetEnabled(false);
    Input::Key(*edit, VK_RETURN);
    EXPECT_EQ(oks, 2);
}

TEST_F(Forms, EscapeEndsAModalRunThroughTheCancelButton) {
    bool destroyed = false;
    auto dialog = New<TDialog>(nullptr, &destroyed);
    dialog->Ok->SetDefault(true);
    dialog->Cancel->SetCancel(true);
    auto* edit = CreateOwned<TEdit>(dialog.get());
    edit->SetParent(dialog.get());
    edit->SetBounds(10, 10, 100, 24);
    Application->OnModalShown = [&](TWinControl*) { Input::Key(*edit, VK_ESCAPE); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Application->OnModalShown = [&](TWinControl*) { Input::Key(*edit, VK_RETURN); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST_F(Forms, DestroyingAFormOrRecreatingAWindowMovesNoFocus) {
    ShowForm();
    auto other = New<TForm>(nullptr, 0);
    other->SetBounds(450, 50, 200, 150);
    auto* first = CreateOwned<TEdit>(other.get());
    first->SetParent(other.get());
    first->SetBounds(10, 10, 100, 24);
    auto* second = CreateOwned<TEdit>(other.get());
    second->SetParent(other.get());
    second->SetBounds(10, 40, 100, 24);
    Strings events;
    first->OnEnter = [&](TObject*) { events.push_back("first enter"); };
    first->OnExit = [&](TObject*) { events.push_back("first exit"); };
    second->OnEnter = [&](TObject*) { events.push_back("second enter"); };
    other->Show();
    first->SetFocus();
    events.clear();
    // Recreated windows keep the focus.
    first->SetCtl3D(!first->Ctl3D());
    EXPECT_TRUE(first->Focused());
    other->SetBorderStyle(bsSingle);
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(other->ActiveControl(), first);
    other.reset();
    EXPECT_EQ(events, Strings{});
}

TEST_F(Forms, PanelsAlignAndPaintTheirBevel) {
    auto* panel = AddControl<TPanel>(0, 0, 10, 10);
    panel->SetAlign(alTop);
    panel->SetHeight(40);
    auto* inner = New<TPanel>(nullptr).release();
    inner->SetParent(panel);
    inner->SetAlign(alClient);
    ShowForm();
    EXPECT_EQ(panel->Width(), Form->ClientWidth());
    // The raised bevel takes one pixel on each side of the inner area.
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, panel->Width() - 1, 39));
}

} // namespace
} // namespace fw
