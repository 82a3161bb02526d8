// SPDX-License-Identifier: MIT
#pragma once
// The scripted tour: drives the demo's window with simulated input the way a person
// would and writes a numbered picture of the window after each step (with the pick
// list or dialog of the moment drawn over it). Each step checks what it did and
// raises EDemoError naming the step when that did not happen. The tour runs on its
// own fresh copy of the sample database, in the picture folder.

#include "DemoDatabase.h"

#include "platform/packages/Package.h"

namespace demo {

// The sample database the tour uses in aFolder (made afresh).
fw::String PrepareTourDatabase(const fw::String& aFolder);
// Runs the tour over a shown form on aData; writes pictures into aFolder and one
// line per step to standard output.
void RunTour(TDemoData& aData, fw::HMODULE aPackage, const fw::String& aFolder);

} // namespace demo
