// SPDX-License-Identifier: MIT
#pragma once
// TDataSource: connects one data set to any number of data links.
//
// The data source owns neither its data set nor its links. When the data set is
// destroyed the source lets go of it; when the source is destroyed it detaches
// every link, which then reports itself inactive (ActiveChanged), so nothing keeps
// a pointer to a destroyed source. Events of the data set are passed to the links
// while the source is Enabled.

#include "platform/db/DataTypes.h"
#include "platform/rtl/Object.h"

#include <vector>

namespace fw {

class TDataSet;
class TDataLink;

class TDataSource : public TObject {
    FW_CLASS(TDataSource, TObject)
public:
    TDataSource() = default;
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* aDataSet);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool aValue);
    // Whether TDataLink::Edit may put the data set into edit state. True by default.
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool aValue) { FAutoEdit = aValue; }
    // The data set's state; dsInactive without a data set or while disabled.
    TDataSetState State() const;
    // Puts the data set into edit state when AutoEdit is on and it is browsing.
    void Edit();
    int32_t LinkCount() const { return static_cast<int32_t>(FDataLinks.size()); }

private:
    friend class TDataSet;
    friend class TDataLink;

    TDataSet* FDataSet = nullptr;
    std::vector<TDataLink*> FDataLinks;
    bool FEnabled = true;
    bool FAutoEdit = true;

    void AddDataLink(TDataLink* aLink);
    void RemoveDataLink(TDataLink* aLink);
    void DataEvent(TDataEvent aEvent, intptr_t aInfo);
    void NotifyLinks(TDataEvent aEvent, intptr_t aInfo);
};

} // namespace fw
