// SPDX-License-Identifier: MIT
// Exact decimals and 64-bit integers typed into the box on a shown form, posted and
// read back from a table shaped like a shop's invoice lines, on SQLite and
// PostgreSQL, with a decimal comma.

#include "BoxFixture.h"

#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/Field.h"

#include <gtest/gtest.h>

namespace quire::test {
namespace {

using fw::Application;
using fw::TDecimal;

TDecimal Dec(const char* aText) {
    return TDecimal::Parse(aText);
}

class NumberRows : public BoxFixture, public ::testing::WithParamInterface<dbtest::TBackendKind> {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowForm();
        Db = dbtest::Connect(GetParam(), Dir, SkipReason);
        if (!Db)
            GTEST_SKIP() << SkipReason;
        Db->ExecSQL("DROP TABLE IF EXISTS invoice_lines");
        Db->ExecSQL(std::string("CREATE TABLE invoice_lines (id BIGINT PRIMARY KEY, "
                                "unit_price NUMERIC(10,2), quantity INTEGER, "
                                "total NUMERIC(12,2), exact NUMERIC(30,4)") +
                    (Pg() ? ", paid MONEY" : "") + ")");
        Db->ExecSQL(std::string("INSERT INTO invoice_lines VALUES (9223372036854775807, ") +
                    "1490.50, 2, 2981.00, 1" + (Pg() ? ", 2981.00" : "") + ")");
        Table = fw::New<fw::TSqlTable>();
        Table->SetConnection(Db.get());
        Table->SetTableName("invoice_lines");
        Source = fw::New<fw::TDataSource>();
        Source->SetDataSet(Table.get());
        Box->SetDataSource(Source.get());
        Table->Open();
        Application->ProcessMessages();
    }

    bool Pg() const { return GetParam() == dbtest::TBackendKind::PostgreSQL; }

    // Types aText over the whole text of row aName and presses Enter.
    void TypeInto(const std::string& aName, const std::string& aText) {
        ClickRow(aName);
        Input::Key(Edit(), 'A', {fw::TShiftStateItem::ssCtrl});
        Input::Type(Edit(), aText);
        Input::Key(Edit(), fw::VK_RETURN);
    }

    // Column aColumn of the line as a fresh query reads it back.
    TDecimal StoredDecimal(const std::string& aColumn) {
        auto query = fw::New<fw::TSqlQuery>();
        query->SetConnection(Db.get());
        query->SetSQL("SELECT " + aColumn + " FROM invoice_lines");
        query->Open();
        return query->Fields(0).AsDecimal();
    }
};

INSTANTIATE_TEST_SUITE_P(Backends, NumberRows,
                         ::testing::Values(dbtest::TBackendKind::SQLite,
                                           dbtest::TBackendKind::PostgreSQL));

TEST_P(NumberRows, DecimalsAndTheLargestKeyAreShownTypedAndPostedExactly) {
    EXPECT_EQ(Row("id")->GetValue(), "9223372036854775807");
    EXPECT_EQ(Row("unit_price")->GetValue(), "1490,50");
    EXPECT_EQ(Row("total")->GetValue(), "2981,00");
    TypeInto("unit_price", "0,1");
    TypeInto("total", "0.3"); // either separator is taken
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
    Table->Post();
    EXPECT_EQ(Row("unit_price")->GetValue(), "0,10");
    EXPECT_EQ(Row("total")->GetValue(), "0,30");
    EXPECT_EQ(StoredDecimal("unit_price"), Dec("0.1"));
    EXPECT_EQ(StoredDecimal("total"), Dec("0.3"));
    EXPECT_EQ(Table->FieldByName("unit_price").AsDecimal() + Dec("0.2"),
              Table->FieldByName("total").AsDecimal());
    EXPECT_EQ(StoredDecimal("id").ToString(), "9223372036854775807");

    // The key itself, one below the largest: found again by the key it had.
    TypeInto("id", "9223372036854775806");
    Table->Post();
    EXPECT_EQ(StoredDecimal("id").ToString(), "9223372036854775806");
    EXPECT_EQ(Row("id")->GetValue(), "9223372036854775806");
}

TEST_P(NumberRows, TextBeyondTheColumnsLimitsIsRefusedNamingTextAndLimit) {
    const auto refused = [&](const std::string& aRow, const std::string& aText,
                             const std::string& aLimit) {
        Application->ClearLastException();
        TypeInto(aRow, aText);
        const std::string message = Application->LastExceptionMessage();
        EXPECT_NE(message.find("'" + aText + "'"), std::string::npos) << message;
        EXPECT_NE(message.find(aLimit), std::string::npos) << message;
    };
    refused("unit_price", "1,234", "more than 2 decimals");
    refused("unit_price", "123456789", "more than 8 digits before");
    refused("id", "9223372036854775808", "9223372036854775807");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_EQ(Row("unit_price")->GetValue(), "1490,50");
    // Trailing zeros are no decimals.
    TypeInto("unit_price", "12,3400");
    Table->Post();
    EXPECT_EQ(StoredDecimal("unit_price"), Dec("12.34"));
}

TEST_P(NumberRows, ManySignificantDigitsSurviveWhereTheEngineKeepsThem) {
    const std::string digits = "12345678901234567890123456,7891";
    TypeInto("exact", digits);
    EXPECT_EQ(Table->FieldByName("exact").AsString(), digits);
    if (!Pg()) {
        // SQLite would round a NUMERIC value of this size to a double: refused.
        try {
            Table->Post();
            FAIL() << "posted";
        } catch (const fw::EDatabaseError& e) {
            EXPECT_NE(e.Message().find("15 significant digits"), std::string::npos) << e.Message();
        }
        EXPECT_EQ(Table->State(), fw::dsEdit);
        EXPECT_EQ(Table->FieldByName("exact").AsString(), digits);
        return;
    }
    Table->Post();
    EXPECT_EQ(StoredDecimal("exact").ToString(), "12345678901234567890123456.7891");
    EXPECT_EQ(Row("exact")->GetValue(), digits);
    EXPECT_EQ(Row("paid")->GetValue(), "2981,00");
    TypeInto("paid", "92233720368547758,07");
    Table->Post();
    EXPECT_EQ(StoredDecimal("paid").ToString(), "92233720368547758.07");
}

} // namespace
} // namespace quire::test
