// SPDX-License-Identifier: MIT
// The event loop: timers, exceptions in handlers, HandleMessage and Terminate.

#include "platform/controls/CustomControl.h"
#include "platform/controls/FormFixture.h"
#include "platform/controls/Screen.h"
#include "platform/controls/Timer.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace fw {
namespace {

// Runs the event loop until aDone or a real-time limit of two seconds.
template <class F> bool RunUntil(F aDone) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!aDone()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Application->ProcessMessages();
    }
    return true;
}

class EventLoop : public testing::FormFixture {};

TEST_F(EventLoop, TimerTicksOnTheEventLoopWhileEnabled) {
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject* aSender) {
        EXPECT_EQ(aSender, &timer);
        ++ticks;
    });
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(RunUntil([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    int stopped = ticks;
    Application->ProcessMessages();
    EXPECT_EQ(ticks, stopped);
}

TEST_F(EventLoop, DisabledTimerAndTimerWithoutHandlerDoNotTick) {
    TTimer timer;
    timer.SetEnabled(false);
    int ticks = 0;
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    while (std::chrono::steady_clock::now() < until) {
        Application->ProcessMessages();
    }
    EXPECT_EQ(ticks, 0);
}

// What a one-shot handler uses; not captured, so that reading it does not depend on
// the handler's own storage.
TTimer* gOneShotTimer = nullptr;
std::weak_ptr<int> gOneShotState;
bool gStateGoneDuringTick = false;

TEST_F(EventLoop, HandlerThatRemovesItselfRunsToItsEnd) {
    TTimer timer;
    timer.SetInterval(5);
    gOneShotTimer = &timer;
    auto state = std::make_shared<int>(0);
    gOneShotState = state;
    timer.SetOnTimer([state](TObject*) {
        gOneShotTimer->SetOnTimer(nullptr);
        gStateGoneDuringTick = gOneShotState.expired();
        ++*state;
    });
    state.reset();
    EXPECT_TRUE(RunUntil([&] { return !timer.OnTimer(); }));
    EXPECT_FALSE(gStateGoneDuringTick) << "the running handler was destroyed under it";
    EXPECT_TRUE(gOneShotState.expired());
    gOneShotTimer = nullptr;
}

class TThrowing : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Presses = 0;
    void MouseDown(TMouseButton, TShiftState, int32_t aX, int32_t) override {
        ++Presses;
        if (aX < 50) {
            throw EConvertError("'abc' is not a valid integer value");
        }
    }
};

TEST_F(EventLoop, ExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
    auto* control = AddControl<TThrowing>(10, 10, 100, 40);
    ShowForm();
    Input::Click(*control, {10, 10});
    EXPECT_EQ(Application->ExceptionCount(), 1);
    EXPECT_EQ(Application->LastExceptionMessage(), "'abc' is not a valid integer value");
    EXPECT_EQ(Application->LastExceptionClass(), "EConvertError");
    // The press after it is handled as usual.
    Input::Click(*control, {60, 10});
    EXPECT_EQ(control->Presses, 2);
    EXPECT_EQ(Application->ExceptionCount(), 1);
}

TEST_F(EventLoop, ExceptionInATimerIsReportedAndTheTimerGoesOn) {
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&](TObject*) {
        ++ticks;
        throw Exception("tick failed");
    });
    EXPECT_TRUE(RunUntil([&] { return ticks >= 2; }));
    EXPECT_EQ(Application->LastExceptionMessage(), "tick failed");
    EXPECT_GE(Application->ExceptionCount(), 2);
}

TEST_F(EventLoop, OnExceptionReplacesTheStandardReport) {
    auto* control = AddControl<TThrowing>(10, 10, 100, 40);
    ShowForm();
    String seen;
    Application->OnException = [&](TObject* aSender, const std::exception_ptr& aError) {
        EXPECT_EQ(aSender, control);
        try {
            std::rethrow_exception(aError);
        } catch (const Exception& e) {
            seen = e.Message();
        }
    };
    Input::Click(*control, {10, 10});
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "'abc' is not a valid integer value");
    EXPECT_EQ(Application->ExceptionCount(), 0);
}

std::weak_ptr<int> gReportState;
bool gReportStateGoneDuringCall = false;

TEST_F(EventLoop, OnExceptionThatRemovesItselfRunsToItsEnd) {
    auto* control = AddControl<TThrowing>(10, 10, 100, 40);
    ShowForm();
    auto state = std::make_shared<int>(0);
    gReportState = state;
    Application->OnException = [state](TObject*, const std::exception_ptr&) {
        Application->OnException = nullptr;
        gReportStateGoneDuringCall = gReportState.expired();
        ++*state;
    };
    state.reset();
    Input::Click(*control, {10, 10});
    EXPECT_FALSE(gReportStateGoneDuringCall) << "the running handler was destroyed under it";
    EXPECT_TRUE(gReportState.expired());
    EXPECT_EQ(Application->ExceptionCount(), 0);
}

TEST_F(EventLoop, RunEndsOnTerminate) {
    TTimer timer;
    timer.SetInterval(5);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 3) {
            Application->Terminate();
        }
    });
    Application->Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(Application->Terminated());
    Application->ResetTerminated();
}

TEST(ExceptionReport, AddsAFullStopOnlyWhereTheMessageNeedsOne) {
    EXPECT_EQ(ExceptionReportText("tick failed"), "tick failed.");
    EXPECT_EQ(ExceptionReportText("Не найден объект"), "Не найден объект.");
    EXPECT_EQ(ExceptionReportText("Неверное значение: \"yes\""), "Неверное значение: \"yes\"");
    EXPECT_EQ(ExceptionReportText("List index out of bounds (5)"), "List index out of bounds (5)");
    EXPECT_EQ(ExceptionReportText("Done."), "Done.");
    EXPECT_EQ(ExceptionReportText(""), "");
}

TEST(SystemState, ClockDoubleClickTimeAndWorkArea) {
    SetTickCount(5000);
    AdvanceTickCount(250);
    EXPECT_EQ(GetTickCount(), 5250u);
    SetDoubleClickTime(0);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    TRect area;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0));
    // Nothing takes part of the screen on the test platforms.
    EXPECT_EQ(area, Rect(0, 0, Screen->Width(), Screen->Height()));
    SetWorkAreaOverride(Rect(0, 0, 640, 440));
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, Rect(0, 0, 640, 440));
    SetWorkAreaOverride(std::nullopt);
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &area, 0));
}

} // namespace
} // namespace fw
