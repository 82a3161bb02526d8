// SPDX-License-Identifier: MIT
#include "platform/packages/Package.h"

#include "platform/packages/PackageErrors.h"
#include "platform/packages/internal/PaletteOwners.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

namespace fw {

namespace {

using TProc = void (*)();
using TResourcesProc = const TResourceTable* (*)();

struct TLoadedPackage {
    HMODULE Handle = 0;
    String FileName;
    int32_t LoadCount = 0;
    bool Registered = false;
    TProc Initialize = nullptr;
    TProc Finalize = nullptr;
    TProc Register = nullptr;
    const TResourceTable* Resources = nullptr;
    TPackageInfo Info;
};

std::vector<TLoadedPackage>& Packages() {
    static std::vector<TLoadedPackage> packages;
    return packages;
}

TLoadedPackage* FindPackage(HMODULE aModule) {
    auto& packages = Packages();
    auto found = std::find_if(packages.begin(), packages.end(),
                              [&](const TLoadedPackage& p) { return p.Handle == aModule; });
    return found == packages.end() ? nullptr : &*found;
}

String HandleText(HMODULE aModule) {
    char text[2 + 2 * sizeof(HMODULE) + 1];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(aModule));
    return text;
}

TLoadedPackage& LoadedPackage(const char* aCaller, HMODULE aModule) {
    if (TLoadedPackage* package = FindPackage(aModule))
        return *package;
    throw EPackageError(String(aCaller) + ": no package is loaded with handle " +
                        HandleText(aModule));
}

void* Symbol(void* aLibrary, const char* aName) {
    dlerror();
    return dlsym(aLibrary, aName);
}

// Closes the library when the load does not complete.
class TOpenLibrary {
public:
    explicit TOpenLibrary(void* aLibrary) : FLibrary(aLibrary) {}
    ~TOpenLibrary() {
        if (FLibrary != nullptr)
            dlclose(FLibrary);
    }
    TOpenLibrary(const TOpenLibrary&) = delete;
    TOpenLibrary& operator=(const TOpenLibrary&) = delete;
    void* Get() const { return FLibrary; }
    void Keep() { FLibrary = nullptr; }

private:
    void* FLibrary;
};

[[noreturn]] void NotAPackage(const String& aFileName, const String& aReason) {
    throw EPackageError("\"" + aFileName + "\" is not a package: " + aReason);
}

TLoadedPackage ReadEntryPoints(void* aLibrary, const String& aFileName) {
    TLoadedPackage package;
    package.Handle = reinterpret_cast<HMODULE>(aLibrary);
    package.FileName = aFileName;
    package.Initialize = reinterpret_cast<TProc>(Symbol(aLibrary, "fwPackageInitialize"));
    package.Finalize = reinterpret_cast<TProc>(Symbol(aLibrary, "fwPackageFinalize"));
    package.Register = reinterpret_cast<TProc>(Symbol(aLibrary, "fwPackageRegister"));
    const auto resources = reinterpret_cast<TResourcesProc>(Symbol(aLibrary, "fwModuleResources"));
    const std::pair<const void*, const char*> required[] = {
        {reinterpret_cast<const void*>(package.Initialize), "fwPackageInitialize"},
        {reinterpret_cast<const void*>(package.Finalize), "fwPackageFinalize"},
        {reinterpret_cast<const void*>(resources), "fwModuleResources"}};
    for (const auto& [address, name] : required)
        if (address == nullptr)
            NotAPackage(aFileName, String("it exports no ") + name);
    package.Resources = resources();
    if (package.Resources == nullptr)
        NotAPackage(aFileName, "it has no resources");
    try {
        package.Info = ReadPackageInfo(*package.Resources);
    } catch (const Exception& e) {
        NotAPackage(aFileName, e.Message());
    }
    if (package.Info.ModuleType != mtPackage)
        NotAPackage(aFileName, "its PACKAGEINFO does not describe a package module");
    return package;
}

void CheckUnitsNotLoaded(const TLoadedPackage& aPackage) {
    for (const TLoadedPackage& other : Packages())
        for (const String& unit : aPackage.Info.Contains)
            if (std::find(other.Info.Contains.begin(), other.Info.Contains.end(), unit) !=
                other.Info.Contains.end())
                throw EPackageError("Cannot load package \"" + aPackage.FileName +
                                    "\": it contains unit " + unit + ", which package \"" +
                                    other.FileName + "\" holds already");
}

// Takes its arguments by value: a start-up that loads another package moves the
// package table.
void RunStartUp(TProc aInitialize, const String aFileName) {
    try {
        aInitialize();
    } catch (const Exception& e) {
        throw EPackageError("Cannot load package \"" + aFileName +
                            "\": its start-up failed: " + e.Message());
    } catch (const std::exception& e) {
        throw EPackageError("Cannot load package \"" + aFileName +
                            "\": its start-up failed: " + e.what());
    }
}

} // namespace

HMODULE LoadPackage(const String& aFileName) {
    if (aFileName.empty())
        throw EPackageError("LoadPackage: the file name is empty");
    TOpenLibrary library(dlopen(aFileName.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (library.Get() == nullptr) {
        const char* reason = dlerror();
        throw EPackageError("Cannot load package \"" + aFileName +
                            "\": " + (reason ? reason : "unknown reason"));
    }
    const auto handle = reinterpret_cast<HMODULE>(library.Get());
    if (const TLoadedPackage* loaded = FindPackage(handle)) {
        RunStartUp(loaded->Initialize, loaded->FileName);
        // Looked up again: the start-up may have loaded packages.
        if (TLoadedPackage* again = FindPackage(handle)) {
            ++again->LoadCount;
        }
        library.Keep();
        return handle;
    }
    TLoadedPackage package = ReadEntryPoints(library.Get(), aFileName);
    CheckUnitsNotLoaded(package);
    RunStartUp(package.Initialize, package.FileName);
    package.LoadCount = 1;
    Packages().push_back(std::move(package));
    library.Keep();
    return handle;
}

void UnloadPackage(HMODULE aModule) {
    TLoadedPackage& package = LoadedPackage("UnloadPackage", aModule);
    const TProc finalize = package.Finalize;
    if (--package.LoadCount == 0) {
        internal::RemoveModuleComponents(aModule);
        std::erase_if(Packages(), [&](const TLoadedPackage& p) { return p.Handle == aModule; });
    }
    std::exception_ptr error;
    try {
        finalize();
    } catch (...) {
        error = std::current_exception();
    }
    dlclose(reinterpret_cast<void*>(aModule));
    if (error)
        std::rethrow_exception(error);
}

bool RegisterPackage(HMODULE aModule) {
    TLoadedPackage& package = LoadedPackage("RegisterPackage", aModule);
    if (package.Register == nullptr || package.Registered)
        return false;
    // By value: a Register that loads another package moves the package table.
    const TProc registerProc = package.Register;
    const String fileName = package.FileName;
    internal::TRegisteringModuleScope scope(aModule);
    try {
        registerProc();
    } catch (const Exception& e) {
        internal::RemoveModuleComponents(aModule);
        throw EPackageError("Register of package \"" + fileName + "\" failed: " + e.Message());
    } catch (...) {
        internal::RemoveModuleComponents(aModule);
        throw;
    }
    if (TLoadedPackage* registered = FindPackage(aModule))
        registered->Registered = true;
    return true;
}

void* GetProcAddress(HMODULE aModule, const String& aName) {
    LoadedPackage("GetProcAddress", aModule);
    return Symbol(reinterpret_cast<void*>(aModule), aName.c_str());
}

String GetModuleFileName(HMODULE aModule) {
    return LoadedPackage("GetModuleFileName", aModule).FileName;
}

const TResourceTable& ModuleResources(HMODULE aModule) {
    return *LoadedPackage("ModuleResources", aModule).Resources;
}

TPackageInfo GetPackageInfo(HMODULE aModule) {
    return LoadedPackage("GetPackageInfo", aModule).Info;
}

String GetPackageDescription(HMODULE aModule) {
    const TResourceTable& resources = ModuleResources(aModule);
    if (!HasResource(resources, rtData, "DESCRIPTION"))
        return {};
    const TResourceBytes data = FindResource(resources, rtData, "DESCRIPTION");
    String text(reinterpret_cast<const char*>(data.data()), data.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::vector<HMODULE> LoadedPackages() {
    std::vector<HMODULE> handles;
    for (const TLoadedPackage& package : Packages())
        handles.push_back(package.Handle);
    return handles;
}

} // namespace fw
