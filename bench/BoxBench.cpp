// The box against the way a Qt programmer would show a record without it, in one
// run, on the same 50-column SQLite table (offscreen platform):
//
//   BM_QuireRecordChange    Next on the table, the box rebuilds its rows from the
//                           record and repaints every visible row
//   BM_QtMapperRecordChange QDataWidgetMapper over a QSqlTableModel with 50
//                           QLineEdits: toNext and a synchronous repaint
//   BM_QuirePaint40Rows     one full repaint of a box showing 40 rows
//   BM_QuireRowMemory       heap bytes per row held by the box (counter bytes_per_row)
//
// Build with -DCMAKE_BUILD_TYPE=Release and run build/bench/box_bench.

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

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kColumns = 50;
constexpr int kRows = 2000;
std::filesystem::path DatabaseFile;

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

// A shown form with a box bound to the wide table, tall enough for aVisibleRows.
struct TBoxOnTable {
    std::unique_ptr<fw::TForm> Form = fw::New<fw::TForm>(nullptr, 0);
    std::unique_ptr<fw::TSqlConnection> Db = fw::New<fw::TSqlConnection>();
    std::unique_ptr<fw::TSqlTable> Table = fw::New<fw::TSqlTable>();
    std::unique_ptr<fw::TDataSource> Source = fw::New<fw::TDataSource>();
    quire::TQuire* Box = nullptr;

    explicit TBoxOnTable(int aVisibleRows) {
        Form->SetBounds(0, 0, 420, aVisibleRows * 16 + 20);
        Box = fw::CreateOwned<quire::TQuire>(Form.get());
        Box->SetBounds(0, 0, 400, aVisibleRows * 16 + 4);
        Box->SetParent(Form.get());
        Form->Show();
        Db->SetDatabaseName(DatabaseFile.string());
        Db->Open();
        Table->SetConnection(Db.get());
        Table->SetTableName("wide");
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

void BM_QuireRecordChange(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    for (auto _ : aState) {
        fixture.NextRecord();
        fixture.Box->Update();
    }
    aState.counters["rows_shown"] = fixture.Box->Count();
}
BENCHMARK(BM_QuireRecordChange)->Unit(benchmark::kMicrosecond);

void BM_QtMapperRecordChange(benchmark::State& aState) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "qt-way");
        db.setDatabaseName(QString::fromStdString(DatabaseFile.string()));
        db.open();
        QSqlTableModel model(nullptr, db);
        model.setTable("wide");
        model.select();
        QWidget window;
        window.resize(420, 40 * 16 + 20);
        auto* layout = new QFormLayout(&window);
        QDataWidgetMapper mapper;
        mapper.setModel(&model);
        for (int i = 0; i < kColumns; ++i) {
            auto* edit = new QLineEdit(&window);
            layout->addRow(QString::fromStdString(ColumnName(i)), edit);
            mapper.addMapping(edit, i + 1);
        }
        window.show();
        mapper.toFirst();
        QApplication::processEvents();
        for (auto _ : aState) {
            if (mapper.currentIndex() + 1 >= kRows) {
                mapper.toFirst();
            } else {
                mapper.toNext();
            }
            window.repaint();
        }
    }
    QSqlDatabase::removeDatabase("qt-way");
}
BENCHMARK(BM_QtMapperRecordChange)->Unit(benchmark::kMicrosecond);

void BM_QuirePaint40Rows(benchmark::State& aState) {
    TBoxOnTable fixture(40);
    for (auto _ : aState) {
        fixture.Box->Invalidate();
        fixture.Box->Update();
    }
    aState.counters["rows_painted"] = fixture.Box->VisibleRows();
}
BENCHMARK(BM_QuirePaint40Rows)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(BM_QuireRowMemory)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const auto dir =
        std::filesystem::temp_directory_path() / ("quire-box-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    DatabaseFile = dir / "wide.sqlite";
    int status = 0;
    try {
        fw::Application->Initialize();
        CreateTable();
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "box_bench: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(dir);
    return status;
}
