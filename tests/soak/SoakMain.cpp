// SPDX-License-Identifier: MIT
// quire_soak: random but valid user and host actions on a real box bound to a
// SQLite table, checked against a model of the database (see SoakRun.h).
//
//   quire_soak --seed 7 --actions 10000     a run of the actions seed 7 gives
//   quire_soak --replay run.actions         the actions of a file, one per line
//
// A run is made in a child process (the program itself with --replay), so that a
// crash under the sanitizers is caught like a failed check. A failing run prints
// its seed and failure, then cuts the action list down to a short one that still
// fails, writes it to soak-<seed>.actions and prints it for replay.

#include "SoakRun.h"

#include "platform/controls/Application.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

struct TOptions {
    uint64_t Seed = 1;
    int32_t Actions = 2000;
    std::string Replay;
    int32_t ShrinkRuns = 200;
};

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--seed") {
            options.Seed = std::stoull(value);
        } else if (name == "--actions") {
            options.Actions = std::stoi(value);
        } else if (name == "--replay") {
            options.Replay = value;
        } else if (name == "--shrink-runs") {
            options.ShrinkRuns = std::stoi(value);
        } else {
            throw std::runtime_error("unknown option " + name);
        }
    }
    return options;
}

std::vector<soak::TAction> ReadActions(const std::string& aFile) {
    std::ifstream in(aFile);
    if (!in) {
        throw std::runtime_error("cannot read " + aFile);
    }
    std::vector<soak::TAction> actions;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            actions.push_back(soak::ParseAction(line));
        }
    }
    return actions;
}

void WriteActions(const std::string& aFile, const std::vector<soak::TAction>& aActions) {
    std::ofstream out(aFile);
    for (const soak::TAction& action : aActions) {
        out << soak::FormatAction(action) << '\n';
    }
}

int Replay(const std::string& aFile) {
    fw::Application->Initialize();
    const auto start = std::chrono::steady_clock::now();
    const soak::TRunResult result = soak::RunActions(ReadActions(aFile));
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "soak: " << result.Actions << " actions in " << seconds << " s; "
              << result.DatabaseChecks << " database checks, " << result.Posts << " posts, "
              << result.RefusedPosts << " refused posts, " << result.Commits
              << " Enter commits checked, " << result.Reports << " errors reported, "
              << result.Modals << " pick lists and dialogs, " << result.DialogPicks
              << " pick lists from a box on a modal dialog\n";
    if (!result.Failure.empty()) {
        std::cout << "soak: FAILED at " << result.Failure << "\n";
        return 1;
    }
    return 0;
}

// Runs the actions in a child process; true when it fails (a check or a crash).
bool Fails(const std::string& aSelf, const std::vector<soak::TAction>& aActions,
           const std::string& aFile, bool aQuiet) {
    WriteActions(aFile, aActions);
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
        const int null = aQuiet ? open("/dev/null", O_WRONLY) : -1;
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(aSelf.c_str(), aSelf.c_str(), "--replay", aFile.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Removes ever smaller chunks while the run still fails (delta debugging), within
// aBudget runs.
std::vector<soak::TAction> Shrink(const std::string& aSelf, std::vector<soak::TAction> aActions,
                                  const std::string& aFile, int32_t aBudget) {
    std::size_t chunk = aActions.size() / 2;
    while (chunk > 0 && aBudget > 0) {
        bool removed = false;
        for (std::size_t start = 0; start < aActions.size() && aBudget > 0;) {
            std::vector<soak::TAction> candidate(aActions.begin(), aActions.begin() + long(start));
            const std::size_t end = std::min(aActions.size(), start + chunk);
            candidate.insert(candidate.end(), aActions.begin() + long(end), aActions.end());
            --aBudget;
            if (!candidate.empty() && Fails(aSelf, candidate, aFile, true)) {
                aActions = std::move(candidate);
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (!removed) {
            chunk /= 2;
        }
    }
    return aActions;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        const TOptions options = ParseOptions(argc, argv);
        if (!options.Replay.empty()) {
            return Replay(options.Replay);
        }
        const std::string self = std::filesystem::canonical("/proc/self/exe").string();
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("quire-soak-" + std::to_string(getpid()) + ".actions"))
                                     .string();
        std::cout << "soak: seed " << options.Seed << ", " << options.Actions << " actions\n";
        std::vector<soak::TAction> actions = soak::GenerateActions(options.Seed, options.Actions);
        const bool failed = Fails(self, actions, file, false);
        if (!failed) {
            std::filesystem::remove(file);
            std::cout << "soak: seed " << options.Seed << " passed\n";
            return 0;
        }
        std::cout << "soak: seed " << options.Seed << " FAILED; shrinking the action list\n";
        actions = Shrink(self, actions, file, options.ShrinkRuns);
        const std::string kept = "soak-" + std::to_string(options.Seed) + ".actions";
        WriteActions(kept, actions);
        std::filesystem::remove(file);
        std::cout << "soak: seed " << options.Seed << " still fails with these " << actions.size()
                  << " actions (replay: quire_soak --replay " << kept << "):\n";
        for (const soak::TAction& action : actions) {
            std::cout << "  " << soak::FormatAction(action) << "\n";
        }
        Fails(self, actions, file, false);
        std::filesystem::remove(file);
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "soak: " << e.what() << "\n";
        return 2;
    }
}
