// SPDX-License-Identifier: MIT
#include "quire/box/PropEditInfo.h"

#include "quire/box/Quire.h"

#include "quire/editors/PropEditorRegistry.h"

#include <algorithm>

namespace quire {

FW_IMPLEMENT_ABSTRACT_CLASS(TPropEditInfo)

namespace {

// Calls EndUpdate when it goes out of scope, also on an exception.
class TUpdateScope {
public:
    explicit TUpdateScope(TPropEditInfo& aRow) : FRow(aRow) { FRow.BeginUpdate(); }
    ~TUpdateScope() { FRow.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TPropEditInfo& FRow;
};

TPropEditorClass RequireEditorClass(TPropClass aPropClass, const fw::String& aName) {
    TPropEditorClass editorClass = GetPropEditorClass(aPropClass);
    if (editorClass == nullptr) {
        throw EPropEditor("TPropEditInfo.Create: no property editor is registered for " +
                          (aPropClass ? aPropClass->ClassName() : fw::String("(none)")) +
                          " (property \"" + aName + "\")");
    }
    return editorClass;
}

} // namespace

TPropEditInfo::TPropEditInfo(TQuire* aBox, TPropEditInfo* aParent, const fw::String& aName,
                             TPropClass aPropClass, int32_t aCount)
    : FBox(aBox), FProps(std::make_unique<TPropList>()), FParent(aParent), FName(aName) {
    TPropEditorClass editorClass = RequireEditorClass(aPropClass, aName);
    for (int32_t i = 0; i < aCount; ++i) {
        auto prop = fw::CreateAs<TProp>(aPropClass);
        prop->FEditInfo = this;
        prop->FOnChange = [this](fw::TObject* aSender) { PropChange(aSender); };
        FProps->Add(std::move(prop));
    }
    FEditor = fw::CreateAs<TPropEditor>(editorClass);
    FEditor->FBox = aBox;
    BuildChildren(aCount);
}

TPropEditInfo::~TPropEditInfo() {
    DestroyChildren();
    if (FParent != nullptr) {
        auto& siblings = FParent->FItems;
        auto self = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& aChild) { return aChild.get() == this; });
        if (self != siblings.end()) {
            (void)self->release(); // this destructor is already freeing the row
            siblings.erase(self);
        }
    }
}

void TPropEditInfo::BuildChildren(int32_t aCount) {
    auto catalogue = fw::New<TPropInfoList>();
    FEditor->GetSubPropsInfo(catalogue.get());
    try {
        for (int32_t i = 0; i < catalogue->Count(); ++i) {
            FItems.push_back(std::make_unique<TPropEditInfo>(FBox, this, catalogue->Get(i),
                                                             catalogue->GetPropClass(i), aCount));
        }
    } catch (...) {
        DestroyChildren();
        throw;
    }
}

void TPropEditInfo::DestroyChildren() {
    while (!FItems.empty()) {
        std::unique_ptr<TPropEditInfo> child = std::move(FItems.front());
        FItems.erase(FItems.begin());
        child->FParent = nullptr;
    }
}

void TPropEditInfo::ClearListIndex() {
    FListIndex = -1;
    for (auto& child : FItems) {
        child->ClearListIndex();
    }
}

fw::TStringList* TPropEditInfo::GetNameSpace() const {
    return FEditor->FNameSpace;
}

void TPropEditInfo::SetNameSpace(fw::TStringList* aValue) {
    FEditor->FNameSpace = aValue;
    for (auto& child : FItems) {
        child->SetNameSpace(aValue);
    }
}

fw::String TPropEditInfo::GetValue() {
    if (!FAllEqual || FProps->GetCount() == 0) {
        return {};
    }
    return FEditor->GetValue(FProps->GetProp(0));
}

void TPropEditInfo::SetValue(const fw::String& aValue) {
    TRowsInUse inUse(FBox);
    TRecordWrites writes(FBox);
    for (int32_t i = 0; i < FProps->GetCount(); ++i) {
        FEditor->SetValue(FProps->GetProp(i), aValue);
    }
    writes.Done();
}

void TPropEditInfo::Edit() {
    TRowsInUse inUse(FBox);
    TRecordWrites writes(FBox);
    {
        TUpdateScope update(*this);
        if (FProps->GetCount() == 0) {
            return;
        }
        TProp* first = FProps->GetProp(0);
        FEditor->Edit(first);
        if (FChanged) {
            for (int32_t i = 1; i < FProps->GetCount(); ++i) {
                FProps->GetProp(i)->Assign(first);
            }
        }
    }
    writes.Done();
}

void TPropEditInfo::SetProps(TPropList* aProps) {
    TRowsInUse inUse(FBox);
    TRecordWrites writes(FBox);
    for (int32_t i = 0; i < aProps->GetCount(); ++i) {
        FProps->GetProp(i)->Assign(aProps->GetProp(i));
    }
    FAllEqual = aProps->AllEquals();
    writes.Done();
}

void TPropEditInfo::GetProps(TPropList* aProps) {
    TRowsInUse inUse(FBox);
    for (int32_t i = 0; i < aProps->GetCount(); ++i) {
        aProps->GetProp(i)->Assign(FProps->GetProp(i));
    }
}

void TPropEditInfo::SetSubProps() {
    ExchangeWithChildren(&TPropEditor::SetSubProps);
}

void TPropEditInfo::GetSubProps() {
    ExchangeWithChildren(&TPropEditor::GetSubProps);
}

void TPropEditInfo::ExchangeWithChildren(void (TPropEditor::*aStep)(TProp*, TSubPropList*)) {
    FAllEqual = FProps->AllEquals();
    if (FUpdateCount != 0 || FItems.empty()) {
        return;
    }
    TRowsInUse inUse(FBox);
    TUpdateScope update(*this);
    auto subProps = fw::New<TSubPropList>();
    for (int32_t i = 0; i < FProps->GetCount(); ++i) {
        subProps->Clear();
        for (auto& child : FItems) {
            subProps->Add(child->FName, child->FProps->GetProp(i));
        }
        (FEditor.get()->*aStep)(FProps->GetProp(i), subProps.get());
    }
}

void TPropEditInfo::BeginUpdate() {
    if (FUpdateCount == 0) {
        FChanged = false;
    }
    ++FUpdateCount;
}

void TPropEditInfo::EndUpdate() {
    --FUpdateCount;
}

void TPropEditInfo::PropChange(fw::TObject* aSender) {
    TRowsInUse inUse(FBox);
    FChanged = true;
    SetSubProps();
    if (FParent != nullptr) {
        FParent->GetSubProps();
    }
    if (FOnPropChange) {
        auto* prop = dynamic_cast<TProp*>(aSender);
        FOnPropChange(this, FName, prop, FProps->IndexOf(prop));
    }
}

bool TPropEditInfo::HasAttribute(TPropEditorAttribute aAttribute) const {
    return FEditor->GetAttributes().Contains(aAttribute);
}

bool TPropEditInfo::IsReadOnly() const {
    return HasAttribute(peaReadOnly);
}

bool TPropEditInfo::IsLookupable() const {
    return HasAttribute(peaLookupValues);
}

bool TPropEditInfo::IsEditable() const {
    return HasAttribute(peaDialog);
}

int32_t TPropEditInfo::GetLevel() const {
    int32_t level = 0;
    for (const TPropEditInfo* row = FParent; row != nullptr; row = row->FParent) {
        ++level;
    }
    return level;
}

} // namespace quire
