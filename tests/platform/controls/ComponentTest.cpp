// SPDX-License-Identifier: MIT
// Component ownership, destruction notices, child controls and alignment.

#include "platform/controls/CustomControl.h"
#include "platform/controls/FormFixture.h"
#include "platform/qt/QtWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fw {
namespace {

std::vector<std::string>* gDestroyed = nullptr;

class TTracked : public TComponent {
public:
    using TComponent::TComponent;
    ~TTracked() override {
        if (gDestroyed != nullptr) {
            gDestroyed->push_back(Name());
        }
    }
    std::vector<std::pair<TComponent*, TOperation>> Heard;

protected:
    void Notification(TComponent* aComponent, TOperation aOperation) override {
        TComponent::Notification(aComponent, aOperation);
        Heard.emplace_back(aComponent, aOperation);
    }
};

TEST(Component, OwnerDestroysOwnedComponentsLastFirst) {
    std::vector<std::string> destroyed;
    gDestroyed = &destroyed;
    {
        auto owner = New<TTracked>(nullptr);
        owner->SetName("owner");
        for (const char* name : {"first", "second", "third"}) {
            CreateOwned<TTracked>(owner.get())->SetName(name);
        }
        EXPECT_EQ(owner->ComponentCount(), 3);
        EXPECT_EQ(owner->FindComponent("SECOND")->Name(), "second");
    }
    gDestroyed = nullptr;
    EXPECT_EQ(destroyed, (std::vector<std::string>{"owner", "third", "second", "first"}));
}

TEST(Component, OwnedComponentFreedAloneLeavesItsOwner) {
    auto owner = New<TTracked>(nullptr);
    TTracked* child = CreateOwned<TTracked>(owner.get());
    const auto childAddress = reinterpret_cast<uintptr_t>(static_cast<TComponent*>(child));
    delete child;
    EXPECT_EQ(owner->ComponentCount(), 0);
    ASSERT_EQ(owner->Heard.size(), 2u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(owner->Heard[1].first), childAddress);
    EXPECT_EQ(owner->Heard[1].second, opRemove);
}

TEST(Component, FreeNotificationTellsTheOtherSide) {
    auto watcher = New<TTracked>(nullptr);
    auto watched = New<TTracked>(nullptr);
    watcher->FreeNotification(watched.get());
    const auto goneAddress = reinterpret_cast<uintptr_t>(static_cast<TComponent*>(watched.get()));
    watched.reset();
    ASSERT_EQ(watcher->Heard.size(), 1u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(watcher->Heard[0].first), goneAddress);
    EXPECT_EQ(watcher->Heard[0].second, opRemove);
    // The notice is one-off: destroying the watcher later tells nobody.
    watcher.reset();
}

TEST(Component, OwnedComponentsSeeTheDestroyingStateOfTheirOwner) {
    struct TReporter : TComponent {
        bool* Out;
        TReporter(TComponent* aOwner, bool* aOut) : TComponent(aOwner), Out(aOut) {}
        ~TReporter() override { *Out = ComponentState().Contains(csDestroying); }
    };
    bool destroying = false;
    {
        auto owner = New<TComponent>(nullptr);
        CreateOwned<TReporter>(owner.get(), &destroying);
    }
    EXPECT_TRUE(destroying);
}

class ControlsWithoutWindow : public testing::FormFixture {};

TEST_F(ControlsWithoutWindow, StateIsKeptAndPushedWhenTheWindowIsCreated) {
    auto* control = AddControl<TCustomControl>(10, 20, 30, 40);
    control->SetCursor(crHSplit);
    control->SetVisible(false);
    EXPECT_FALSE(control->HandleAllocated());
    EXPECT_EQ(control->ClientRect(), Rect(0, 0, 30, 40));
    ShowForm();
    ASSERT_TRUE(control->HandleAllocated());
    QWidget* widget = qt::FromHandle(control->WindowHandle())->Widget();
    EXPECT_EQ(widget->geometry(), QRect(10, 20, 30, 40));
    EXPECT_FALSE(widget->isVisible());
    EXPECT_EQ(widget->cursor().shape(), Qt::SplitHCursor);
    control->Show();
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(control->Showing());
}

TEST_F(ControlsWithoutWindow, WindowMadeWithoutParentMovesOntoTheParentLater) {
    auto* control = New<TCustomControl>(nullptr).release();
    control->SetBounds(5, 6, 20, 10);
    control->HandleNeeded();
    control->SetParent(Form.get());
    ShowForm();
    ASSERT_TRUE(control->HandleAllocated());
    QWidget* widget = qt::FromHandle(control->WindowHandle())->Widget();
    EXPECT_EQ(widget->parentWidget(), qt::FromHandle(Form->WindowHandle())->Widget());
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(control->ClientOrigin().X, Form->ClientOrigin().X + 5);
}

TEST_F(ControlsWithoutWindow, ParentDestroysItsChildControls) {
    auto panel = New<TCustomControl>(nullptr);
    auto* child = New<TCustomControl>(nullptr).release();
    child->SetParent(panel.get());
    struct TWatch : TComponent {
        using TComponent::TComponent;
        bool Gone = false;
        void Notification(TComponent*, TOperation aOperation) override {
            Gone = aOperation == opRemove;
        }
    };
    auto watch = New<TWatch>(nullptr);
    watch->FreeNotification(child);
    panel.reset();
    EXPECT_TRUE(watch->Gone);
}

TEST_F(ControlsWithoutWindow, AlignPlacesChildrenTopBottomThenClient) {
    auto* top = AddControl<TCustomControl>(0, 0, 10, 30);
    auto* bottom = AddControl<TCustomControl>(0, 0, 10, 25);
    auto* client = AddControl<TCustomControl>(0, 0, 10, 10);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    client->SetAlign(alClient);
    ShowForm();
    TRect area = Form->ClientRect();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, area.Right, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, area.Bottom - 25, area.Right, area.Bottom));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, area.Right, area.Bottom - 25));
    Form->SetBounds(Form->Left(), Form->Top(), 300, 200);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 175));
}

} // namespace
} // namespace fw
