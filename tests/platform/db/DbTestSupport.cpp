// SPDX-License-Identifier: MIT
#include "DbTestSupport.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace dbtest {

TTempDir::TTempDir() {
    static std::atomic<int> counter{0};
    FPath = std::filesystem::temp_directory_path() /
            ("quire-db-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(FPath);
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

TStderrCapture::TStderrCapture() {
    static std::atomic<int> counter{0};
    FFile = std::filesystem::temp_directory_path() /
            ("quire-stderr-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::fflush(stderr);
    FSaved = ::dup(2);
    const int file = ::open(FFile.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    ::dup2(file, 2);
    ::close(file);
}

TStderrCapture::~TStderrCapture() {
    Restore();
    std::error_code ignored;
    std::filesystem::remove(FFile, ignored);
}

void TStderrCapture::Restore() {
    if (FSaved < 0)
        return;
    std::fflush(stderr);
    ::dup2(FSaved, 2);
    ::close(FSaved);
    FSaved = -1;
}

std::string TStderrCapture::Text() {
    Restore();
    std::ifstream in(FFile);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<TPgSettings> PgSettingsFromEnv() {
    const char* host = std::getenv("QUIRE_PG_HOST");
    const char* db = std::getenv("QUIRE_PG_DB");
    if (!host || !*host || !db || !*db)
        return std::nullopt;
    TPgSettings settings;
    settings.Host = host;
    settings.Db = db;
    if (const char* user = std::getenv("QUIRE_PG_USER"))
        settings.User = user;
    if (const char* password = std::getenv("QUIRE_PG_PASSWORD"))
        settings.Password = password;
    if (const char* port = std::getenv("QUIRE_PG_PORT"); port && *port)
        settings.Port = std::atoi(port);
    return settings;
}

std::unique_ptr<fw::TSqlConnection> Connect(TBackendKind aKind, const TTempDir& aDir,
                                            std::string& aSkipReason) {
    auto connection = fw::New<fw::TSqlConnection>();
    if (aKind == TBackendKind::SQLite) {
        connection->SetDatabaseName(aDir.File("test.sqlite"));
        connection->Open();
        return connection;
    }
    const auto settings = PgSettingsFromEnv();
    if (!settings) {
        aSkipReason = "PostgreSQL not configured (set QUIRE_PG_HOST, QUIRE_PG_PORT, "
                      "QUIRE_PG_USER, QUIRE_PG_DB; .ci/run starts a server)";
        return nullptr;
    }
    connection->SetDriver(fw::sdPostgreSQL);
    connection->SetHostName(settings->Host);
    connection->SetPort(settings->Port);
    connection->SetUserName(settings->User);
    connection->SetPassword(settings->Password);
    connection->SetDatabaseName(settings->Db);
    try {
        connection->Open();
    } catch (const fw::Exception& error) {
        aSkipReason = "PostgreSQL not reachable: " + error.Message();
        return nullptr;
    }
    // Test processes run side by side: each works in a schema of its own.
    const std::string schema = PgSchema();
    connection->ExecSQL("CREATE SCHEMA IF NOT EXISTS " + schema);
    connection->ExecSQL("SET search_path TO " + schema);
    return connection;
}

std::string PgSchema() {
    return "quire_test_" + std::to_string(::getpid());
}

void DropPgSchema() {
    TTempDir unused;
    std::string reason;
    if (auto connection = Connect(TBackendKind::PostgreSQL, unused, reason))
        connection->ExecSQL("DROP SCHEMA IF EXISTS " + PgSchema() + " CASCADE");
}

} // namespace dbtest
