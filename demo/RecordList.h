// SPDX-License-Identifier: MIT
#pragma once
// The demo's record list: one line per record of the table (its first text field,
// else its number), beside the inspector. A click chooses one record; Ctrl+click
// adds or removes one, Shift+click chooses the run from the last clicked record.
// OnChoose hears the chosen record numbers (1-based, in list order) after every
// click. Only the first MaxRecords records are listed.

#include "platform/db/DataSet.h"
#include "platform/stdctrls/ListBox.h"

#include <functional>
#include <vector>

namespace demo {

class TRecordList : public fw::TCustomListBox {
    FW_CLASS(TRecordList, fw::TCustomListBox)
public:
    static constexpr int64_t MaxRecords = 500;

    explicit TRecordList(fw::TComponent* aOwner = nullptr);

    // Lists aDataSet's records again, keeping the chosen numbers that still exist.
    void Fill(fw::TDataSet& aDataSet);
    const std::vector<int64_t>& Chosen() const { return FChosen; }
    // Chooses exactly aRecNos, as code; OnChoose is not called.
    void SetChosen(std::vector<int64_t> aRecNos);
    std::function<void(const std::vector<int64_t>&)> OnChoose;

    void MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                   int32_t aY) override;

protected:
    void DrawItem(int32_t aIndex, const fw::TRect& aRect, fw::TOwnerDrawState aState) override;

private:
    std::vector<int64_t> FChosen;
    int64_t FAnchor = 0;
    bool IsChosen(int64_t aRecNo) const;
};

} // namespace demo
