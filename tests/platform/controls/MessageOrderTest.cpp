// SPDX-License-Identifier: MIT
// Message order for simulated mouse input: clicks, double clicks by the platform's
// rule, messages dispatched by hand between controls, and mouse capture.

#include "platform/controls/CustomControl.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/MessageRecorder.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

using Recorder = TRecording<TCustomControl>;
using Strings = std::vector<String>;

class MessageOrder : public testing::FormFixture {};

TEST_F(MessageOrder, ClickOnCustomControl) {
    auto* control = AddControl<Recorder>(20, 20, 100, 50);
    ShowForm();
    Input::Click(*control, {10, 5});
    EXPECT_EQ(control->Log.Entries(),
              (Strings{"WM_LBUTTONDOWN(10,5)", "MouseDown(mbLeft,10,5)", "WM_LBUTTONUP(10,5)",
                       "Click", "MouseUp(mbLeft,10,5)"}));
}

TEST_F(MessageOrder, DoubleClickOnCustomControl) {
    auto* control = AddControl<Recorder>(20, 20, 100, 50);
    ShowForm();
    Input::DoubleClick(*control, {10, 5});
    EXPECT_EQ(
        control->Log.Entries(),
        (Strings{"WM_LBUTTONDOWN(10,5)", "MouseDown(mbLeft,10,5)", "WM_LBUTTONUP(10,5)", "Click",
                 "MouseUp(mbLeft,10,5)", "WM_LBUTTONDBLCLK(10,5)", "DblClick",
                 "MouseDown(mbLeft,double,10,5)", "WM_LBUTTONUP(10,5)", "MouseUp(mbLeft,10,5)"}));
}

TEST_F(MessageOrder, SecondPressIsAPlainPressUnlessSameWindowInTimeAndWanted) {
    auto* first = AddControl<Recorder>(20, 20, 100, 50);
    auto* second = AddControl<Recorder>(20, 100, 100, 50);
    auto* plain = AddControl<Recorder>(20, 160, 100, 50);
    plain->SetControlStyle(plain->ControlStyle() - TControlStyle{csDoubleClicks});
    ShowForm();
    auto presses = [](Recorder* aControl) { return aControl->Log.Only({"WM_LBUTTON"}); };

    // Second press on another window within the double-click time.
    Input::Click(*first, {10, 5});
    Input::Press(*second, {10, 5});
    Input::Release(*second, {10, 5});
    EXPECT_EQ(presses(second), (Strings{"WM_LBUTTONDOWN(10,5)", "WM_LBUTTONUP(10,5)"}));

    // Same window, but after the double-click time.
    second->Log.Clear();
    Input::Pause(GetDoubleClickTime());
    Input::Press(*second, {10, 5});
    Input::Release(*second, {10, 5});
    EXPECT_EQ(presses(second), (Strings{"WM_LBUTTONDOWN(10,5)", "WM_LBUTTONUP(10,5)"}));

    // Same window, in time, but more than 2 pixels away.
    second->Log.Clear();
    Input::Click(*second, {10, 5});
    Input::Press(*second, {14, 5});
    EXPECT_EQ(presses(second).back(), "WM_LBUTTONDOWN(14,5)");
    Input::Release(*second, {14, 5});

    // A control without csDoubleClicks gets a press.
    Input::DoubleClick(*plain, {10, 5});
    EXPECT_EQ(plain->Log.Only({"WM_LBUTTONDBLCLK", "DblClick"}), Strings{});
    EXPECT_EQ(presses(plain).size(), 4u);

    // A third press after a double click starts over.
    first->Log.Clear();
    Input::DoubleClick(*first, {10, 5});
    Input::Press(*first, {10, 5});
    EXPECT_EQ(presses(first).back(), "WM_LBUTTONDOWN(10,5)");
    Input::Release(*first, {10, 5});
}

// Hands its left presses to its parent in the parent's client coordinates, as an
// editor laid over a list does.
class TForwarder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void Dispatch(TMessage& aMessage) override {
        if (aMessage.Msg != WM_LBUTTONDOWN) {
            TCustomControl::Dispatch(aMessage);
            return;
        }
        TMessage moved = aMessage;
        moved.LParam =
            PointToLParam(LParamX(aMessage.LParam) + Left(), LParamY(aMessage.LParam) + Top());
        Parent()->Dispatch(moved);
    }
};

TEST_F(MessageOrder, PressDispatchedByHandArrivesInTheOtherControlsCoordinates) {
    auto* list = AddControl<Recorder>(20, 20, 200, 150);
    auto* editor = New<TForwarder>(nullptr).release();
    editor->SetBounds(15, 30, 100, 20);
    editor->SetParent(list);
    ShowForm();
    Input::Click(*editor, {5, 6});
    EXPECT_EQ(list->Log.Only({"WM_LBUTTONDOWN", "MouseDown"}),
              (Strings{"WM_LBUTTONDOWN(20,36)", "MouseDown(mbLeft,20,36)"}));
    // The press captured the mouse for the list, so the release reaches it too.
    EXPECT_EQ(list->Log.Only({"WM_LBUTTONUP"}), (Strings{"WM_LBUTTONUP(20,36)"}));
    EXPECT_FALSE(list->MouseCapture());
}

TEST_F(MessageOrder, CaptureHoldsMovesDuringADrag) {
    auto* dragged = AddControl<Recorder>(20, 20, 100, 50);
    auto* other = AddControl<Recorder>(20, 200, 100, 50);
    dragged->Filter = [](uint32_t aMsg) { return IsMouseMessage(aMsg); };
    other->Filter = dragged->Filter;
    ShowForm();
    Input::Pause(1000);
    Input::Press(*dragged, {10, 10});
    EXPECT_TRUE(dragged->MouseCapture());
    Input::Move(*other, {5, 5});
    Input::Move(*dragged, {500, -30});
    Input::Release(*other, {5, 5});
    EXPECT_FALSE(dragged->MouseCapture());
    EXPECT_EQ(other->Log.Entries(), Strings{});
    // The pointer moves onto the press point before the press and onto the release
    // point before the release, as it does for a person.
    EXPECT_EQ(dragged->Log.Only({"WM_"}),
              (Strings{"WM_MOUSEMOVE(10,10)", "WM_LBUTTONDOWN(10,10)", "WM_MOUSEMOVE(5,185)",
                       "WM_MOUSEMOVE(500,-30)", "WM_MOUSEMOVE(5,185)", "WM_LBUTTONUP(5,185)"}));
    // Released outside: no click.
    EXPECT_EQ(dragged->Log.Only({"Click"}), Strings{});
    // Without capture the moves go to the control under the pointer again.
    Input::Move(*other, {6, 6});
    EXPECT_EQ(other->Log.Only({"WM_"}), Strings{"WM_MOUSEMOVE(6,6)"});
}

TEST_F(MessageOrder, PerformedMessagesRunTheSameHandlers) {
    auto* control = AddControl<Recorder>(20, 20, 100, 50);
    control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(3, 4));
    control->Perform(WM_LBUTTONUP, 0, PointToLParam(3, 4));
    EXPECT_EQ(control->Log.Entries(),
              (Strings{"WM_LBUTTONDOWN(3,4)", "MouseDown(mbLeft,3,4)", "WM_LBUTTONUP(3,4)", "Click",
                       "MouseUp(mbLeft,3,4)"}));
}

} // namespace
} // namespace fw
