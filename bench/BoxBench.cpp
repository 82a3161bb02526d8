// SPDX-License-Identifier: MIT
// The box against the way a Qt programmer would show a record without it, in one
// run, on the same 50-column SQLite table (offscreen platform):
//
//   BM_QuireRecordChange     Next on the table, the box rebuilds its rows from the
//                            record and repaints every visible row
//   BM_QtMapperRecordChange  QDataWidgetMapper over a QSqlTableModel with 50
//                            QLineEdits: toNext (fetching more rows as needed) and a
//                            synchronous repaint
//   BM_QuirePaint40Rows      one full repaint of a box showing 40 rows
//   BM_QtPaintForm           one full repaint of the 50 QLineEdits
//   BM_QuireNextEventLoop    Next, then the event loop runs (what pressing Next causes)
//   BM_QtMapperNextEventLoop toNext, then the event loop runs
//   BM_QuireNextNoEventLoop  20,000 times Next in a loop that never runs the event loop
//                            (a host stepping through the table); counter
//                            heap_growth_kb: what the heap grew by over them (anything
//                            piling up until the loop runs would show here)
//   BM_QtMapperNextNoEventLoop toNext in such a loop
//   BM_QuireRowMemory        heap bytes per row held by the box (counter bytes_per_row)
//   BM_QuireChoose1000AndSet the box shows 1,000 records at once and one value set in
//                            an integer row is written into all of them (one transaction)
//
// With --million, a box bound to a table of 1,000,000 rows and 10 columns (built once
// in the temporary folder, which takes some seconds, so only on request):
//
//   BM_MillionOpen           Open and the first record painted
//   BM_MillionLast           Last after Open, painted
//   BM_MillionJump           a jump to a record number after Open (RecNo), painted
//   BM_MillionNextEventLoop  100,000 times Next and the event loop; heap_growth_kb
//   BM_MillionNextNoEventLoop 100,000 times Next without the event loop; heap_growth_kb
//
// After the runs a table sets each figure of the box beside the Qt way's (medians when
// repeated). Build with -DCMAKE_BUILD_TYPE=Release and run build/bench/box_bench
// (for example with --benchmark_repetitions=5).

#include "quire/box/Quire.h"

#include "platform/controls/Application.h"
#include "platform/db/DataSource.h"
#include "platform/db/SqlConnection.h"
#include "platform/db/SqlTable.h"
#include "platform/stdctrls/Form.h"

#include <QApplication>
#include <QDataWidgetMapper>
#include <QFormLayout>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlTableModel>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kColumns = 50;
constexpr int kRows = 2000;
constexpr int kNoLoopRecords = 20000;
constexpr int kMillion = 1000000;
constexpr int kMillionSteps = 100000;
std::filesystem::path DatabaseFile;
std::filesystem::path MillionFile;

// Ten columns of each of five kinds: text, integer, float, date, boolean.
std::string ColumnName(int aIndex) {
    static const char* kinds[] = {"txt", "num", "amt", "day", "flag"};
    return std::string(kinds[aIndex % 5]) + std::to_string(aIndex / 5);
}

void CreateTable() {
    static const char* types[] = {"VARCHAR(40)", "INTEGER", "DOUBLE", "DATE", "BOOLEAN"};
    static const char* values[] = {"'Item ' || x", "x * 7", "x * 0.25",
                                   "date('2000-01-01', '+' || (x % 9000) || ' days')", "x % 2"};
    std::string columns = "id INTEGER PRIMARY KEY";
    std::string select = "x";
    for (int i = 0; i < kColumns; ++i) {
        columns += ", " + ColumnName(i) + " " + types[i % 5];
        select += std::string(", ") + values[i % 5];
    }
    auto db = fw::New<fw::TSqlConnection>();
    db->SetDatabaseName(DatabaseFile.string());
    db->Open();
    db->ExecSQL("CREATE TABLE wide (" + columns + ")");
    db->ExecSQL("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
                std::to_string(kRows) + ") INSERT INTO wide SELECT " + select + " FROM c");
}

// Ten columns of mixed kinds, rows 1 to 1,000,000.
void CreateMillionTable() {
    auto db = fw::New<fw::TSqlConnection>();
    db->SetDatabaseName(MillionFile.string());
    db->Open();
    db->ExecSQL("CREATE TABLE million (id INTEGER PRIMARY KEY, name VARCHAR(40), qty INTEGER, "
                "price DOUBLE, added DATE, active BOOLEAN, note VARCHAR(60), code INTEGER, "
                "ratio DOUBLE, city VARCHAR(30))");
    db->StartTransaction();
    db->ExecSQL("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " +
                std::to_string(kMillion) +
                ") INSERT INTO million SELECT x, 'Item ' || x, x * 7, x * 0.25, "
                "date('2000-01-01', '+' || (x % 9000) || ' days'), x % 2, 'Note of record ' || x, "
                "x % 1000, x / 3.0, 'City ' || (x % 500) FROM c");
    db->Commit();
}

// A shown form with a box bound to the wide table, tall enough for aVisibleRows.
struct TBoxOnTable {
    std::unique_ptr<fw::TForm> Form = fw::New<fw::TForm>(nullptr, 0);
    std::unique_ptr<fw::TSqlConnection> Db = fw::New<fw::TSqlConnection>();
    std::unique_ptr<fw::TSqlTable> Table = fw::New<fw::TSqlTable>();
    std::unique_ptr<fw::TDataSource> Source = fw::New<fw::TDataSource>();
    quire::TQuire* Box = nullptr;

    explicit TBoxOnTable(int aVisibleRows, const std::filesystem::path& aFile = DatabaseFile,
                         const char* aTable = "wide") {
        Form->SetBounds(0, 0, 420, aVisibleRows * 16 + 20);
        Box = fw::CreateOwned<quire::TQuire>(Form.get());
        Box->SetBounds(0, 0, 400, aVisibleRows * 16 + 4);
        Box->SetParent(Form.get());
        Form->Show();
        Db->SetDatabaseName(aFile.string());
        Db->Open();
        Table->SetConnection(Db.get());
        Table->SetTableName(aTable);
        Source->SetDataSet(Table.get());
        Box->SetDataSource(Source.get());
        Table->Open();
        fw::Application->ProcessMessages();
    }
    ~TBoxOnTable() {
        Form.reset();
        Source.reset();
    }
    void NextRecord() {
        Table->Next();
        if (Table->Eof()) {
            Table->First();
        }
    }
};

// The Qt way: a form of 50 labelled QLineEdits mapped to the columns of the table.
struct TQtForm {
    QSqlTableModel Model;
    QWidget Window;
    QDataWidgetMapper Mapper;

    explicit TQtForm(const QSqlDatabase& aDb) : Model(nullptr, aDb) {
        Model.setTable("wide");
        Model.select();
        Window.resize(420, 40 * 16 + 20);
        auto* layout = new QFormLayout(&Window);
        Mapper.setModel(&Model);
        for (int i = 0; i < kColumns; ++i) {
            auto* edit = new QLineEdit(&Window);
            layout->addRow(QString::fromStdString(ColumnName(i)), edit);
            Mapper.addMapping(edit, i + 1);
        }
        Window.show();
        Mapper.toFirst();
        QApplication::processEvents();
    }
    void NextRecord() {
        const int next = Mapper.currentIndex() + 1;
        if (next >= Model.rowCount() && Model.canFetchMore()) {
            Model.fetchMore();
        }
        if (next >= Model.rowCount()) {
            Mapper.toFirst();
        } else {
            Mapper.toNext();
        }
    }
};

// Runs aBody with a form of the Qt way on its own connection.
template <class Body> void WithQtForm(Body aBody) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "qt-way");
        db.setDatabaseName(QString::fromStdString(DatabaseFile.string()));
        db.open();
        TQtForm form(db);
        aBody(form);
    }
    QSqlDatabase::removeDatabase("qt-way");
}

void BM_QuireRecordChange(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    for (auto _ : aState) {
        fixture.NextRecord();
        fixture.Box->Update();
    }
    aState.counters["rows_shown"] = fixture.Box->Count();
}
BENCHMARK(BM_QuireRecordChange)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QtMapperRecordChange(benchmark::State& aState) {
    WithQtForm([&aState](TQtForm& aForm) {
        for (auto _ : aState) {
            aForm.NextRecord();
            aForm.Window.repaint();
        }
    });
}
BENCHMARK(BM_QtMapperRecordChange)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QuirePaint40Rows(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    for (auto _ : aState) {
        fixture.Box->Invalidate();
        fixture.Box->Update();
    }
    aState.counters["rows_painted"] = fixture.Box->VisibleRows();
}
BENCHMARK(BM_QuirePaint40Rows)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QtPaintForm(benchmark::State& aState) {
    WithQtForm([&aState](TQtForm& aForm) {
        for (auto _ : aState) {
            aForm.Window.repaint();
        }
    });
}
BENCHMARK(BM_QtPaintForm)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QuireNextEventLoop(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    for (auto _ : aState) {
        fixture.NextRecord();
        fw::Application->ProcessMessages();
    }
}
BENCHMARK(BM_QuireNextEventLoop)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QtMapperNextEventLoop(benchmark::State& aState) {
    WithQtForm([&aState](TQtForm& aForm) {
        for (auto _ : aState) {
            aForm.NextRecord();
            QApplication::processEvents();
        }
    });
}
BENCHMARK(BM_QtMapperNextEventLoop)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_QuireNextNoEventLoop(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    const size_t before = mallinfo2().uordblks;
    for (auto _ : aState) {
        fixture.NextRecord();
    }
    const double growth = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
    aState.counters["heap_growth_kb"] = growth / 1024;
    fw::Application->ProcessMessages();
}
BENCHMARK(BM_QuireNextNoEventLoop)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Iterations(kNoLoopRecords);

void BM_QtMapperNextNoEventLoop(benchmark::State& aState) {
    WithQtForm([&aState](TQtForm& aForm) {
        for (auto _ : aState) {
            aForm.NextRecord();
        }
        QApplication::processEvents();
    });
}
BENCHMARK(BM_QtMapperNextNoEventLoop)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Iterations(kNoLoopRecords);

void BM_QuireRowMemory(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    double perRow = 0;
    for (auto _ : aState) {
        fixture.Box->NewProps(nullptr);
        const size_t before = mallinfo2().uordblks;
        fixture.NextRecord(); // builds every row of the record again
        const size_t after = mallinfo2().uordblks;
        perRow = static_cast<double>(after - before) / fixture.Box->Count();
    }
    aState.counters["bytes_per_row"] = perRow;
}
BENCHMARK(BM_QuireRowMemory)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->Iterations(20);

struct TBoxOnMillion : TBoxOnTable {
    TBoxOnMillion() : TBoxOnTable(40, MillionFile, "million") {}
    // Closes and opens the table again, untimed, so that nothing is cached.
    void Reopen(benchmark::State& aState) {
        aState.PauseTiming();
        Table->Close();
        Table->Open();
        Box->Update();
        aState.ResumeTiming();
    }
};

void BM_MillionOpen(benchmark::State& aState) {
    TBoxOnMillion fixture;
    for (auto _ : aState) {
        aState.PauseTiming();
        fixture.Table->Close();
        aState.ResumeTiming();
        fixture.Table->Open();
        fixture.Box->Update();
    }
}

void BM_MillionLast(benchmark::State& aState) {
    TBoxOnMillion fixture;
    for (auto _ : aState) {
        fixture.Reopen(aState);
        fixture.Table->Last();
        fixture.Box->Update();
    }
    aState.counters["rec_no"] = static_cast<double>(fixture.Table->RecNo());
}

void BM_MillionJump(benchmark::State& aState) {
    TBoxOnMillion fixture;
    int64_t target = 900001;
    int landed = 0;
    for (auto _ : aState) {
        fixture.Reopen(aState);
        fixture.Table->SetRecNo(target);
        fixture.Box->Update();
        // The keys have no gaps: record N has key N.
        landed += fixture.Table->FieldByName("id").AsLargeInt() == target ? 1 : 0;
        target = (target * 7919) % kMillion + 1;
    }
    aState.counters["landed_exactly"] = static_cast<double>(landed) / aState.iterations();
}

void MillionSteps(benchmark::State& aState, bool aEventLoop) {
    TBoxOnMillion fixture;
    const size_t before = mallinfo2().uordblks;
    for (auto _ : aState) {
        fixture.NextRecord();
        if (aEventLoop) {
            fw::Application->ProcessMessages();
        }
    }
    const double growth = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
    aState.counters["heap_growth_kb"] = growth / 1024;
    fw::Application->ProcessMessages();
}

void BM_MillionNextEventLoop(benchmark::State& aState) {
    MillionSteps(aState, true);
}

void BM_MillionNextNoEventLoop(benchmark::State& aState) {
    MillionSteps(aState, false);
}

// Registered only with --million: building the table takes some seconds.
void RegisterMillionBenchmarks() {
    for (auto* bench : {benchmark::RegisterBenchmark("BM_MillionOpen", BM_MillionOpen),
                        benchmark::RegisterBenchmark("BM_MillionLast", BM_MillionLast),
                        benchmark::RegisterBenchmark("BM_MillionJump", BM_MillionJump)}) {
        bench->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(20);
    }
    for (auto* bench :
         {benchmark::RegisterBenchmark("BM_MillionNextEventLoop", BM_MillionNextEventLoop),
          benchmark::RegisterBenchmark("BM_MillionNextNoEventLoop", BM_MillionNextNoEventLoop)}) {
        bench->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Iterations(kMillionSteps);
    }
}
void BM_QuireChoose1000AndSet(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    std::vector<int64_t> records(1000);
    for (int64_t i = 0; i < 1000; ++i) {
        records[static_cast<size_t>(i)] = i + 1;
    }
    int value = 0;
    for (auto _ : aState) {
        fixture.Box->SelectRecords(records);
        quire::TPropEditInfo* row =
            fixture.Box->GetEditInfo(fixture.Box->Items()->IndexOf(ColumnName(1)));
        row->SetValue(std::to_string(++value));
    }
    if (fixture.Table->FieldByName(ColumnName(1)).AsInteger() != value) {
        aState.SkipWithError("the value did not reach the records");
    }
}
BENCHMARK(BM_QuireChoose1000AndSet)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(5);

// The console output, and after it one table of the box beside the Qt way.
class TTableReporter : public benchmark::ConsoleReporter {
public:
    TTableReporter()
        : benchmark::ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& aRuns) override {
        benchmark::ConsoleReporter::ReportRuns(aRuns);
        for (const Run& run : aRuns) {
            if (run.error_occurred) {
                continue;
            }
            TFigures& figures = FFigures[run.run_name.function_name];
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") {
                    figures.Median = std::make_unique<Run>(run);
                }
            } else if (run.iterations > 0) {
                figures.Runs.push_back(run);
            }
        }
    }

    void PrintTable(std::ostream& aOut) const {
        struct TLine {
            const char* Label;
            const char* Box;
            const char* QtWay;
        };
        const TLine lines[] = {
            {"Record change, 50 fields", "BM_QuireRecordChange", "BM_QtMapperRecordChange"},
            {"Full repaint, 40 rows", "BM_QuirePaint40Rows", "BM_QtPaintForm"},
            {"Next with the event loop", "BM_QuireNextEventLoop", "BM_QtMapperNextEventLoop"},
            {"Next without the event loop", "BM_QuireNextNoEventLoop",
             "BM_QtMapperNextNoEventLoop"},
        };
        char text[160];
        std::snprintf(text, sizeof text, "\n%-30s %12s %12s %10s\n", "CPU time per iteration",
                      "box (us)", "Qt way (us)", "Qt way/box");
        aOut << text;
        for (const TLine& line : lines) {
            const double box = Median(line.Box, "");
            const double qtWay = Median(line.QtWay, "");
            if (box <= 0 || qtWay <= 0) {
                continue;
            }
            std::snprintf(text, sizeof text, "%-30s %12.1f %12.1f %9.2fx\n", line.Label, box, qtWay,
                          qtWay / box);
            aOut << text;
        }
        if (FFigures.count("BM_QuireNextNoEventLoop") != 0) {
            std::snprintf(text, sizeof text, "%-30s %12.0f\n", "Heap growth, 20000 Next (KB)",
                          Median("BM_QuireNextNoEventLoop", "heap_growth_kb"));
            aOut << text;
        }
        const double perRow = Median("BM_QuireRowMemory", "bytes_per_row");
        if (perRow > 0) {
            std::snprintf(text, sizeof text, "%-30s %12.0f\n", "Heap bytes per row of the box",
                          perRow);
            aOut << text;
        }
        const double chooseAndSet = Median("BM_QuireChoose1000AndSet", "");
        if (chooseAndSet > 0) {
            std::snprintf(text, sizeof text, "%-30s %12.1f\n", "Choose 1000 records, set (ms)",
                          chooseAndSet / 1000);
            aOut << text;
        }
        PrintMillionLines(aOut);
    }

    void PrintMillionLines(std::ostream& aOut) const {
        const struct {
            const char* Label;
            const char* Benchmark;
            const char* Counter;
            double Scale;
        } lines[] = {
            {"1,000,000 rows: Open (ms)", "BM_MillionOpen", "", 1e-3},
            {"1,000,000 rows: Last (ms)", "BM_MillionLast", "", 1e-3},
            {"1,000,000 rows: jump (ms)", "BM_MillionJump", "", 1e-3},
            {"1,000,000 rows: Next+loop (us)", "BM_MillionNextEventLoop", "", 1},
            {"  heap growth, 100000 (KB)", "BM_MillionNextEventLoop", "heap_growth_kb", 1},
            {"1,000,000 rows: Next only (us)", "BM_MillionNextNoEventLoop", "", 1},
            {"  heap growth, 100000 (KB)", "BM_MillionNextNoEventLoop", "heap_growth_kb", 1},
        };
        char text[160];
        for (const auto& line : lines) {
            if (FFigures.count(line.Benchmark) == 0) {
                continue;
            }
            std::snprintf(text, sizeof text, "%-30s %12.1f\n", line.Label,
                          Median(line.Benchmark, line.Counter) * line.Scale);
            aOut << text;
        }
    }

private:
    struct TFigures {
        std::vector<Run> Runs;
        std::unique_ptr<Run> Median; // with repetitions
    };

    // The median CPU time per iteration in microseconds (aCounter empty) or the median
    // of a counter; 0 when not run. CPU time, because the wall time of a loaded machine
    // counts the waits for a core too.
    double Median(const std::string& aBenchmark, const std::string& aCounter) const {
        const auto found = FFigures.find(aBenchmark);
        if (found == FFigures.end()) {
            return 0;
        }
        auto figure = [&aCounter](const Run& aRun) -> double {
            if (aCounter.empty()) {
                return aRun.cpu_accumulated_time * 1e6 / static_cast<double>(aRun.iterations);
            }
            const auto counter = aRun.counters.find(aCounter);
            return counter == aRun.counters.end() ? 0 : counter->second.value;
        };
        if (found->second.Median) {
            // An aggregate holds its value in the accumulated times, over one iteration.
            const Run& median = *found->second.Median;
            return aCounter.empty() ? median.GetAdjustedCPUTime() * UnitsPerMicro(median.time_unit)
                                    : figure(median);
        }
        std::vector<double> values;
        for (const Run& run : found->second.Runs) {
            values.push_back(figure(run));
        }
        if (values.empty()) {
            return 0;
        }
        std::sort(values.begin(), values.end());
        const size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    static double UnitsPerMicro(benchmark::TimeUnit aUnit) {
        switch (aUnit) {
        case benchmark::kNanosecond:
            return 1e-3;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            return 1e6;
        default:
            return 1;
        }
    }

    std::map<std::string, TFigures> FFigures;
};

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const auto dir =
        std::filesystem::temp_directory_path() / ("quire-box-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    DatabaseFile = dir / "wide.sqlite";
    MillionFile = dir / "million.sqlite";
    const auto million = std::find_if(argv + 1, argv + argc, [](const char* aArg) {
        return std::strcmp(aArg, "--million") == 0;
    });
    const bool withMillion = million != argv + argc;
    if (withMillion) {
        std::rotate(million, million + 1, argv + argc);
        --argc;
    }
    int status = 0;
    try {
        fw::Application->Initialize();
        CreateTable();
        if (withMillion) {
            CreateMillionTable();
            RegisterMillionBenchmarks();
        }
        benchmark::Initialize(&argc, argv);
        TTableReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintTable(std::cout);
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "box_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(dir);
    return status;
}
