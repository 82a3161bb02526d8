// SPDX-License-Identifier: MIT
#pragma once
// Which package registered which palette entries. Private to the packages library:
// RegisterPackage names the package whose Register is running, UnloadPackage takes
// the package's entries off the palette.

#include <cstdint>

namespace fw::internal {

// Palette entries made while a scope lives belong to aModule (0: to the host).
class TRegisteringModuleScope {
public:
    explicit TRegisteringModuleScope(uintptr_t aModule);
    ~TRegisteringModuleScope();
    TRegisteringModuleScope(const TRegisteringModuleScope&) = delete;
    TRegisteringModuleScope& operator=(const TRegisteringModuleScope&) = delete;

private:
    uintptr_t FPrevious;
};

// Takes every class aModule registered off the palette; empty pages go too.
void RemoveModuleComponents(uintptr_t aModule);

} // namespace fw::internal
