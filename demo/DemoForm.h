// SPDX-License-Identifier: MIT
#pragma once
// The demo's main window: navigation, post, cancel and About buttons along the top,
// the record list (titles) on the left, the property box bound to the table beside
// it, and a status line with the record number and the data set's state at the
// bottom. Choosing one record in the list moves to it; choosing several (Ctrl or
// Shift click) shows them all in the box, where a value set goes to every one.
//
// Every button first commits the text typed into the box's strip, so nothing typed
// is lost by a click; moving to another record posts a changed record (the data
// set's own rule). Closing the window posts a pending change; when the database
// refuses it the error is shown and the window stays open.

#include "DemoDatabase.h"

#include "quire/box/Quire.h"

#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/packages/Package.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Form.h"

#include <array>
#include <memory>
#include <vector>

namespace demo {

class TRecordList;
class TStatusLine;

enum class TDemoCommand { dcFirst, dcPrior, dcNext, dcLast, dcPost, dcCancel, dcAbout };
using enum TDemoCommand;

class TDemoForm : public fw::TForm {
    FW_CLASS(TDemoForm, fw::TForm)
public:
    // aData's table is shown; the form does not own it. aPackage is the loaded package
    // the About box describes.
    TDemoForm(TDemoData& aData, fw::HMODULE aPackage);
    ~TDemoForm() override;

    quire::TQuire* Box() const { return FBox; }
    TRecordList* RecordList() const { return FRecordList; }
    fw::TButton* CommandButton(TDemoCommand aCommand) const {
        return FButtons[static_cast<size_t>(aCommand)];
    }
    fw::String StatusText() const;
    void Run(TDemoCommand aCommand);

private:
    class TStatusLink;

    void BuildToolbar();
    void UpdateStatus();
    // The list's records again, and the box's choice (or the current record) in it.
    void UpdateRecordList();
    void ChooseRecords(const std::vector<int64_t>& aRecNos);
    void PostRecord();
    void CancelRecord();
    void ShowAbout();
    void CloseQueryHandler(bool& aCanClose);

    TDemoData& FData;
    fw::HMODULE FPackage;
    fw::TDataSource FSource;
    std::unique_ptr<TStatusLink> FStatusLink;
    quire::TQuire* FBox = nullptr;
    TStatusLine* FStatus = nullptr;
    TRecordList* FRecordList = nullptr;
    std::array<fw::TButton*, 7> FButtons{};
};

} // namespace demo
