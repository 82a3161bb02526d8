// SPDX-License-Identifier: MIT
#pragma once
// The editor registry: which editor class serves which property class.
//
// Registrations are kept in order and never replaced. GetPropEditorClass looks at
// each registration's property class and its ancestors: a registration serves the
// class it names and every ancestor of it, the nearest (fewest parent steps) winning
// and, among equally near ones, the earliest. So an editor registered for a base
// class is not found for a derived class without its own registration, and a second
// registration for an already served class changes nothing. The name given at
// registration is kept but never consulted.
//
// The library's start-up (InitializeEditorsUnit, run once when the library is loaded)
// creates the registry and registers the twelve standard editors; its shut-down
// (FinalizeEditorsUnit) frees it. Both are guarded by a load counter, so only the
// first start-up and the matching last shut-down act. Registrations belong on the GUI
// thread, at start-up, before rows are built.

#include "quire/editors/PropEditorTypes.h"
#include "quire/values/Prop.h"

#include <vector>

namespace quire {

// Appends a registration. Raises EPropEditor when the library is shut down (no
// registry).
void RegisterPropEditor(const fw::String& aName, TPropClass aPropClass,
                        TPropEditorClass aEditorClass);
// The editor class for aPropClass, or nullptr when no registration serves it (or
// the library is shut down).
TPropEditorClass GetPropEditorClass(TPropClass aPropClass);
// Registers the standard editors, each with an empty name, in this order: boolean,
// smallint, longint, string, double, text, date, time, date-time, word, largeint,
// decimal.
void RegisterStdProps();

// Library start-up and shut-down, counted (see above).
void InitializeEditorsUnit();
void FinalizeEditorsUnit();

// A copy of one registration, for diagnostics and tests.
struct TRegPropEditorInfo {
    fw::String Name;
    TPropClass PropClass = nullptr;
    TPropEditorClass EditorClass = nullptr;
};
// The registrations in order; empty when the library is shut down.
std::vector<TRegPropEditorInfo> RegisteredPropEditors();

} // namespace quire
