// SPDX-License-Identifier: MIT
// quire-demo: the Quire property inspector on a real database (see DemoOptions.h for
// the command line). Exit status: 0 done, 1 a database or package that cannot be
// used, 2 a wrong command line.

#include "DemoDatabase.h"
#include "DemoErrors.h"
#include "DemoForm.h"
#include "DemoOptions.h"
#include "Tour.h"

#include "platform/controls/Application.h"
#include "platform/packages/Package.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

int Report(const fw::String& aMessage, int aStatus) {
    std::fprintf(stderr, "quire-demo: %s\n", aMessage.substr(0, aMessage.find('\n')).c_str());
    return aStatus;
}

// A platform that shows windows to a person: Qt's choice when QT_QPA_PLATFORM names
// one, else an X or Wayland session.
bool HaveDisplay() {
    if (const char* platform = std::getenv("QT_QPA_PLATFORM");
        platform != nullptr && platform[0] != '\0') {
        const fw::String name = platform;
        return name.rfind("offscreen", 0) != 0 && name.rfind("minimal", 0) != 0;
    }
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value != nullptr && value[0] != '\0')
            return true;
    return false;
}

// The package file: --package, else the one installed beside the program
// (<prefix>/bin/quire-demo, <prefix>/lib/QuirePack.so), else the one of this build.
fw::String PackageFile(const demo::TDemoOptions& aOptions) {
    if (!aOptions.PackageFile.empty())
        return aOptions.PackageFile;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path installed =
            program.parent_path().parent_path() / QUIRE_INSTALL_LIBDIR / "QuirePack.so";
        if (fs::exists(installed, error))
            return installed.string();
    }
    return QUIRE_BUILD_PACKAGE_FILE;
}

int RunDesktop(demo::TDemoData& aData, fw::HMODULE aPackage) {
    demo::TDemoForm form(aData, aPackage);
    fw::Application->SetMainForm(&form);
    form.Show();
    fw::Application->Run();
    fw::Application->SetMainForm(nullptr);
    return 0;
}

int Run(demo::TDemoOptions aOptions) {
    const bool touring = !aOptions.TourFolder.empty();
    if (touring) {
        if (aOptions.Database != demo::dkSample || !aOptions.Table.empty())
            throw demo::EUsageError("--tour runs on a sample of its own; leave out --db and "
                                    "--table");
        aOptions.Database = demo::dkSQLite;
        aOptions.SqlitePath = demo::PrepareTourDatabase(aOptions.TourFolder);
    }
    demo::TDemoData data = demo::OpenDemoTable(aOptions);
    if (!touring && !HaveDisplay())
        throw demo::EDemoError("no display to show the window on; run with --tour FOLDER for "
                               "the scripted tour");
    fw::Application->Initialize();
    const fw::HMODULE package = fw::LoadPackage(PackageFile(aOptions));
    fw::RegisterPackage(package);
    if (touring)
        demo::RunTour(data, package, aOptions.TourFolder);
    else
        RunDesktop(data, package);
    fw::UnloadPackage(package);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const demo::TDemoOptions options =
            demo::ParseOptions(std::vector<fw::String>(argv + 1, argv + argc));
        if (options.Help) {
            std::fputs(demo::UsageText().c_str(), stdout);
            return 0;
        }
        if (options.Version) {
            std::fputs(demo::VersionText().c_str(), stdout);
            return 0;
        }
        return Run(options);
    } catch (const demo::EUsageError& e) {
        return Report(e.Message(), 2);
    } catch (const fw::Exception& e) {
        return Report(e.Message(), 1);
    } catch (const std::exception& e) {
        return Report(e.what(), 1);
    }
}
