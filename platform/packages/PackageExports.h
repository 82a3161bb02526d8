// SPDX-License-Identifier: MIT
#pragma once
// The entry points a package exports, by these names, for LoadPackage and
// RegisterPackage. A package defines all four (fwPackageRegister may be absent when it
// has nothing for the palette):
//   fwPackageInitialize  the start-up of the package's units; LoadPackage calls it on
//                        every load, so start-up code that must act once keeps a count
//   fwPackageFinalize    the matching shut-down, called by UnloadPackage
//   fwPackageRegister    registers the package's components (RegisterComponents)
//   fwModuleResources    the package's resources; it must hold PACKAGEINFO
// An exception that leaves fwPackageInitialize makes the load fail.

#include "platform/packages/Resources.h"

extern "C" {
void fwPackageInitialize();
void fwPackageFinalize();
void fwPackageRegister();
const fw::TResourceTable* fwModuleResources();
}
