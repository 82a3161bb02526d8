// SPDX-License-Identifier: MIT
#pragma once
// The component palette: the pages a host (a form designer, an About box) shows, each
// with the component classes registered on it.
//
// RegisterComponents adds classes to a page, creating the page on first use; pages
// and the classes on them keep their registration order. A class is on one page
// only. Classes registered while a package's Register runs (RegisterPackage) belong
// to that package and leave the palette when it is unloaded, and a page left empty
// goes with them. Everything runs on the GUI thread.

#include "platform/rtl/Object.h"

#include <vector>

namespace fw {

struct TPalettePage {
    String Name;
    std::vector<TClass> Classes;
};

// Raises EComponentError, registering none of aClasses, when aPage is empty or a class
// is null, does not derive from TComponent, or is already on the palette.
void RegisterComponents(const String& aPage, const std::vector<TClass>& aClasses);
// A copy of the palette, pages in registration order.
std::vector<TPalettePage> PalettePages();
// The page aClass is on, or an empty string when it is not on the palette.
String ComponentPage(TClass aClass);
// The registered class of that name (as ClassName gives it), or nullptr.
TClass FindComponentClass(const String& aClassName);

} // namespace fw
