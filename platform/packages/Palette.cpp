// SPDX-License-Identifier: MIT
#include "platform/packages/Palette.h"

#include "platform/controls/Component.h"
#include "platform/packages/PackageErrors.h"
#include "platform/packages/internal/PaletteOwners.h"

#include <algorithm>

namespace fw {

namespace {

struct TPaletteEntry {
    TClass Class;
    uintptr_t Module;
};

struct TPageEntries {
    String Name;
    std::vector<TPaletteEntry> Entries;
};

std::vector<TPageEntries>& Pages() {
    static std::vector<TPageEntries> pages;
    return pages;
}

uintptr_t& RegisteringModule() {
    static uintptr_t module = 0;
    return module;
}

const TPageEntries* PageOf(TClass aClass) {
    for (const auto& page : Pages())
        for (const auto& entry : page.Entries)
            if (entry.Class == aClass)
                return &page;
    return nullptr;
}

void CheckRegistrable(const String& aPage, TClass aClass, const std::vector<TClass>& aClasses,
                      size_t aIndex) {
    if (aClass == nullptr)
        throw EComponentError("RegisterComponents: class " + std::to_string(aIndex) +
                              " for page \"" + aPage + "\" is null");
    if (!aClass->InheritsFrom(TComponent::StaticClass()))
        throw EComponentError("RegisterComponents: " + aClass->ClassName() +
                              " is not a component class and cannot go on page \"" + aPage + "\"");
    if (const TPageEntries* page = PageOf(aClass))
        throw EComponentError("RegisterComponents: " + aClass->ClassName() +
                              " is already registered on page \"" + page->Name + "\"");
    if (std::find(aClasses.begin(), aClasses.begin() + static_cast<ptrdiff_t>(aIndex), aClass) !=
        aClasses.begin() + static_cast<ptrdiff_t>(aIndex))
        throw EComponentError("RegisterComponents: " + aClass->ClassName() +
                              " is given twice for page \"" + aPage + "\"");
}

TPageEntries& FindOrAddPage(const String& aName) {
    auto& pages = Pages();
    auto found = std::find_if(pages.begin(), pages.end(),
                              [&](const TPageEntries& page) { return page.Name == aName; });
    if (found != pages.end())
        return *found;
    return pages.emplace_back(TPageEntries{aName, {}});
}

} // namespace

void RegisterComponents(const String& aPage, const std::vector<TClass>& aClasses) {
    if (aPage.empty())
        throw EComponentError("RegisterComponents: the page name is empty");
    for (size_t i = 0; i < aClasses.size(); ++i)
        CheckRegistrable(aPage, aClasses[i], aClasses, i);
    if (aClasses.empty())
        return;
    TPageEntries& page = FindOrAddPage(aPage);
    for (TClass cls : aClasses)
        page.Entries.push_back({cls, RegisteringModule()});
}

std::vector<TPalettePage> PalettePages() {
    std::vector<TPalettePage> result;
    for (const auto& page : Pages()) {
        TPalettePage copy{page.Name, {}};
        for (const auto& entry : page.Entries)
            copy.Classes.push_back(entry.Class);
        result.push_back(std::move(copy));
    }
    return result;
}

String ComponentPage(TClass aClass) {
    const TPageEntries* page = PageOf(aClass);
    return page ? page->Name : String();
}

TClass FindComponentClass(const String& aClassName) {
    for (const auto& page : Pages())
        for (const auto& entry : page.Entries)
            if (aClassName == entry.Class->Name)
                return entry.Class;
    return nullptr;
}

namespace internal {

TRegisteringModuleScope::TRegisteringModuleScope(uintptr_t aModule)
    : FPrevious(RegisteringModule()) {
    RegisteringModule() = aModule;
}

TRegisteringModuleScope::~TRegisteringModuleScope() {
    RegisteringModule() = FPrevious;
}

void RemoveModuleComponents(uintptr_t aModule) {
    auto& pages = Pages();
    for (auto& page : pages)
        std::erase_if(page.Entries,
                      [&](const TPaletteEntry& entry) { return entry.Module == aModule; });
    std::erase_if(pages, [](const TPageEntries& page) { return page.Entries.empty(); });
}

} // namespace internal

} // namespace fw
