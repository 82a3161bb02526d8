// SPDX-License-Identifier: MIT
#include "platform/db/MemoryDataSet.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TMemoryDataSet)

TMemoryDataSet::TMemoryDataSet() {
    SetName("MemoryDataSet");
}

TMemoryDataSet::~TMemoryDataSet() {
    Close();
}

TFieldDefs& TMemoryDataSet::FieldDefs() {
    CheckInactive();
    return FFieldDefs;
}

void TMemoryDataSet::EmptyDataSet() {
    // A record being edited or inserted goes with the others, unposted.
    Cancel();
    FRecords.clear();
    if (Active())
        Refresh();
}

void TMemoryDataSet::InternalInitFieldDefs(TFieldDefs& aDefs) {
    aDefs = FFieldDefs;
    // Records kept from an earlier layout follow their fields by name; a new field
    // is null in them.
    std::vector<int32_t> from;
    for (const TFieldDef& def : FFieldDefs)
        from.push_back(FRecordLayout.IndexOf(def.Name));
    for (TRecordValues& record : FRecords) {
        TRecordValues moved(FFieldDefs.Count(), Null());
        for (std::size_t i = 0; i < from.size(); ++i)
            if (from[i] >= 0 && static_cast<std::size_t>(from[i]) < record.size())
                moved[i] = std::move(record[from[i]]);
        record = std::move(moved);
    }
    FRecordLayout = FFieldDefs;
}

bool TMemoryDataSet::InternalFetch(int64_t aIndex, TRecordValues& aValues) {
    if (aIndex < 0 || aIndex >= static_cast<int64_t>(FRecords.size()))
        return false;
    aValues = FRecords[aIndex];
    return true;
}

int64_t TMemoryDataSet::InternalRecordCount() {
    return static_cast<int64_t>(FRecords.size());
}

// Auto-increment fields left empty get one more than the highest value so far.
void TMemoryDataSet::AssignAutoIncrements(TRecordValues& aValues) {
    for (int32_t field = 0; field < FFieldDefs.Count(); ++field) {
        if (FFieldDefs[field].DataType != ftAutoInc || !aValues[field].IsNull())
            continue;
        int64_t highest = 0;
        for (const TRecordValues& record : FRecords)
            if (!record[field].IsNull())
                highest = std::max(highest, record[field].AsInt64());
        aValues[field] = Variant(static_cast<long long>(highest + 1));
    }
}

int64_t TMemoryDataSet::InternalPost(TRecordValues& aValues, const TRecordValues&, bool aInserting,
                                     int64_t aIndex) {
    const auto count = static_cast<int64_t>(FRecords.size());
    if (aInserting) {
        AssignAutoIncrements(aValues);
        const int64_t at = std::clamp<int64_t>(aIndex, 0, count);
        FRecords.insert(FRecords.begin() + at, aValues);
        return at;
    }
    if (aIndex < 0 || aIndex >= count)
        DatabaseError("Record " + IntToStr(aIndex + 1) + " not found");
    FRecords[aIndex] = aValues;
    return aIndex;
}

void TMemoryDataSet::InternalDelete(int64_t aIndex, const TRecordValues&) {
    if (aIndex < 0 || aIndex >= static_cast<int64_t>(FRecords.size()))
        DatabaseError("Record " + IntToStr(aIndex + 1) + " not found");
    FRecords.erase(FRecords.begin() + aIndex);
}

int64_t TMemoryDataSet::InternalRefresh(const TRecordValues&, int64_t aIndex) {
    return aIndex;
}

} // namespace fw
