// SPDX-License-Identifier: MIT
#include "platform/db/DataSource.h"

#include "platform/db/DataLink.h"
#include "platform/db/DataSet.h"

#include <algorithm>
#include <exception>

namespace fw {

FW_IMPLEMENT_CLASS(TDataSource)

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    while (!FDataLinks.empty())
        FDataLinks.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* aDataSet) {
    if (aDataSet == FDataSet)
        return;
    if (FDataSet) {
        auto& sources = FDataSet->FDataSources;
        sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    }
    FDataSet = aDataSet;
    if (FDataSet)
        FDataSet->FDataSources.push_back(this);
    NotifyLinks(deUpdateState, 0);
}

void TDataSource::SetEnabled(bool aValue) {
    if (aValue == FEnabled)
        return;
    FEnabled = aValue;
    NotifyLinks(deUpdateState, 0);
}

TDataSetState TDataSource::State() const {
    return FDataSet && FEnabled ? FDataSet->State() : dsInactive;
}

void TDataSource::Edit() {
    if (FAutoEdit && State() == dsBrowse)
        FDataSet->Edit();
}

void TDataSource::AddDataLink(TDataLink* aLink) {
    FDataLinks.push_back(aLink);
}

void TDataSource::RemoveDataLink(TDataLink* aLink) {
    std::erase(FDataLinks, aLink);
}

void TDataSource::DataEvent(TDataEvent aEvent, intptr_t aInfo) {
    if (aEvent == deUpdateState || FEnabled)
        NotifyLinks(aEvent, aInfo);
}

void TDataSource::NotifyLinks(TDataEvent aEvent, intptr_t aInfo) {
    // A link may detach itself (or others) while it is notified. A link that fails
    // to show the record does not keep the others from hearing of it; a link that
    // fails to write its edits (deUpdateRecord, deCheckBrowseMode) stops the action.
    const bool stopOnError = aEvent == deUpdateRecord || aEvent == deCheckBrowseMode;
    std::exception_ptr firstError;
    const auto links = FDataLinks;
    for (TDataLink* link : links) {
        if (std::find(FDataLinks.begin(), FDataLinks.end(), link) == FDataLinks.end())
            continue;
        try {
            link->DataEvent(aEvent, aInfo);
        } catch (...) {
            if (stopOnError)
                throw;
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

} // namespace fw
