// SPDX-License-Identifier: MIT
#include "GuiTestApp.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace fw::test {

namespace {

// Fonts need a QGuiApplication; the offscreen platform needs no display.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "graphics_tests";
        static char* argv[] = {name, nullptr};
        FApp = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QGuiApplication> FApp;
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

} // namespace fw::test
