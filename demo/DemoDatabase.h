// SPDX-License-Identifier: MIT
#pragma once
// The data the demo shows: its sample database or the one named on the command line,
// and the table in it.
//
// The sample is an SQLite file, <data folder>/quire-demo/sample.db, where the data
// folder is $XDG_DATA_HOME or ~/.local/share. It is made on first use, in a
// temporary file renamed into place once complete, with the table Catalogue: one
// column of every kind the box shows (text, smallint, integer, float, boolean, date,
// time, date-time, memo), an integer key and a blob (neither gets a row) and five
// books in Russian and English. The database refuses a page count below 1, so a
// refused post can be seen too.
//
// OpenDemoTable raises EDemoError with one line naming what was wrong: a missing
// file, a server that cannot be reached, a table that is not there.

#include "DemoOptions.h"

#include "platform/db/SqlConnection.h"
#include "platform/db/SqlTable.h"

#include <memory>

namespace demo {

// The sample's file name in the user's data folder.
fw::String SampleDatabasePath();
// Writes the sample database at aPath (which must not exist yet).
void CreateSampleDatabase(const fw::String& aPath);

struct TDemoData {
    std::unique_ptr<fw::TSqlConnection> Connection;
    std::unique_ptr<fw::TSqlTable> Table;
    // "catalogue in /home/…/sample.db", for the window's title.
    fw::String Description;
};

// Connects, picks the table (the named one, else the first by name) and opens it.
TDemoData OpenDemoTable(const TDemoOptions& aOptions);

} // namespace demo
