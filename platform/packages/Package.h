// SPDX-License-Identifier: MIT
#pragma once
// Packages: shared libraries that a host loads while it runs, each with its start-up
// and shut-down, its palette registration and its resources (see PackageExports.h
// for what a package exports).
//
// LoadPackage opens the file with the system's dynamic loader, which loads the
// libraries the package needs with it, checks the package's PACKAGEINFO (a package
// module whose units no other loaded package holds) and runs its start-up. Loading
// the same file again answers the same handle and is counted; UnloadPackage runs the
// shut-down each time, and the last one takes the package's classes off the palette
// and closes the file. A failed load leaves nothing loaded and raises EPackageError
// naming the file and the reason. Everything runs on the GUI thread.

#include "platform/packages/Resources.h"

#include <cstdint>

namespace fw {

// A loaded package; 0 is none.
using HMODULE = uintptr_t;

HMODULE LoadPackage(const String& aFileName);
// Raises EPackageError for a handle LoadPackage did not give. The shut-down's own
// exception is passed on once the package is closed.
void UnloadPackage(HMODULE aModule);
// Runs the package's fwPackageRegister; the classes it registers belong to the
// package. Answers false, doing nothing, when the package has no such entry or was
// registered already. When Register raises, what it registered is taken back and
// EPackageError names the package and the reason.
bool RegisterPackage(HMODULE aModule);

// The address of an exported symbol of the package or of a library it needs, or
// nullptr.
void* GetProcAddress(HMODULE aModule, const String& aName);
// The file name the package was loaded from, as given to LoadPackage.
String GetModuleFileName(HMODULE aModule);
const TResourceTable& ModuleResources(HMODULE aModule);
TPackageInfo GetPackageInfo(HMODULE aModule);
// The text of the DESCRIPTION resource, or an empty string when there is none.
String GetPackageDescription(HMODULE aModule);
// The loaded packages, in load order.
std::vector<HMODULE> LoadedPackages();

} // namespace fw
