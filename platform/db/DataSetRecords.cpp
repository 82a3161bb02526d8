// SPDX-License-Identifier: MIT
// TDataSet's work on several records at once: reading them without moving the
// cursor and writing them as one.

#include "platform/db/DataSet.h"

#include "platform/rtl/SysUtils.h"

#include <exception>

namespace fw {

TRecordValues TDataSet::FetchNumbered(int64_t aRecNo) {
    TRecordValues values;
    if (aRecNo < 1 || !InternalFetch(aRecNo - 1, values))
        DatabaseError("Record number " + IntToStr(aRecNo) + " out of range");
    if (values.size() < FFields.size())
        values.resize(FFields.size(), Null());
    return values;
}

void TDataSet::ForEachRecord(const std::vector<int64_t>& aRecNos,
                             const std::function<void()>& aVisit) {
    CheckActive();
    std::vector<TRecordValues> records;
    records.reserve(aRecNos.size());
    for (int64_t recNo : aRecNos)
        records.push_back(FetchNumbered(recNo));
    TRecordValues current = std::move(FCurrent);
    const bool hasRecord = FHasRecord;
    const int64_t index = FIndex;
    try {
        for (std::size_t i = 0; i < records.size(); ++i) {
            FCurrent = std::move(records[i]);
            FIndex = aRecNos[i] - 1;
            FHasRecord = true;
            aVisit();
        }
    } catch (...) {
        FCurrent = std::move(current);
        FHasRecord = hasRecord;
        FIndex = index;
        throw;
    }
    FCurrent = std::move(current);
    FHasRecord = hasRecord;
    FIndex = index;
}

TRecordValues TDataSet::PostEdit(const TRecordEdit& aEdit, const TRecordValues& aOld) {
    FCurrent = aOld;
    FOldValues = aOld;
    FIndex = aEdit.RecNo - 1;
    FHasRecord = true;
    FModified = false;
    FState = dsEdit;
    for (const auto& [name, value] : aEdit.Values)
        FieldByName(name).SetAsVariant(value);
    if (BeforePost)
        BeforePost(*this);
    CheckRequiredFields();
    TRecordValues values = FCurrent;
    InternalPost(values, FOldValues, false, FIndex);
    return values;
}

String TDataSet::DescribeRecord(int64_t aRecNo, const TRecordValues& aValues) const {
    const String key = RecordKeyText(aValues);
    return "record " + IntToStr(aRecNo) + (key.empty() ? String() : " (" + key + ")");
}

void TDataSet::PostRecords(const std::vector<TRecordEdit>& aEdits) {
    CheckActive();
    CheckBrowseMode();
    if (!CanModify())
        DatabaseError("Cannot modify a read-only data set");
    std::vector<TRecordValues> olds;
    olds.reserve(aEdits.size());
    for (const TRecordEdit& edit : aEdits)
        olds.push_back(FetchNumbered(edit.RecNo));

    const TRecordValues current = FCurrent;
    const int64_t index = FIndex;
    const bool hasRecord = FHasRecord;
    // Controls hear of the records once, at the end; a refusal's message is built
    // before the writes are undone.
    DisableControls();
    const bool transactional = StartRecordsWrite();
    std::vector<TRecordValues> written;
    written.reserve(aEdits.size());
    std::exception_ptr failure;
    String refusal;
    try {
        for (std::size_t i = 0; i < aEdits.size(); ++i) {
            try {
                written.push_back(PostEdit(aEdits[i], olds[i]));
            } catch (const Exception& error) {
                refusal = DescribeRecord(aEdits[i].RecNo, olds[i]) +
                          " refused, no record written: " + error.Message();
                throw;
            }
        }
        FState = dsBrowse;
        EndRecordsWrite(true);
    } catch (...) {
        failure = std::current_exception();
    }
    FState = dsBrowse;
    FModified = false;
    FOldValues.clear();
    FCurrent = current;
    FIndex = index;
    FHasRecord = hasRecord;
    if (failure) {
        try {
            if (transactional)
                EndRecordsWrite(false);
            else
                for (std::size_t i = written.size(); i-- > 0;) {
                    TRecordValues old = olds[i];
                    InternalPost(old, written[i], false, aEdits[i].RecNo - 1);
                }
        } catch (const Exception&) {
            // The first reason is the one to report.
        }
    }
    // The current record as stored now; reading it back must not report the
    // writes as failed.
    try {
        LoadNearest(InternalRefresh(current, hasRecord ? index : 0));
    } catch (const Exception&) {
    }
    try {
        DataEvent(deDataSetChange);
        EnableControls();
    } catch (const Exception&) {
        // A control that cannot show the record shows none (see TDataLink).
    }
    if (failure && !refusal.empty())
        DatabaseError(refusal);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace fw
