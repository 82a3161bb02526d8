// SPDX-License-Identifier: MIT
#pragma once
// A shown form to put controls on, with the platform clock fixed and the
// application's exception report cleared, for tests driven by simulated input.

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/qt/InputSimulator.h"
#include "platform/stdctrls/Form.h"

#include <gtest/gtest.h>

#include <memory>

namespace fw::testing {

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetTickCount(1000000);
        SetDoubleClickTime(500);
        Application->ClearLastException();
        Application->SetShowExceptionDialogs(false);
        Form = New<TForm>(nullptr, 0);
        Form->SetBounds(40, 40, 400, 300);
        Form->SetCaption("Test form");
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
        ReleaseCapture();
    }
    // Shows the form and lets the first paints happen.
    void ShowForm() {
        Form->Show();
        Application->ProcessMessages();
    }
    template <class T> T* AddControl(int32_t aLeft, int32_t aTop, int32_t aWidth, int32_t aHeight) {
        T* control = CreateOwned<T>(Form.get());
        control->SetBounds(aLeft, aTop, aWidth, aHeight);
        control->SetParent(Form.get());
        return control;
    }

    std::unique_ptr<TForm> Form;
    using Input = TInputSimulator;
};

} // namespace fw::testing
