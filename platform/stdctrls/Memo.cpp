// SPDX-License-Identifier: MIT
#include "platform/stdctrls/Memo.h"

#include "platform/controls/VirtualKeys.h"
#include "platform/rtl/StringList.h"

namespace fw {

FW_IMPLEMENT_CLASS(TMemoStrings)
FW_IMPLEMENT_CLASS(TMemo)

std::vector<String> TMemoStrings::Lines() const {
    TStringList list;
    list.SetText(FMemo->Text());
    std::vector<String> lines;
    lines.reserve(static_cast<size_t>(list.Count()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        lines.push_back(list.Get(i));
    }
    return lines;
}

void TMemoStrings::SetLines(const std::vector<String>& aLines) {
    String text;
    for (size_t i = 0; i < aLines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += aLines[i];
    }
    FMemo->SetText(text);
}

int32_t TMemoStrings::Count() const {
    return static_cast<int32_t>(Lines().size());
}

String TMemoStrings::Get(int32_t aIndex) const {
    std::vector<String> lines = Lines();
    CheckIndex(aIndex, static_cast<int32_t>(lines.size()));
    return lines[static_cast<size_t>(aIndex)];
}

void TMemoStrings::Put(int32_t aIndex, const String& aText) {
    std::vector<String> lines = Lines();
    CheckIndex(aIndex, static_cast<int32_t>(lines.size()));
    lines[static_cast<size_t>(aIndex)] = aText;
    SetLines(lines);
}

TStringObject TMemoStrings::GetObject(int32_t aIndex) const {
    CheckIndex(aIndex, Count());
    return {};
}

void TMemoStrings::PutObject(int32_t aIndex, TStringObject) {
    CheckIndex(aIndex, Count());
}

void TMemoStrings::InsertObject(int32_t aIndex, const String& aText, TStringObject) {
    std::vector<String> lines = Lines();
    CheckIndex(aIndex, static_cast<int32_t>(lines.size()) + 1);
    lines.insert(lines.begin() + aIndex, aText);
    SetLines(lines);
}

void TMemoStrings::Delete(int32_t aIndex) {
    std::vector<String> lines = Lines();
    CheckIndex(aIndex, static_cast<int32_t>(lines.size()));
    lines.erase(lines.begin() + aIndex);
    SetLines(lines);
}

void TMemoStrings::Clear() {
    FMemo->SetText(String());
}

void TMemoStrings::Assign(const TStrings& aSource) {
    std::vector<String> lines;
    for (int32_t i = 0; i < aSource.Count(); ++i) {
        lines.push_back(aSource.Get(i));
    }
    SetLines(lines);
}

void TMemoStrings::SetText(const String& aText) {
    TStringList list;
    list.SetText(aText);
    Assign(list);
}

TMemo::TMemo(TComponent* aOwner)
    : TCustomEdit(aOwner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

bool TMemo::WantsKey(uint16_t aKey) const {
    return aKey == VK_RETURN && FWantReturns;
}

} // namespace fw
