// SPDX-License-Identifier: MIT
#pragma once
// TPropEditInfo: one row of the box. It owns one property per shown object (all of
// one property class), the editor that turns the value into text and back, and one
// child row per sub-property the editor declares (a date-time row has "Date" and
// "Time"). The whole subtree is built by the constructor; the box only shows or
// hides children.
//
// A change spreads through the tree from the row whose property changed: the row
// pushes its value down into its children (SetSubProps), asks its parent to
// recompute its value from its children (GetSubProps) and reports to FOnPropChange,
// which the box sets on top-level rows only. The update counter ends the exchange:
// while a row pushes or pulls, its children's requests to pull it up are ignored.
//
// Every method that can reach the box's handlers (and through them the host) holds
// the box's rows (TRowsInUse): a row the box drops meanwhile lives until the method
// returns, and reports nothing more.
//
// Property i of every row of a tree belongs to object i. Editor errors (a text that
// does not convert) pass out of SetValue, Edit, SetSubProps and GetSubProps
// unchanged; the update counter is restored on every path.

#include "quire/editors/PropEditor.h"
#include "quire/values/PropList.h"

#include <functional>
#include <memory>
#include <vector>

namespace quire {

class TQuire;

// How rows report a changed property to the box and the box to its host: the
// reporting row (or the box), the property name, the changed property and its index
// in the row's list.
using TOnPropChange = std::function<void(fw::TObject* aSender, const fw::String& aPropName,
                                         TProp* aProp, int32_t aPropIndex)>;

class TPropEditInfo : public fw::TObject {
    FW_CLASS(TPropEditInfo, fw::TObject)
public:
    // Builds the row with aCount properties of aPropClass at their initial values,
    // its editor from the registry and every descendant row. Raises EPropEditor when
    // no editor is registered for aPropClass. aParent is only recorded: the parent
    // appends the finished child to its FItems (AddChild), so a child that fails to
    // build is never listed.
    TPropEditInfo(TQuire* aBox, TPropEditInfo* aParent, const fw::String& aName,
                  TPropClass aPropClass, int32_t aCount);
    ~TPropEditInfo() override;

    TQuire* FBox = nullptr;
    int32_t FUpdateCount = 0;
    bool FChanged = false;
    std::unique_ptr<TPropList> FProps;
    bool FAllEqual = true;
    std::unique_ptr<TPropEditor> FEditor;
    // Index of the row's item in the box's list; -1 while not shown.
    int32_t FListIndex = -1;
    // The child rows in the order of the editor's sub-property catalogue. A child
    // destroyed on its own takes itself out of this list.
    std::vector<std::unique_ptr<TPropEditInfo>> FItems;
    bool FExpanded = false;
    TPropEditInfo* FParent = nullptr;
    fw::String FName;
    TOnPropChange FOnPropChange;

    // -1 for this row and every descendant.
    void ClearListIndex();
    fw::TStringList* GetNameSpace() const;
    // Hands the (not owned) name space to this row's editor and every descendant's.
    void SetNameSpace(fw::TStringList* aValue);
    // The editor's text for the first object; empty when the objects disagree.
    fw::String GetValue();
    // Sets aValue into every object's property; those before a failing one keep it.
    void SetValue(const fw::String& aValue);
    // Runs the editor's dialog on the first object and copies an accepted change to
    // the others.
    void Edit();
    // Copies aProps[i] into property i (notifying real changes); then FAllEqual.
    void SetProps(TPropList* aProps);
    // Copies property i into aProps[i].
    void GetProps(TPropList* aProps);
    // Pushes the row's values down into its children.
    void SetSubProps();
    // Recomputes the row's values from its children.
    void GetSubProps();
    void BeginUpdate();
    void EndUpdate();
    // The change handler of every property of the row.
    void PropChange(fw::TObject* aSender);

    bool IsReadOnly() const;
    bool IsLookupable() const;
    bool IsEditable() const;
    bool IsExpandable() const { return !FItems.empty(); }
    int32_t GetLevel() const;

private:
    void BuildChildren(int32_t aCount);
    void DestroyChildren();
    // The shared shape of SetSubProps and GetSubProps: for each object, the
    // children's properties of that object by name, handed to aStep.
    void ExchangeWithChildren(void (TPropEditor::*aStep)(TProp*, TSubPropList*));
    bool HasAttribute(TPropEditorAttribute aAttribute) const;
};

} // namespace quire
