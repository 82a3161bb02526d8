// SPDX-License-Identifier: MIT
#pragma once
// Editors for ordinal values with named members.
//
// TEnumOrdPropEditor collects its members once, when it is created through its class
// (fw::CreateAs / fw::New): AfterConstruction calls the virtual GetEnumValues with a
// callback that appends each member (name, ordinal) in listing order; a descendant
// may change the options there. The row offers the members as lookup values. Setting
// a name that is not a member raises fw::Exception with the message
// Неверное значение: "<name>" and leaves the property unchanged.

#include "quire/editors/PropEditor.h"

#include "platform/rtl/EnumSet.h"

#include <functional>
#include <memory>

namespace quire {

// Only eooIgnoreCase changes behaviour (the search routine of GetValueFromName).
enum class TEnumOrdOption { eooSorted, eooIgnoreCase, eooReadOnly };
using enum TEnumOrdOption;
using TEnumOrdOptions = fw::TEnumSet<TEnumOrdOption, uint8_t>;

// Hands one member to the editor.
using TAddEnumValueProc = std::function<void(const fw::String& aName, int32_t aValue)>;

class TEnumOrdPropEditor : public TPropEditor {
    FW_CLASS(TEnumOrdPropEditor, TPropEditor)
public:
    ~TEnumOrdPropEditor() override;

    TEnumOrdOptions FOptions{eooIgnoreCase};
    // The members in the order added: name, with the ordinal as the entry's integer
    // object. Owned; neither sorted nor free of duplicates.
    std::unique_ptr<fw::TStringList> FValues;

    // [peaLookupValues, peaMultiSelect].
    TPropEditorAttributes GetAttributes() override;
    // Replaces the lines of aValues by the members (names, with the ordinals as
    // objects); aValues keeps its own settings (sorting, duplicates, letter case).
    void GetLookupValues(fw::TStringList* aValues) override;
    // The name of the first member with the property's ordinal value, or the
    // resource string "None".
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;

    // Adds the members through aProc. The base adds none.
    virtual void GetEnumValues(const TAddEnumValueProc& aProc, TEnumOrdOptions& aOptions);
    void AddEnumValue(const fw::String& aName, int32_t aValue);
    // The ordinal of the first member named aName (letter case ignored); raises
    // fw::Exception when there is none.
    int32_t GetValueFromName(const fw::String& aName);

protected:
    // Only through the class (fw::New, fw::CreateAs), so that AfterConstruction
    // collects the members.
    TEnumOrdPropEditor();
    void AfterConstruction() override;
};

// False (0) and True (1), named by the resource strings "False" and "True".
class TBooleanPropEditor : public TEnumOrdPropEditor {
    FW_CLASS(TBooleanPropEditor, TEnumOrdPropEditor)
public:
    void GetEnumValues(const TAddEnumValueProc& aProc, TEnumOrdOptions& aOptions) override;

protected:
    TBooleanPropEditor() = default;
};

} // namespace quire
