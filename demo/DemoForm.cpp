// SPDX-License-Identifier: MIT
#include "DemoForm.h"

#include "AboutBox.h"
#include "RecordList.h"
#include "StatusLine.h"

#include "platform/controls/Application.h"
#include "platform/stdctrls/Panel.h"

namespace demo {

namespace {

struct TCommandButton {
    TDemoCommand Command;
    const char* Caption;
    int32_t Gap; // space before the button
};

const TCommandButton CommandButtons[] = {
    {dcFirst, "First", 8}, {dcPrior, "Previous", 4}, {dcNext, "Next", 4},   {dcLast, "Last", 4},
    {dcPost, "Post", 16},  {dcCancel, "Cancel", 4},  {dcAbout, "About", 16}};

constexpr int32_t ButtonWidth = 66;
constexpr int32_t ButtonHeight = 26;

const char* StateText(fw::TDataSetState aState) {
    switch (aState) {
    case fw::dsInactive:
        return "Closed";
    case fw::dsBrowse:
        return "Browse";
    case fw::dsEdit:
        return "Edit";
    case fw::dsInsert:
        return "Insert";
    }
    return "";
}

bool Editing(const fw::TDataSet& aDataSet) {
    return aDataSet.State() == fw::dsEdit || aDataSet.State() == fw::dsInsert;
}

} // namespace

// Hears every change of the data set for the status line and the buttons.
class TDemoForm::TStatusLink : public fw::TDataLink {
public:
    explicit TStatusLink(TDemoForm& aForm) : FForm(aForm) {}

protected:
    void ActiveChanged() override { FForm.UpdateStatus(); }
    void EditingChanged() override { FForm.UpdateStatus(); }
    void RecordChanged(fw::TField*) override {
        FForm.UpdateRecordList();
        FForm.UpdateStatus();
    }

private:
    TDemoForm& FForm;
};

FW_IMPLEMENT_ABSTRACT_CLASS(TDemoForm)

TDemoForm::TDemoForm(TDemoData& aData, fw::HMODULE aPackage)
    : TForm(nullptr, 0), FData(aData), FPackage(aPackage) {
    SetCaption("Quire demo: " + aData.Description);
    SetBounds(60, 60, 720, 460);
    SetPosition(fw::poScreenCenter);
    BuildToolbar();

    FStatus = fw::CreateOwned<TStatusLine>(this);
    FStatus->SetHeight(24);
    FStatus->SetAlign(fw::alBottom);
    FStatus->SetParent(this);

    FRecordList = fw::CreateOwned<TRecordList>(this);
    FRecordList->SetWidth(180);
    FRecordList->SetAlign(fw::alLeft);
    FRecordList->SetParent(this);
    FRecordList->OnChoose = [this](const std::vector<int64_t>& aRecNos) { ChooseRecords(aRecNos); };

    FBox = fw::CreateOwned<quire::TQuire>(this);
    FBox->SetAlign(fw::alClient);
    FBox->SetParent(this);

    FSource.SetDataSet(FData.Table.get());
    // The box hears of a record first, so the list shows the box's choice as it is.
    FBox->SetDataSource(&FSource);
    FStatusLink = std::make_unique<TStatusLink>(*this);
    FStatusLink->SetDataSource(&FSource);
    SetActiveControl(FBox);
    UpdateRecordList();
    OnCloseQuery = [this](fw::TObject*, bool& aCanClose) { CloseQueryHandler(aCanClose); };
    UpdateStatus();
}

TDemoForm::~TDemoForm() {
    FBox->SetDataSource(nullptr);
    FStatusLink->SetDataSource(nullptr);
}

void TDemoForm::BuildToolbar() {
    auto* toolbar = fw::CreateOwned<fw::TPanel>(this);
    toolbar->SetHeight(ButtonHeight + 12);
    toolbar->SetAlign(fw::alTop);
    toolbar->SetParent(this);
    int32_t left = 0;
    for (const TCommandButton& entry : CommandButtons) {
        left += entry.Gap;
        auto* button = fw::CreateOwned<fw::TButton>(this);
        button->SetCaption(entry.Caption);
        button->SetBounds(left, 6, ButtonWidth, ButtonHeight);
        button->SetParent(toolbar);
        const TDemoCommand command = entry.Command;
        button->OnClick = [this, command](fw::TObject*) { Run(command); };
        FButtons[static_cast<size_t>(command)] = button;
        left += ButtonWidth;
    }
}

void TDemoForm::Run(TDemoCommand aCommand) {
    fw::TDataSet& table = *FData.Table;
    if (aCommand != dcCancel)
        FBox->ApplyChanges();
    switch (aCommand) {
    case dcFirst:
        table.First();
        break;
    case dcPrior:
        table.Prior();
        break;
    case dcNext:
        table.Next();
        break;
    case dcLast:
        table.Last();
        break;
    case dcPost:
        PostRecord();
        break;
    case dcCancel:
        CancelRecord();
        break;
    case dcAbout:
        ShowAbout();
        break;
    }
}

void TDemoForm::PostRecord() {
    if (Editing(*FData.Table))
        FData.Table->Post();
}

void TDemoForm::CancelRecord() {
    FBox->DiscardChanges();
    if (Editing(*FData.Table))
        FData.Table->Cancel();
}

void TDemoForm::ShowAbout() {
    TAboutBox about(FPackage);
    about.ShowModal();
}

void TDemoForm::ChooseRecords(const std::vector<int64_t>& aRecNos) {
    FBox->ApplyChanges();
    if (aRecNos.size() == 1) {
        FBox->SelectRecords({});
        FData.Table->SetRecNo(aRecNos.front());
    } else {
        FBox->SelectRecords(aRecNos);
    }
    UpdateRecordList();
    UpdateStatus();
}

void TDemoForm::UpdateRecordList() {
    if (FRecordList == nullptr || FBox == nullptr)
        return;
    fw::TDataSet& table = *FData.Table;
    FRecordList->Fill(table);
    if (!FBox->SelectedRecords().empty())
        FRecordList->SetChosen(FBox->SelectedRecords());
    else if (table.Active() && table.RecNo() > 0)
        FRecordList->SetChosen({table.RecNo()});
    else
        FRecordList->SetChosen({});
}

fw::String TDemoForm::StatusText() const {
    fw::TDataSet& table = *FData.Table;
    if (!table.Active())
        return StateText(fw::dsInactive);
    const fw::String state = StateText(table.State());
    if (FBox != nullptr && !FBox->SelectedRecords().empty())
        return std::to_string(FBox->SelectedRecords().size()) + " records chosen · " + state;
    if (table.State() == fw::dsInsert)
        return "New record · " + state;
    if (table.IsEmpty())
        return "No records · " + state;
    return "Record " + std::to_string(table.RecNo()) + " of " +
           std::to_string(table.RecordCount()) + " · " + state;
}

void TDemoForm::UpdateStatus() {
    if (FStatus == nullptr)
        return;
    FStatus->SetCaption(StatusText());
    fw::TDataSet& table = *FData.Table;
    const bool active = table.Active() && !table.IsEmpty();
    const bool editing = Editing(table);
    const bool atFirst = active && table.RecNo() <= 1;
    const bool atLast = active && table.RecNo() >= table.RecordCount();
    CommandButton(dcFirst)->SetEnabled(active && (!atFirst || editing));
    CommandButton(dcPrior)->SetEnabled(active && (!atFirst || editing));
    CommandButton(dcNext)->SetEnabled(active && (!atLast || editing));
    CommandButton(dcLast)->SetEnabled(active && (!atLast || editing));
    CommandButton(dcPost)->SetEnabled(editing);
    CommandButton(dcCancel)->SetEnabled(editing);
}

void TDemoForm::CloseQueryHandler(bool& aCanClose) {
    try {
        FBox->ApplyChanges();
        PostRecord();
    } catch (...) {
        fw::Application->HandleException(this);
        aCanClose = false;
    }
}

} // namespace demo
