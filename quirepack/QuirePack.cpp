// SPDX-License-Identifier: MIT
// The package's entry points (platform/packages/PackageExports.h). Its resources
// come from the resource files listed in CMakeLists.txt.

#include "quirepack/QuireReg.h"

#include "quire/editors/PropEditorRegistry.h"
#include "quire/inplace/PickList.h"

#include "platform/packages/PackageExports.h"

namespace {

// Loads of the package not yet matched by an unload.
int32_t PackageLoads = 0;

} // namespace

extern "C" {

// The unit's start-up and shut-down are counted (PropEditorRegistry.h), so a host
// that links the package and loads it as well creates the registry once and frees
// it when the last of them lets go.
void fwPackageInitialize() {
    quire::InitializeEditorsUnit();
    ++PackageLoads;
}

// The last unload also frees the shared pick list form: the application object owns
// it, and would otherwise destroy it after the package's code is gone. It is made
// again on its next use.
void fwPackageFinalize() {
    quire::FinalizeEditorsUnit();
    if (PackageLoads > 0 && --PackageLoads == 0)
        delete quire::PickListForm;
}

void fwPackageRegister() {
    quire::Register();
}
}
