// SPDX-License-Identifier: MIT
#include "RecordList.h"

#include "platform/db/Field.h"
#include "platform/graphics/Color.h"

#include <algorithm>

namespace demo {

FW_IMPLEMENT_CLASS(TRecordList)

TRecordList::TRecordList(fw::TComponent* aOwner) : fw::TCustomListBox(aOwner) {
    SetStyle(fw::lbOwnerDrawFixed);
    SetItemHeight(18);
}

void TRecordList::Fill(fw::TDataSet& aDataSet) {
    Items()->Clear();
    if (!aDataSet.Active())
        return;
    const fw::TField* title = nullptr;
    for (int32_t i = 0; i < aDataSet.FieldCount() && title == nullptr; ++i)
        if (aDataSet.Fields(i).DataType() == fw::ftString)
            title = &aDataSet.Fields(i);
    std::vector<int64_t> recNos(
        static_cast<std::size_t>(std::min(aDataSet.RecordCount(), MaxRecords)));
    for (std::size_t i = 0; i < recNos.size(); ++i)
        recNos[i] = static_cast<int64_t>(i) + 1;
    std::size_t next = 0;
    aDataSet.ForEachRecord(recNos, [&] {
        const int64_t recNo = recNos[next++];
        Items()->Add(title != nullptr ? title->AsString() : "Record " + std::to_string(recNo));
    });
    std::erase_if(FChosen, [&](int64_t aRecNo) { return aRecNo > Count(); });
    Invalidate();
}

void TRecordList::SetChosen(std::vector<int64_t> aRecNos) {
    if (aRecNos == FChosen)
        return;
    FChosen = std::move(aRecNos);
    if (FChosen.size() == 1)
        FAnchor = FChosen.front();
    Invalidate();
}

bool TRecordList::IsChosen(int64_t aRecNo) const {
    return std::find(FChosen.begin(), FChosen.end(), aRecNo) != FChosen.end();
}

void TRecordList::MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX,
                            int32_t aY) {
    fw::TCustomListBox::MouseDown(aButton, aShift, aX, aY);
    const int32_t index = ItemAtPos(fw::TPoint{aX, aY}, true);
    if (aButton != fw::mbLeft || index < 0)
        return;
    const int64_t recNo = index + 1;
    if (aShift.Contains(fw::ssShift) && FAnchor > 0) {
        FChosen.clear();
        for (int64_t i = std::min(FAnchor, recNo); i <= std::max(FAnchor, recNo); ++i)
            FChosen.push_back(i);
    } else if (aShift.Contains(fw::ssCtrl)) {
        if (IsChosen(recNo))
            std::erase(FChosen, recNo);
        else
            FChosen.push_back(recNo);
        std::sort(FChosen.begin(), FChosen.end());
        FAnchor = recNo;
    } else {
        FChosen = {recNo};
        FAnchor = recNo;
    }
    Invalidate();
    if (OnChoose)
        OnChoose(FChosen);
}

void TRecordList::DrawItem(int32_t aIndex, const fw::TRect& aRect, fw::TOwnerDrawState) {
    const bool chosen = IsChosen(aIndex + 1);
    Canvas()->Brush().SetColor(chosen ? fw::clHighlight : fw::clWindow);
    Canvas()->Font().SetColor(chosen ? fw::clHighlightText : fw::clWindowText);
    Canvas()->FillRect(aRect);
    if (aIndex < Count())
        Canvas()->TextOut(aRect.Left + 4, aRect.Top + 1, Items()->Get(aIndex));
}

} // namespace demo
