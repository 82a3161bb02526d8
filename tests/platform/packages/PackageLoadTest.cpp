// SPDX-License-Identifier: MIT
#include "platform/controls/Component.h"
#include "platform/packages/Package.h"
#include "platform/packages/PackageErrors.h"
#include "platform/packages/Palette.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

namespace {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

} // namespace

// Run once on the next event of a sample package, then cleared.
std::function<void(const std::string&)>& NextEventHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

// Called by the sample packages.
extern "C" void fwSampleEvent(const char* aEvent) {
    Events().push_back(aEvent);
    if (auto hook = std::exchange(NextEventHook(), nullptr))
        hook(aEvent);
}

namespace fw {

namespace {

using TEvents = std::vector<std::string>;

// Whether the system loader has the file mapped (loaded and not yet closed).
bool Mapped(const String& aFile) {
    void* library = dlopen(aFile.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr)
        return false;
    dlclose(library);
    return true;
}

bool OnPalette(const String& aPage) {
    const auto pages = PalettePages();
    return std::any_of(pages.begin(), pages.end(),
                       [&](const TPalettePage& page) { return page.Name == aPage; });
}

String LoadError(const String& aFile) {
    try {
        LoadPackage(aFile);
    } catch (const EPackageError& e) {
        return e.Message();
    }
    return "(loaded)";
}

class Packages : public ::testing::Test {
protected:
    void SetUp() override {
        Events().clear();
        ASSERT_TRUE(LoadedPackages().empty());
    }
    void TearDown() override {
        for (HMODULE module : LoadedPackages())
            UnloadPackage(module);
        std::filesystem::remove_all(FTemp);
    }
    String TempFile(const String& aName) {
        std::filesystem::create_directories(FTemp);
        return (FTemp / aName).string();
    }

private:
    std::filesystem::path FTemp =
        std::filesystem::temp_directory_path() / ("fw-packages-" + std::to_string(::getpid()));
};

} // namespace

TEST_F(Packages, LoadRunsTheStartUpAndUnloadTheShutDownThenClosesTheFile) {
    ASSERT_FALSE(Mapped(SAMPLE_PACKAGE));
    const HMODULE module = LoadPackage(SAMPLE_PACKAGE);
    EXPECT_EQ(Events(), TEvents{"start-up 1"});
    EXPECT_TRUE(Mapped(SAMPLE_PACKAGE));
    EXPECT_EQ(LoadedPackages(), std::vector<HMODULE>{module});
    EXPECT_EQ(GetModuleFileName(module), SAMPLE_PACKAGE);
    EXPECT_NE(GetProcAddress(module, "fwPackageRegister"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "fwNoSuchEntry"), nullptr);

    UnloadPackage(module);
    EXPECT_EQ(Events(), (TEvents{"start-up 1", "shut-down 1"}));
    EXPECT_FALSE(Mapped(SAMPLE_PACKAGE));
    EXPECT_TRUE(LoadedPackages().empty());
    EXPECT_THROW(UnloadPackage(module), EPackageError);
    EXPECT_THROW(GetModuleFileName(module), EPackageError);
}

TEST_F(Packages, ResourcesAreReadThroughTheLoadedPackage) {
    const HMODULE module = LoadPackage(SAMPLE_PACKAGE);
    const TPackageInfo info = GetPackageInfo(module);
    EXPECT_EQ(info.ModuleType, mtPackage);
    EXPECT_EQ(info.Flags, TPackageFlags{pfRunOnly});
    EXPECT_EQ(info.Requires, std::vector<String>{"quire_fw"});
    EXPECT_EQ(info.Contains, std::vector<String>{"SampleGauges"});
    EXPECT_EQ(GetPackageDescription(module), "Sample gauges for the loading tests");
    const TResourceTable& resources = ModuleResources(module);
    EXPECT_EQ(resources.Language, 0x0409);
    EXPECT_EQ(resources.CodePage, 1252);
    EXPECT_EQ(VersionToString(ReadVersionInfo(resources).FileVersion), "2.5.0.7");
    EXPECT_EQ(ReadVersionInfo(resources).Strings.at("ProductName"), "Sample gauges");
    EXPECT_EQ(LoadStr(resources, 101), "Шкала");
}

TEST_F(Packages, ALoadOfTheSameFileIsCountedAndTheLastUnloadCloses) {
    const HMODULE first = LoadPackage(SAMPLE_PACKAGE);
    const HMODULE second = LoadPackage(SAMPLE_PACKAGE);
    EXPECT_EQ(first, second);
    EXPECT_EQ(LoadedPackages().size(), 1u);
    EXPECT_EQ(Events(), (TEvents{"start-up 1", "start-up 2"}));

    UnloadPackage(first);
    EXPECT_TRUE(Mapped(SAMPLE_PACKAGE));
    EXPECT_EQ(LoadedPackages().size(), 1u);
    UnloadPackage(first);
    EXPECT_FALSE(Mapped(SAMPLE_PACKAGE));
    EXPECT_EQ(Events(), (TEvents{"start-up 1", "start-up 2", "shut-down 2", "shut-down 1"}));
}

TEST_F(Packages, RegisteredClassesStayOnThePaletteUntilThePackageIsUnloaded) {
    HMODULE module = LoadPackage(SAMPLE_PACKAGE);
    EXPECT_FALSE(OnPalette("Samples"));
    EXPECT_TRUE(RegisterPackage(module));
    EXPECT_FALSE(RegisterPackage(module)); // once per load
    EXPECT_EQ(Events(), (TEvents{"start-up 1", "register"}));
    const TClass gauge = FindComponentClass("TSampleGauge");
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(ComponentPage(gauge), "Samples");
    // The host creates the package's component through its class.
    const auto component = CreateAs<TComponent>(gauge);
    EXPECT_EQ(component->ClassName(), "TSampleGauge");

    UnloadPackage(module);
    EXPECT_FALSE(OnPalette("Samples"));
    EXPECT_EQ(FindComponentClass("TSampleGauge"), nullptr);

    module = LoadPackage(SAMPLE_PACKAGE); // a fresh copy of the module
    EXPECT_TRUE(RegisterPackage(module));
    EXPECT_TRUE(OnPalette("Samples"));
}

TEST_F(Packages, AStartUpOrRegisterThatLoadsAnotherPackageKeepsTheCountAndTheFlag) {
    const HMODULE sample = LoadPackage(SAMPLE_PACKAGE);
    HMODULE dials = 0;
    NextEventHook() = [&](const std::string&) { dials = LoadPackage(DIALS_PACKAGE); };
    EXPECT_EQ(LoadPackage(SAMPLE_PACKAGE), sample);
    ASSERT_NE(dials, 0u);
    UnloadPackage(sample);
    EXPECT_TRUE(Mapped(SAMPLE_PACKAGE)); // loaded twice, unloaded once

    HMODULE meters = 0;
    NextEventHook() = [&](const std::string&) { meters = LoadPackage(METERS_PACKAGE); };
    EXPECT_TRUE(RegisterPackage(sample));
    ASSERT_NE(meters, 0u);
    EXPECT_FALSE(RegisterPackage(sample));
    EXPECT_EQ(LoadedPackages().size(), 3u);
}

TEST_F(Packages, ARegisterThatFailsTakesBackWhatItRegistered) {
    const HMODULE module = LoadPackage(BADREG_PACKAGE);
    try {
        RegisterPackage(module);
        FAIL() << "the failing Register was not reported";
    } catch (const EPackageError& e) {
        EXPECT_EQ(e.Message(), "Register of package \"" BADREG_PACKAGE
                               "\" failed: RegisterComponents: TSampleNote is not a component "
                               "class and cannot go on page \"Samples\"");
    }
    EXPECT_FALSE(OnPalette("Samples"));
}

TEST_F(Packages, RefusedLoadsNameTheFileAndLeaveNothingLoaded) {
    EXPECT_EQ(LoadError(PLAIN_MODULE),
              "\"" PLAIN_MODULE "\" is not a package: it exports no fwPackageInitialize");
    EXPECT_FALSE(Mapped(PLAIN_MODULE));

    EXPECT_EQ(LoadError(PROGRAM_MODULE),
              "\"" PROGRAM_MODULE "\" is not a package: its PACKAGEINFO does not describe a "
              "package module");
    EXPECT_FALSE(Mapped(PROGRAM_MODULE));

    EXPECT_EQ(LoadError(FAILING_PACKAGE),
              "Cannot load package \"" FAILING_PACKAGE "\": its start-up failed: the gauge has "
              "no dial");
    EXPECT_FALSE(Mapped(FAILING_PACKAGE));

    const String missing = TempFile("Missing.so");
    EXPECT_EQ(LoadError(missing).rfind("Cannot load package \"" + missing + "\": ", 0), 0u)
        << LoadError(missing);
    const String text = TempFile("Text.so");
    std::ofstream(text) << "not a library\n";
    EXPECT_NE(LoadError(text).find(text), String::npos);
    EXPECT_EQ(LoadError(""), "LoadPackage: the file name is empty");
    EXPECT_TRUE(LoadedPackages().empty());
    EXPECT_TRUE(Events().empty());
}

TEST_F(Packages, ASecondCopyOfAPackageIsRefused) {
    // A copy under another name would be a second module with its own state.
    const String copy = TempFile("SampleCopy.so");
    std::filesystem::copy_file(SAMPLE_PACKAGE, copy);
    LoadPackage(SAMPLE_PACKAGE);
    EXPECT_EQ(LoadError(copy), "Cannot load package \"" + copy +
                                   "\": it contains unit SampleGauges, which package \"" +
                                   SAMPLE_PACKAGE + "\" holds already");
    EXPECT_FALSE(Mapped(copy));
    EXPECT_EQ(Events(), TEvents{"start-up 1"});
}

} // namespace fw
