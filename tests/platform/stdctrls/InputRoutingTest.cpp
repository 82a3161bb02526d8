// SPDX-License-Identifier: MIT
// Input that must reach the right window: pop-ups opened while a modal window is up,
// the mouse capture when its release cannot come, and Qt's own pop-ups.

#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/DateTimePicker.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListBox.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace fw {
namespace {

using Strings = std::vector<String>;

class InputRouting : public testing::FormFixture {
protected:
    void TearDown() override {
        Application->OnModalShown = nullptr;
        Popup.reset();
        FormFixture::TearDown();
    }
    // A frameless form with a list of three rows, as a drop-down list is.
    void MakePopup() {
        Popup = New<TForm>(nullptr, 0);
        Popup->SetBorderStyle(bsNone);
        Popup->SetBounds(500, 300, 120, 80);
        List = CreateOwned<TListBox>(Popup.get());
        List->SetParent(Popup.get());
        List->SetAlign(alClient);
        List->SetStyle(lbOwnerDrawFixed);
        List->SetItemHeight(20);
        for (const char* item : {"one", "two", "three"}) {
            List->Items()->Add(item);
        }
    }
    // Shows the pop-up, moves its selection by a key and a click, and hides it;
    // answers the rows selected after each.
    std::pair<int32_t, int32_t> UsePopup() {
        List->SetItemIndex(0);
        Popup->Show();
        Input::Key(*List, VK_DOWN);
        int32_t byKey = List->ItemIndex();
        Input::Click(*List, {10, 50});
        int32_t byClick = List->ItemIndex();
        return {byKey, byClick};
    }

    std::unique_ptr<TForm> Popup;
    TListBox* List = nullptr;
    // Outlives the form, whose controls record into it.
    Strings Events;
};

TEST_F(InputRouting, PopupOpenedFromAModalFormOrAHostsDialogTakesInput) {
    ShowForm();
    MakePopup();
    auto dialog = New<TForm>(nullptr, 0);
    dialog->SetBounds(100, 100, 300, 200);
    std::pair<int32_t, int32_t> fromModalForm;
    bool popupDeactivated = false;
    Application->OnModalShown = [&](TWinControl*) {
        fromModalForm = UsePopup();
        // A press on the modal form takes the activation back from the pop-up.
        Input::Click(*dialog, {5, 5});
        popupDeactivated = !Popup->Active() && dialog->Active();
        Popup->Hide();
        dialog->SetModalResult(mrOk);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(fromModalForm, std::make_pair(1, 2));
    EXPECT_TRUE(popupDeactivated);

    QDialog host;
    host.setGeometry(100, 100, 300, 200);
    std::pair<int32_t, int32_t> fromHostDialog;
    QTimer::singleShot(0, &host, [&] {
        fromHostDialog = UsePopup();
        Popup->Hide();
        host.accept();
    });
    host.exec();
    EXPECT_EQ(fromHostDialog, std::make_pair(1, 2));
    // Outside a modal run the pop-up belongs to no window.
    EXPECT_EQ(UsePopup(), std::make_pair(1, 2));
}

TEST_F(InputRouting, CaptureEndsWhereItsReleaseCannotCome) {
    auto* box = AddControl<TRecording<TCustomControl>>(10, 10, 100, 50);
    auto* other = AddControl<TRecording<TCustomControl>>(10, 100, 100, 50);
    ShowForm();
    MakePopup();
    // A press handler that fails: its report runs, the release may never come.
    box->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        throw Exception("press failed");
    };
    Input::Press(*box, {5, 5});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Application->LastExceptionMessage(), "press failed");
    Input::Click(*other, {5, 5});
    EXPECT_EQ(other->Log.Only({"WM_LBUTTON"}),
              (Strings{"WM_LBUTTONDOWN(5,5)", "WM_LBUTTONUP(5,5)"}));
    box->OnMouseDown = nullptr;

    // The captured window is hidden.
    Input::Press(*box, {5, 5});
    ASSERT_EQ(GetCapture(), box->WindowHandle());
    box->Hide();
    EXPECT_EQ(GetCapture(), nullptr);
    box->Show();
    Input::Release(*box, {5, 5});

    // A pop-up opens from the press.
    Input::Press(*box, {5, 5});
    ASSERT_EQ(GetCapture(), box->WindowHandle());
    Popup->Show();
    EXPECT_EQ(GetCapture(), nullptr);
    Popup->Hide();
    Input::Release(*box, {5, 5});

    // A host's modal dialog comes up.
    Input::Press(*box, {5, 5});
    ASSERT_EQ(GetCapture(), box->WindowHandle());
    QDialog host;
    host.setWindowModality(Qt::ApplicationModal);
    host.show();
    Application->ProcessMessages();
    EXPECT_EQ(GetCapture(), nullptr);
    host.hide();
    Input::Release(*box, {5, 5});
}

TEST_F(InputRouting, QtPopupsKeepTheFocusAndTheMenuKeyOpensTheContextMenu) {
    auto* edit = AddControl<TRecording<TEdit>>(10, 10, 150, 24);
    auto* picker = AddControl<TRecording<TDateTimePicker>>(10, 50, 150, 24);
    for (TWinControl* control : std::initializer_list<TWinControl*>{edit, picker}) {
        String name = control == edit ? "edit" : "picker";
        control->OnEnter = [this, name](TObject*) { Events.push_back(name + " enter"); };
        control->OnExit = [this, name](TObject*) { Events.push_back(name + " exit"); };
    }
    auto focusLog = [](TRecording<TEdit>* aEdit, TRecording<TDateTimePicker>* aPicker) {
        Strings log = aEdit->Log.Only({"WM_SETFOCUS", "WM_KILLFOCUS"});
        for (const String& entry : aPicker->Log.Only({"WM_SETFOCUS", "WM_KILLFOCUS"})) {
            log.push_back("picker " + entry);
        }
        return log;
    };
    ShowForm();
    edit->SetFocus();
    Events.clear();
    edit->Log.Clear();

    Input::Click(*edit, {20, 12}, mbRight);
    Application->ProcessMessages();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "a right click opens the edit's context menu";
    EXPECT_TRUE(edit->Focused());
    menu->close();
    Application->ProcessMessages();
    EXPECT_TRUE(edit->Focused());

    picker->SetFocus();
    Input::Click(*picker, {picker->Width() - 8, 12});
    Application->ProcessMessages();
    QWidget* calendar = QApplication::activePopupWidget();
    ASSERT_NE(calendar, nullptr) << "the drop-down button opens the calendar";
    EXPECT_TRUE(picker->Focused());
    calendar->close();
    Application->ProcessMessages();
    EXPECT_TRUE(picker->Focused());
    EXPECT_EQ(Events, (Strings{"edit exit", "picker enter"}));
    EXPECT_EQ(focusLog(edit, picker), (Strings{"WM_KILLFOCUS", "picker WM_SETFOCUS"}));

    Input::Key(*edit, VK_APPS);
    Application->ProcessMessages();
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "the Menu key opens the edit's context menu";
    menu->close();
    Application->ProcessMessages();
    EXPECT_TRUE(edit->Focused());
}

} // namespace
} // namespace fw
