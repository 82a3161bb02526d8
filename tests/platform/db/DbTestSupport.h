// SPDX-License-Identifier: MIT
#pragma once
// Test support for the data-aware layer: a link that records its notifications in
// order, and database back ends for the parameterised SQL tests. SQLite databases
// are files in a temporary folder; PostgreSQL is reached through QUIRE_PG_HOST,
// QUIRE_PG_PORT, QUIRE_PG_USER, QUIRE_PG_DB (and QUIRE_PG_PASSWORD), and its tests
// are skipped with a message when those are not set or the server does not answer.

#include "platform/db/DataLink.h"
#include "platform/db/Field.h"
#include "platform/db/SqlConnection.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace dbtest {

class TRecordingLink : public fw::TDataLink {
public:
    std::vector<std::string> Events;
    std::vector<std::string> Take() { return std::exchange(Events, {}); }

protected:
    void ActiveChanged() override {
        Events.push_back(Active() ? "ActiveChanged(on)" : "ActiveChanged(off)");
    }
    void EditingChanged() override {
        Events.push_back(Editing() ? "EditingChanged(on)" : "EditingChanged(off)");
    }
    void RecordChanged(fw::TField* aField) override {
        Events.push_back("RecordChanged(" + (aField ? aField->FieldName() : std::string()) + ")");
    }
    void DataSetChanged() override {
        Events.push_back("DataSetChanged");
        TDataLink::DataSetChanged();
    }
    void DataSetScrolled(int32_t aDistance) override {
        Events.push_back("DataSetScrolled(" + std::to_string(aDistance) + ")");
        TDataLink::DataSetScrolled(aDistance);
    }
};

// A folder removed with everything in it when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    std::string File(const std::string& aName) const { return (FPath / aName).string(); }

private:
    std::filesystem::path FPath;
};

// Takes what is written to file descriptor 2 (the process's stderr, C library and
// Qt messages alike) while it lives; Text restores stderr and answers it.
class TStderrCapture {
public:
    TStderrCapture();
    ~TStderrCapture();
    std::string Text();

private:
    int FSaved = -1;
    std::filesystem::path FFile;
    void Restore();
};

enum class TBackendKind { SQLite, PostgreSQL };

// Names the back end in test listings instead of its bytes.
inline void PrintTo(TBackendKind aKind, std::ostream* aStream) {
    *aStream << (aKind == TBackendKind::SQLite ? "SQLite" : "PostgreSQL");
}

struct TPgSettings {
    std::string Host, User, Db, Password;
    int Port = 5432;
};
// The PostgreSQL settings from the environment, or none.
std::optional<TPgSettings> PgSettingsFromEnv();

// Opens a fresh connection of the kind; for PostgreSQL an empty optional text
// gives the reason when the server cannot be used.
std::unique_ptr<fw::TSqlConnection> Connect(TBackendKind aKind, const TTempDir& aDir,
                                            std::string& aSkipReason);

// The schema this process's PostgreSQL connections work in, and its removal.
std::string PgSchema();
void DropPgSchema();

} // namespace dbtest
