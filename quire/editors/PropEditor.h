// SPDX-License-Identifier: MIT
#pragma once
// TPropEditor: how one kind of property is shown and changed. An editor turns a
// property's value into the text of a row and back, says which editing aids the row
// offers (attributes), paints the value, runs a dialog and declares and synchronises
// sub-properties. The defaults here describe a property with no text of its own
// ("(Пусто)"), no lookups, no dialog and no sub-properties.
//
// Editors are created through their class (fw::CreateAs<TPropEditor>(aClass)) by the
// row that shows them, which owns the editor and sets FBox right after creation.
// Descendants that need set-up at creation do it in AfterConstruction, where virtual
// calls reach the most derived class. Hosts derive their own editors and register
// them with RegisterPropEditor (PropEditorRegistry.h).
//
// Every operation takes one property of the row at a time. Setters store through
// TProp::SetValue (directly or through SetOrdValue / SetFloatValue), so the property
// reports a change only when the value really differs; a setter that rejects its text
// raises before storing, leaving the property unchanged.

#include "quire/editors/PropEditorTypes.h"
#include "quire/values/Prop.h"
#include "quire/values/PropList.h"
#include "quire/values/SubPropList.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/OwnerDrawState.h"
#include "platform/rtl/StringList.h"

#include <functional>

namespace quire {

class TQuire;

// Paints one value (its text) into aRect on aCanvas: the shape of
// TPropEditor::PaintValue, which the pick list takes as its item painter (bind it
// with a lambda or std::bind_front(&TPropEditor::PaintValue, editor)).
using TPaintItemProc = std::function<void(const fw::String& aValue, fw::TCanvas* aCanvas,
                                          const fw::TRect& aRect, fw::TOwnerDrawState aState)>;

// The sub-property catalogue of an editor: each entry is a sub-property's name with
// its property class as the entry's object, in the order of the child rows.
class TPropInfoList : public fw::TStringList {
    FW_CLASS(TPropInfoList, fw::TStringList)
public:
    TPropInfoList() = default;

    void AddInfo(const fw::String& aName, TPropClass aPropClass);
    // Raises fw::EStringListError for an index outside 0..Count()-1.
    TPropClass GetPropClass(int32_t aIndex) const;
};

class TPropEditor : public fw::TObject {
    FW_CLASS(TPropEditor, fw::TObject)
public:
    TPropEditor() = default;

    // The box that shows the editor's row; not owned. Read by host editors only.
    TQuire* FBox = nullptr;
    // Names and the objects they stand for, handed down by the box; not owned, may be
    // absent. Read only by FindObject and GetObject.
    fw::TStringList* FNameSpace = nullptr;

    // Adds the sub-properties (name, property class) in child-row order. Default:
    // none.
    virtual void GetSubPropsInfo(TPropInfoList* aInfoList);
    // Copies aProp's value into the sub-properties. Default: nothing.
    virtual void SetSubProps(TProp* aProp, TSubPropList* aSubProps);
    // Composes aProp's value from the sub-properties. Default: nothing.
    virtual void GetSubProps(TProp* aProp, TSubPropList* aSubProps);
    // Runs the editor's dialog on aProp. Default: nothing.
    virtual void Edit(TProp* aProp);
    // Default: [peaMultiSelect].
    virtual TPropEditorAttributes GetAttributes();
    // The longest text the editor expects. Default: 255.
    virtual int32_t GetEditLimit();
    // Fills aValues with the allowed value texts in offering order. Default: none.
    virtual void GetLookupValues(fw::TStringList* aValues);
    // The lookups for the edited objects; the default ignores aProps and calls
    // GetLookupValues.
    virtual void GetPropLookupValues(TPropList* aProps, fw::TStringList* aValues);
    // Default: "(Пусто)" whatever the value.
    virtual fw::String GetValue(TProp* aProp);
    // Default: the text is ignored.
    virtual void SetValue(TProp* aProp, const fw::String& aValue);
    // Paints aValue into aRect: fills the rectangle with the context's current
    // background colour (the caller sets it) and draws the text left-aligned and
    // vertically centred in the canvas's font and current text colour. aState is
    // not used by the default. Same shape as the pick list's item painter.
    virtual void PaintValue(const fw::String& aValue, fw::TCanvas* aCanvas, const fw::TRect& aRect,
                            fw::TOwnerDrawState aState);

    // The object that the name space gives for aName (case-insensitive), or nullptr
    // when there is no name space, no such name or no object with it.
    fw::TObject* FindObject(const fw::String& aName);
    // Like FindObject, but raises EPropEditor naming aName instead of answering
    // nullptr.
    fw::TObject* GetObject(const fw::String& aName);
};

// Draws aText as one line, left-aligned and vertically centred in aRect moved down
// by aDY pixels, clipped to it, in the canvas's font and current text and background
// colours. "&" is drawn as it is (values are data, not captions with mnemonics).
void DrawTextVCenter(fw::TCanvas* aCanvas, const fw::TRect& aRect, int32_t aDY,
                     const fw::String& aText);

} // namespace quire
