// SPDX-License-Identifier: MIT
#pragma once
// Editors of date-time values (TDateTimeProp, TDateProp, TTimeProp: the framework's
// date-time double). Text follows fw::FormatSettings(); text the date or time parser
// rejects raises fw::EConvertError and leaves the property unchanged.
//
// A date-time row cannot be typed into and has no dialog: it has two sub-properties,
// named by the resource strings "Date" (TDateProp) and "Time" (TTimeProp), which both
// hold the whole value; the date-time is recomposed from the day of the first and the
// time of day of the second, the way the framework composes them (fw::ComposeDateTime:
// before 30 December 1899 the time of day is added away from zero, so -1.25 is
// 29.12.1899 06:00). Date and time rows cannot be typed into and offer the picker
// dialog (TFormDateTime).

#include "quire/editors/PropEditor.h"

namespace quire {

class TFormDateTime;

class TDateTimePropEditor : public TPropEditor {
    FW_CLASS(TDateTimePropEditor, TPropEditor)
public:
    TDateTimePropEditor() = default;
    // ("Date", TDateProp), then ("Time", TTimeProp).
    void GetSubPropsInfo(TPropInfoList* aInfoList) override;
    // Stores aProp's value, unchanged, into the "Date" and then the "Time"
    // sub-property. Both are looked up first: when one is missing, the sub-property
    // list's exception is raised and nothing is stored.
    void SetSubProps(TProp* aProp, TSubPropList* aSubProps) override;
    // Stores the day of "Date" with the time of day of "Time" into aProp; raises
    // like SetSubProps when one is missing.
    void GetSubProps(TProp* aProp, TSubPropList* aSubProps) override;
    // [peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
    // DateTimeToStr: the date, then the time unless it is exactly midnight.
    fw::String GetValue(TProp* aProp) override;
    // StrToDateTime.
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// The editors of the Date and Time rows (and of date and time fields). Edit runs the
// picker dialog on the property's whole value: PrepareForm sets the caption, the kind
// and the shown part; OK stores the picker's value (its Date), in which the part the
// dialog does not show is the property's own, when the person changed it; Cancel,
// closing and OK on an untouched picker leave the property.
// The form is freed on every path.
class TDTPropEditor : public TPropEditor {
    FW_CLASS(TDTPropEditor, TPropEditor)
public:
    void Edit(TProp* aProp) override;
    // [peaDialog, peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
    virtual void PrepareForm(TFormDateTime* aForm, fw::TDateTime aValue) = 0;

protected:
    TDTPropEditor() = default;
};

// DateToStr / StrToDate (time of day 0). The dialog is captioned "Date" (resource
// string) and picks the day.
class TDatePropEditor : public TDTPropEditor {
    FW_CLASS(TDatePropEditor, TDTPropEditor)
public:
    TDatePropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
    void PrepareForm(TFormDateTime* aForm, fw::TDateTime aValue) override;
};

// TimeToStr / StrToTime (day 0). The dialog is captioned "Time" (resource string)
// and picks the time of day.
class TTimePropEditor : public TDTPropEditor {
    FW_CLASS(TTimePropEditor, TDTPropEditor)
public:
    TTimePropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
    void PrepareForm(TFormDateTime* aForm, fw::TDateTime aValue) override;
};

} // namespace quire
