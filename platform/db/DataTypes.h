// SPDX-License-Identifier: MIT
#pragma once
// Enumerations of the data-aware layer and its exception class.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

#include <cstdint>

namespace fw {

// Field data types with the framework's fixed ordinals: code that maps a data type
// to something else may rely on these numbers.
enum class TFieldType : int32_t {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftFmtMemo = 18,
    ftParadoxOle = 19,
    ftDBaseOle = 20,
    ftTypedBinary = 21,
    ftCursor = 22,
    ftFixedChar = 23,
    ftWideString = 24,
    ftLargeint = 25,
};
using enum TFieldType;

// "ftString", "ftInteger", ...; "ftUnknown" for a number outside the list.
const char* FieldTypeName(TFieldType aType);

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
using enum TDataSetState;

// What a data set reports to its data sources and they to their links.
enum class TDataEvent {
    deFieldChange,    // a field of the current record was written (info: the field)
    deRecordChange,   // the current record changed in place (edit state entered)
    deDataSetChange,  // the record set or the current record changed (post, cancel, ...)
    deDataSetScroll,  // the cursor moved (info: the distance)
    deLayoutChange,   // the fields changed
    deUpdateRecord,   // links are asked to write pending control edits into fields
    deUpdateState,    // the state changed (open, close, edit, browse)
    deCheckBrowseMode // links are told the data set is about to leave edit state
};
using enum TDataEvent;

// Every error raised by data sets, fields and SQL connections. Messages name the
// data set or field and the value concerned; database refusals carry the database's
// own message.
FW_EXCEPTION_CLASS(EDatabaseError, Exception);

} // namespace fw
