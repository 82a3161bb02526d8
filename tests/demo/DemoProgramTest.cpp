// SPDX-License-Identifier: MIT
// The program itself, as a person runs it: what it prints and how it exits.

#include "DemoTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace demo {

namespace {

struct TRun {
    int Status = -1;    // the exit status; -1 when the program did not exit normally
    std::string Output; // standard output
    std::string Errors; // standard error, without Qt's own notes
};

std::string ReadFile(const std::string& aPath) {
    std::ifstream in(aPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Lines Qt itself writes on some machines (a missing runtime folder) are not the demo's.
std::string WithoutQtNotes(const std::string& aText) {
    std::string kept;
    std::istringstream lines(aText);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("QStandardPaths:", 0) != 0)
            kept += line + "\n";
    return kept;
}

// Runs the demo with aArguments (already quoted for the shell) and aEnvironment.
TRun RunDemo(const std::string& aArguments, const std::string& aEnvironment = "") {
    test::TTempFolder folder;
    const std::string out = folder.File("out");
    const std::string err = folder.File("err");
    const std::string command = "env " + aEnvironment + " '" QUIRE_DEMO_PROGRAM "' " + aArguments +
                                " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    TRun run;
    if (raw != -1 && WIFEXITED(raw))
        run.Status = WEXITSTATUS(raw);
    run.Output = ReadFile(out);
    run.Errors = WithoutQtNotes(ReadFile(err));
    return run;
}

std::string Quoted(const std::string& aText) {
    return "'" + aText + "'";
}

} // namespace

TEST(DemoProgram, BadDatabasesGiveOneLineAndExitStatusOne) {
    test::TTempFolder folder;
    const std::string missing = folder.File("missing.db");
    TRun run = RunDemo("--db " + Quoted("sqlite:" + missing));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Errors, "quire-demo: no SQLite database at " + missing + "\n");

    const std::string sample = folder.File("sample.db");
    CreateSampleDatabase(sample);
    run = RunDemo("--db " + Quoted("sqlite:" + sample) + " --table Readers");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Errors, "quire-demo: no table \"Readers\" in " + sample + "\n");

    run = RunDemo("--db postgresql://anna@127.0.0.1:1/library");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Errors.rfind("quire-demo: cannot connect to PostgreSQL at "
                               "anna@127.0.0.1:1/library: ",
                               0),
              0u)
        << run.Errors;
    EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
}

TEST(DemoProgram, AnUnknownTableOnAPostgresServerIsNamed) {
    const char* host = std::getenv("QUIRE_PG_HOST");
    const char* port = std::getenv("QUIRE_PG_PORT");
    const char* user = std::getenv("QUIRE_PG_USER");
    const char* db = std::getenv("QUIRE_PG_DB");
    if (!host || !port || !user || !db)
        GTEST_SKIP() << "no PostgreSQL server named by QUIRE_PG_HOST, _PORT, _USER and _DB";
    const std::string url =
        std::string("postgresql://") + user + "@" + host + ":" + port + "/" + db;
    const TRun run = RunDemo("--db " + Quoted(url) + " --table quire_demo_no_such_table");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Errors, "quire-demo: no table \"quire_demo_no_such_table\" in " + url + "\n");
}

TEST(DemoProgram, WrongCommandLinesExitWithStatusTwo) {
    TRun run = RunDemo("--colour blue");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Errors, "quire-demo: unknown argument \"--colour\" (see --help)\n");
    run = RunDemo("--db postgresql://server/db");
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Errors.find("the user is missing"), std::string::npos) << run.Errors;
    run = RunDemo("--tour pictures --db sqlite:x.db");
    EXPECT_EQ(run.Status, 2);

    run = RunDemo("--help");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output.rfind("Usage: quire-demo ", 0), 0u);
}

TEST(DemoProgram, VersionPrintsTheProjectVersionWithoutOpeningAnything) {
    const TRun run = RunDemo("--version --db sqlite:/nonexistent/none.db",
                             "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output, "quire-demo " QUIRE_VERSION "\n");
    EXPECT_EQ(run.Errors, "");
}

TEST(DemoProgram, WithoutADisplayItPointsToTheTour) {
    test::TTempFolder data; // the sample is made there, not in the user's data folder
    const TRun run = RunDemo("", "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "
                                 "XDG_DATA_HOME=" +
                                     Quoted(data.Path()));
    EXPECT_TRUE(std::filesystem::exists(data.File("quire-demo/sample.db")));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Errors, "quire-demo: no display to show the window on; run with --tour "
                          "FOLDER for the scripted tour\n");
}

} // namespace demo
