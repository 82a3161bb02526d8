// The package's entry points (platform/packages/PackageExports.h). Its resources
// come from the resource files listed in CMakeLists.txt.

#include "quirepack/QuireReg.h"

#include "quire/editors/PropEditorRegistry.h"

#include "platform/packages/PackageExports.h"

extern "C" {

// The unit's start-up and shut-down are counted (PropEditorRegistry.h), so a host
// that links the package and loads it as well creates the registry once and frees
// it when the last of them lets go.
void fwPackageInitialize() {
    quire::InitializeEditorsUnit();
}

void fwPackageFinalize() {
    quire::FinalizeEditorsUnit();
}

void fwPackageRegister() {
    quire::Register();
}
}
