// SPDX-License-Identifier: MIT
// Opening and scrolling a table of a million rows in an SQLite file.
//
//   db_bench [--rows=N] [Google Benchmark options]
//
// The table is built once in a temporary folder (removed at the end). Reported:
// the time from Open to the first record's value, the time per record when
// scrolling forwards and backwards, and a jump to the last record. The counter
// rss_growth_kb is the growth of resident memory over a scroll through every row.

#include "platform/db/SqlConnection.h"
#include "platform/db/SqlTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

int64_t RowCount = 1000000;
std::filesystem::path DatabaseFile;

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

void CreateTable() {
    auto db = fw::New<fw::TSqlConnection>();
    db->SetDatabaseName(DatabaseFile.string());
    db->Open();
    db->ExecSQL("CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(40), qty INTEGER, "
                "price REAL, added DATE, notes TEXT)");
    db->StartTransaction();
    db->ExecSQL("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
                std::to_string(RowCount) +
                ") INSERT INTO items SELECT x, 'Item ' || x, x % 1000, x * 0.25, "
                "date('2000-01-01', '+' || (x % 9000) || ' days'), 'Notes of item ' || x FROM c");
    db->Commit();
}

struct TOpenTable {
    std::unique_ptr<fw::TSqlConnection> Db = fw::New<fw::TSqlConnection>();
    std::unique_ptr<fw::TSqlTable> Table = fw::New<fw::TSqlTable>();

    TOpenTable() {
        Db->SetDatabaseName(DatabaseFile.string());
        Db->Open();
        Table->SetConnection(Db.get());
        Table->SetTableName("items");
    }
};

void BM_OpenToFirstRecord(benchmark::State& aState) {
    TOpenTable open;
    for (auto _ : aState) {
        open.Table->Open();
        benchmark::DoNotOptimize(open.Table->FieldByName("name").AsString());
        aState.PauseTiming();
        open.Table->Close();
        aState.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToFirstRecord)->Unit(benchmark::kMillisecond);

void BM_ScrollNext(benchmark::State& aState) {
    TOpenTable open;
    open.Table->Open();
    for (auto _ : aState) {
        open.Table->Next();
        if (open.Table->Eof()) {
            aState.PauseTiming();
            open.Table->First();
            aState.ResumeTiming();
        }
        benchmark::DoNotOptimize(open.Table->Fields(1).AsString());
    }
    aState.SetItemsProcessed(aState.iterations());
}
BENCHMARK(BM_ScrollNext)->Unit(benchmark::kMicrosecond);

void BM_ScrollPrior(benchmark::State& aState) {
    TOpenTable open;
    open.Table->Open();
    open.Table->Last();
    for (auto _ : aState) {
        open.Table->Prior();
        if (open.Table->Bof()) {
            aState.PauseTiming();
            open.Table->Last();
            aState.ResumeTiming();
        }
        benchmark::DoNotOptimize(open.Table->Fields(1).AsString());
    }
    aState.SetItemsProcessed(aState.iterations());
}
BENCHMARK(BM_ScrollPrior)->Unit(benchmark::kMicrosecond);

void BM_JumpToLast(benchmark::State& aState) {
    TOpenTable open;
    for (auto _ : aState) {
        aState.PauseTiming();
        open.Table->Open();
        aState.ResumeTiming();
        open.Table->Last();
        benchmark::DoNotOptimize(open.Table->Fields(1).AsString());
        aState.PauseTiming();
        open.Table->Close();
        aState.ResumeTiming();
    }
}
BENCHMARK(BM_JumpToLast)->Unit(benchmark::kMillisecond);

// One pass over every row, with the memory it took.
void BM_ScrollWholeTable(benchmark::State& aState) {
    TOpenTable open;
    long growth = 0;
    for (auto _ : aState) {
        open.Table->Open();
        const long before = ResidentKb();
        int64_t rows = 0;
        for (; !open.Table->Eof(); open.Table->Next())
            ++rows;
        growth = std::max(growth, ResidentKb() - before);
        open.Table->Close();
        if (rows != RowCount)
            aState.SkipWithError("row count differs");
    }
    aState.counters["rss_growth_kb"] = static_cast<double>(growth);
    aState.counters["rows"] = static_cast<double>(RowCount);
}
BENCHMARK(BM_ScrollWholeTable)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rows=", 7) == 0) {
            RowCount = std::atoll(argv[i] + 7);
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    const auto dir =
        std::filesystem::temp_directory_path() / ("quire-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    DatabaseFile = dir / "bench.sqlite";
    int status = 0;
    try {
        CreateTable();
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "db_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(dir);
    return status;
}
