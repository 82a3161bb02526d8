// SPDX-License-Identifier: MIT
#pragma once
// The snapshot of a data set's current record as property values: what the box
// builds its rows from on every record change.

#include "quire/values/MultiPropList.h"
#include "quire/values/Prop.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataTypes.h"

#include <memory>
#include <vector>

namespace quire {

// The property class that shows a field of aDataType, or nullptr when the type is
// not shown (bytes, auto-increment, blobs, formatted memos, and every type past
// ftFmtMemo but ftLargeint). ftWord has the unsigned 16-bit kind, ftCurrency and
// ftBCD the decimal kind (with the field's precision and scale), ftLargeint the
// 64-bit kind.
TPropClass FieldTypeToPropClass(fw::TFieldType aDataType);

// A new collection with, for each field of a shown type and in field order, a
// one-entry TPropList named after the field, its property loaded with the field's
// value (a null field leaves the property at its initial value). The collection
// refers to nothing of the data set; the caller owns it. A value the property
// cannot take raises the conversion error of the property's SetAsVariant (an
// ftSmallint value outside 16 bits raises too, rather than wrapping); the
// collection built so far is freed then.
std::unique_ptr<TMultiPropList> RecordToProps(const fw::TDataSet& aDataSet);

// As RecordToProps for the records numbered aRecNos (1-based), read without moving
// the cursor (TDataSet::ForEachRecord): each list holds one property per record,
// in aRecNos order. A number outside the records raises EDatabaseError.
std::unique_ptr<TMultiPropList> RecordsToProps(fw::TDataSet& aDataSet,
                                               const std::vector<int64_t>& aRecNos);

} // namespace quire
