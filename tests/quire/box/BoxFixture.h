// SPDX-License-Identifier: MIT
#pragma once
// A shown form with a TQuire bound to a real table: SQLite in a temporary folder, or
// PostgreSQL when the environment names a server. The sample table has one column of
// every shown kind, an auto-increment key and a blob (neither gets a row), and three
// records; the format settings are day-month-year with a decimal comma.

#include "quire/box/Quire.h"
#include "quire/inplace/PropButton.h"
#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/Application.h"
#include "platform/controls/FormFixture.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbTestSupport.h"
#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"
#include "platform/rtl/FormatSettings.h"

#include <memory>
#include <string>

namespace quire::test {

inline fw::TFormatSettings RussianSettings() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = ' ';
    settings.DateSeparator = '.';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn:ss";
    return settings;
}

class BoxFixture : public fw::testing::FormFixture {
protected:
    using TBackendKind = dbtest::TBackendKind;

    void SetUp() override {
        FormFixture::SetUp();
        Box = AddControl<TQuire>(10, 10, 300, 240);
    }

    void TearDown() override {
        // The box goes with the form; the data set and the source go after it, so
        // the box's link is detached by the form's destruction first.
        Form.reset();
        Source.reset();
        Table.reset();
        Db.reset();
        FormFixture::TearDown();
    }

    // Connects to aKind, creates and fills the sample table; false (with the reason
    // in SkipReason) when the back end is not available.
    bool OpenSample(TBackendKind aKind = TBackendKind::SQLite) {
        Db = dbtest::Connect(aKind, Dir, SkipReason);
        if (!Db) {
            return false;
        }
        const bool pg = aKind == TBackendKind::PostgreSQL;
        Db->ExecSQL("DROP TABLE IF EXISTS goods");
        Db->ExecSQL(std::string("CREATE TABLE goods (") +
                    (pg ? "id SERIAL PRIMARY KEY" : "id INTEGER PRIMARY KEY") +
                    ", name VARCHAR(12), qty SMALLINT, total INTEGER, price DOUBLE PRECISION,"
                    " active BOOLEAN, born DATE, opens TIME, stamp TIMESTAMP, notes TEXT, " +
                    (pg ? "photo BYTEA" : "photo BLOB") + ")");
        const std::string columns = "(name, qty, total, price, active, born, opens, stamp, notes)";
        Db->ExecSQL("INSERT INTO goods " + columns +
                    " VALUES ('Lamp', 3, 120, 2.5, TRUE, '2024-02-29', '13:45:30',"
                    " '2000-01-01 18:00:00', 'first line\nsecond')");
        Db->ExecSQL("INSERT INTO goods " + columns +
                    " VALUES ('Стол', -2, 70000, 0.25, FALSE, '1899-12-29', '06:00:00',"
                    " '1899-12-29 06:00:00', '')");
        Db->ExecSQL("INSERT INTO goods (name) VALUES ('Empty')");
        Table = fw::New<fw::TSqlTable>();
        Table->SetConnection(Db.get());
        Table->SetTableName("goods");
        Source = fw::New<fw::TDataSource>();
        Source->SetDataSet(Table.get());
        Box->SetDataSource(Source.get());
        Table->Open();
        return true;
    }

    // The form shown with the box on the SQLite sample, its first paints done.
    void ShowSample() {
        ShowForm();
        ASSERT_TRUE(OpenSample()) << SkipReason;
        fw::Application->ProcessMessages();
    }
    TPropEdit& Edit() { return *Box->FSelection->FEdit; }
    // A click on the name half of item aName: the box selects it.
    void ClickRow(const std::string& aName) {
        fw::TInputSimulator::Click(*Box, NamePoint(ItemOf(aName)));
    }

    // The index of the item named aName, failing the test when there is none.
    int32_t ItemOf(const std::string& aName) {
        int32_t index = Box->Items()->IndexOf(aName);
        EXPECT_GE(index, 0) << aName;
        return index;
    }
    TPropEditInfo* Row(const std::string& aName) { return Box->GetEditInfo(ItemOf(aName)); }
    // The middle of item aIndex's value column, in the box's client coordinates.
    fw::TPoint ValuePoint(int32_t aIndex) {
        fw::TRect rect = Box->ItemRect(aIndex);
        return fw::TPoint{Box->FDividerPos + 30, rect.Top + rect.Height() / 2};
    }
    fw::TPoint NamePoint(int32_t aIndex) {
        fw::TRect rect = Box->ItemRect(aIndex);
        return fw::TPoint{30, rect.Top + rect.Height() / 2};
    }
    // The value the database holds in column aColumn of the record named aName.
    fw::Variant Stored(const std::string& aColumn, const std::string& aName) {
        auto query = fw::New<fw::TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL("SELECT " + aColumn + " FROM goods WHERE name = ?");
        query->SetParams({fw::Variant(aName)});
        query->Open();
        return query->Eof() ? fw::Variant() : query->Fields(0).AsVariant();
    }

    fw::TFormatSettingsScope Format{RussianSettings()};
    dbtest::TTempDir Dir;
    std::string SkipReason;
    std::unique_ptr<fw::TSqlConnection> Db;
    std::unique_ptr<fw::TSqlTable> Table;
    std::unique_ptr<fw::TDataSource> Source;
    TQuire* Box = nullptr;
};

} // namespace quire::test
