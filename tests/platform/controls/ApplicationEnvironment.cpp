// SPDX-License-Identifier: MIT
// For test programs that draw text before any window exists (and then make
// windows): the application object is made at start, on the offscreen platform
// unless another is asked for. A QGuiApplication of the test's own would rule out
// windows.

#include "platform/controls/Application.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace fw::testing {
namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        Application->Initialize();
        Application->SetShowExceptionDialogs(false);
    }
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
} // namespace fw::testing
