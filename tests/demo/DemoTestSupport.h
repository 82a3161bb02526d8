// SPDX-License-Identifier: MIT
#pragma once
// A temporary folder for the demo's tests, and the sample database made in it.

#include "DemoDatabase.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace demo::test {

class TTempFolder {
public:
    TTempFolder()
        : FPath(std::filesystem::temp_directory_path() /
                ("quire-demo-test-" + std::to_string(::getpid()) + "-" +
                 std::to_string(Counter()++))) {
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() { std::filesystem::remove_all(FPath); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string File(const std::string& aName) const { return (FPath / aName).string(); }
    std::string Path() const { return FPath.string(); }

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::filesystem::path FPath;
};

// The sample database at aPath, opened as the demo opens a file named with --db.
inline TDemoData OpenSample(const std::string& aPath) {
    if (!std::filesystem::exists(aPath))
        CreateSampleDatabase(aPath);
    TDemoOptions options;
    options.Database = dkSQLite;
    options.SqlitePath = aPath;
    return OpenDemoTable(options);
}

} // namespace demo::test
