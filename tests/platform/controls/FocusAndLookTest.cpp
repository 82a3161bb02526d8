// SPDX-License-Identifier: MIT
// Focus messages and OnEnter/OnExit, parent colour and font, cursor shapes, the
// pointer and key state as the translated input leaves them.

#include "platform/controls/CustomControl.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/qt/QtWindow.h"
#include "platform/stdctrls/Edit.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

using Strings = std::vector<String>;

class FocusAndLook : public testing::FormFixture {};

TEST_F(FocusAndLook, FocusMovesWithEnterAndExitBetweenControls) {
    auto* first = AddControl<TRecording<TEdit>>(10, 10, 100, 24);
    auto* second = AddControl<TRecording<TEdit>>(10, 50, 100, 24);
    Strings events;
    for (auto* edit : {first, second}) {
        String name = edit == first ? "first" : "second";
        edit->Filter = [](uint32_t aMsg) { return aMsg == WM_SETFOCUS || aMsg == WM_KILLFOCUS; };
        edit->OnEnter = [&events, name](TObject*) { events.push_back(name + " enter"); };
        edit->OnExit = [&events, name](TObject*) { events.push_back(name + " exit"); };
    }
    ShowForm();
    first->SetFocus();
    EXPECT_TRUE(first->Focused());
    Input::Click(*second, {5, 5});
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(Form->FocusedControl(), second);
    EXPECT_EQ(events, (Strings{"first enter", "first exit", "second enter"}));
    EXPECT_EQ(first->Log.Only({"WM_"}), (Strings{"WM_SETFOCUS", "WM_KILLFOCUS"}));
    EXPECT_EQ(second->Log.Only({"WM_"}), Strings{"WM_SETFOCUS"});
}

TEST_F(FocusAndLook, HiddenOrDisabledControlsDoNotTakeTheFocus) {
    auto* edit = AddControl<TEdit>(10, 10, 100, 24);
    ShowForm();
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->CanFocus());
    edit->SetFocus();
    EXPECT_FALSE(edit->Focused());
    edit->SetEnabled(true);
    edit->Hide();
    EXPECT_FALSE(edit->CanFocus());
    edit->Show();
    EXPECT_TRUE(edit->CanFocus());
}

TEST_F(FocusAndLook, ChildrenFollowTheParentsColourAndFontUntilGivenTheirOwn) {
    auto* panel = AddControl<TCustomControl>(10, 10, 200, 100);
    auto* child = New<TCustomControl>(nullptr).release();
    child->SetParent(panel);
    Form->SetColor(clYellow);
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_EQ(child->Color(), clYellow);
    child->SetColor(clAqua);
    EXPECT_FALSE(child->ParentColor());
    Form->SetColor(clLime);
    EXPECT_EQ(panel->Color(), clLime);
    EXPECT_EQ(child->Color(), clAqua);
    child->SetParentColor(true);
    EXPECT_EQ(child->Color(), clLime);

    TFont font;
    font.SetName("DejaVu Serif");
    font.SetHeight(-15);
    Form->SetFont(font);
    EXPECT_EQ(child->Font()->Name(), "DejaVu Serif");
    EXPECT_TRUE(child->ParentFont());
    child->Font()->SetHeight(-20);
    EXPECT_FALSE(child->ParentFont());
    font.SetHeight(-9);
    Form->SetFont(font);
    EXPECT_EQ(panel->Font()->Height(), -9);
    EXPECT_EQ(child->Font()->Height(), -20);
}

TEST_F(FocusAndLook, CursorShapeReachesTheWindowAndPointerStateFollowsInput) {
    auto* control = AddControl<TCustomControl>(10, 10, 100, 50);
    ShowForm();
    control->SetCursor(crHSplit);
    QWidget* widget = qt::FromHandle(control->WindowHandle())->Widget();
    EXPECT_EQ(widget->cursor().shape(), Qt::SplitHCursor);
    control->SetCursor(crDefault);
    EXPECT_FALSE(widget->testAttribute(Qt::WA_SetCursor));

    Input::Move(*control, {7, 8});
    TPoint cursor;
    GetCursorPos(cursor);
    EXPECT_EQ(control->ScreenToClient(cursor), (TPoint{7, 8}));
    TShiftState seen;
    control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState aShift, int32_t, int32_t) {
        seen = aShift;
        EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    };
    Input::Press(*control, {7, 8}, mbLeft, {ssCtrl});
    EXPECT_TRUE(seen.Contains(ssCtrl));
    EXPECT_TRUE(seen.Contains(ssLeft));
    EXPECT_FALSE(seen.Contains(ssShift));
    Input::Release(*control, {7, 8});
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST_F(FocusAndLook, DestroyingTheCapturingControlReleasesTheCapture) {
    auto* control = AddControl<TCustomControl>(10, 10, 100, 50);
    ShowForm();
    Input::Press(*control, {5, 5});
    ASSERT_EQ(GetCapture(), control->WindowHandle());
    delete control;
    EXPECT_EQ(GetCapture(), nullptr);
    Input::Release(*Form, {15, 15});
}

TEST_F(FocusAndLook, RightButtonAndWheelMessages) {
    auto* control = AddControl<TRecording<TCustomControl>>(10, 10, 100, 50);
    ShowForm();
    Input::Click(*control, {4, 6}, mbRight);
    EXPECT_EQ(control->Log.Entries(), (Strings{"WM_RBUTTONDOWN(4,6)", "MouseDown(mbRight,4,6)",
                                               "WM_RBUTTONUP(4,6)", "MouseUp(mbRight,4,6)"}));
    EXPECT_FALSE(control->MouseCapture());
}

TEST_F(FocusAndLook, DesignStateReachesOwnedComponents) {
    auto* control = AddControl<TCustomControl>(10, 10, 100, 50);
    Form->SetDesigning(true);
    EXPECT_TRUE(control->ComponentState().Contains(csDesigning));
    auto* later = CreateOwned<TCustomControl>(Form.get());
    EXPECT_TRUE(later->ComponentState().Contains(csDesigning));
    Form->SetDesigning(false);
    EXPECT_FALSE(control->ComponentState().Contains(csDesigning));
}

} // namespace
} // namespace fw
