// SPDX-License-Identifier: MIT
// A package for the loading tests. It reports its start-up, shut-down and
// registration to the host through fwSampleEvent, which the test program exports.
// Built with SAMPLE_FAILING_STARTUP its start-up raises; with SAMPLE_FAILING_REGISTER
// its Register registers the gauge and then a class that is no component.

#include "platform/controls/Component.h"
#include "platform/packages/PackageExports.h"
#include "platform/packages/Palette.h"
#include "platform/rtl/Exceptions.h"

#include <string>

extern "C" void fwSampleEvent(const char* aEvent);

namespace sample {

class TSampleGauge : public fw::TComponent {
    FW_CLASS(TSampleGauge, fw::TComponent)
public:
    explicit TSampleGauge(fw::TComponent* aOwner = nullptr) : TComponent(aOwner) {}
};
FW_IMPLEMENT_CLASS(TSampleGauge)

class TSampleNote : public fw::TObject {
    FW_CLASS(TSampleNote, fw::TObject)
};
FW_IMPLEMENT_CLASS(TSampleNote)

// Set by the module's own loading; a second copy of the module has its own.
int StartUps = 0;

} // namespace sample

extern "C" {

void fwPackageInitialize() {
#ifdef SAMPLE_FAILING_STARTUP
    throw fw::Exception("the gauge has no dial");
#endif
    ++sample::StartUps;
    fwSampleEvent(("start-up " + std::to_string(sample::StartUps)).c_str());
}

void fwPackageFinalize() {
    fwSampleEvent(("shut-down " + std::to_string(sample::StartUps)).c_str());
    --sample::StartUps;
}

void fwPackageRegister() {
    fwSampleEvent("register");
    fw::RegisterComponents("Samples", {sample::TSampleGauge::StaticClass()});
#ifdef SAMPLE_FAILING_REGISTER
    fw::RegisterComponents("Samples", {sample::TSampleNote::StaticClass()});
#endif
}
}
