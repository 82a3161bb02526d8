// SPDX-License-Identifier: MIT
#pragma once
// TMemo: multi-line text on a Qt plain-text edit. Lines is the text as a list of
// lines (a final line break does not start another line); changing Lines changes
// the text and runs Change. With WantReturns (the default) Enter breaks the line;
// without it Enter is left to the dialog (its default button).

#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Edit.h"

#include <memory>

namespace fw {

class TMemo;

class TMemoStrings : public TStrings {
    FW_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TMemo* aMemo = nullptr) : FMemo(aMemo) {}

    int32_t Count() const override;
    String Get(int32_t aIndex) const override;
    void Put(int32_t aIndex, const String& aText) override;
    TStringObject GetObject(int32_t aIndex) const override;
    void PutObject(int32_t aIndex, TStringObject aObject) override;
    void InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) override;
    void Delete(int32_t aIndex) override;
    void Clear() override;
    void Assign(const TStrings& aSource) override;
    void SetText(const String& aText) override;

private:
    std::vector<String> Lines() const;
    void SetLines(const std::vector<String>& aLines);

    TMemo* FMemo;
};

class TMemo : public TCustomEdit {
    FW_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* aOwner = nullptr);
    ~TMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings& aLines) { FLines->Assign(aLines); }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool aWantReturns) { FWantReturns = aWantReturns; }

protected:
    bool IsMultiLine() const override { return true; }
    bool WantsKey(uint16_t aKey) const override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    bool FWantReturns = true;
};

} // namespace fw
