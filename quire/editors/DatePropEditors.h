#pragma once
// Editors of date-time values (TDateTimeProp, TDateProp, TTimeProp: the framework's
// date-time double). Text follows fw::FormatSettings(); text the date or time parser
// rejects raises fw::EConvertError and leaves the property unchanged.
//
// A date-time row cannot be typed into and has no dialog: it has two sub-properties,
// named by the resource strings "Date" (TDateProp) and "Time" (TTimeProp), which both
// hold the whole value; the date-time is recomposed from the day of the first and the
// time of day of the second. Date and time rows cannot be typed into and offer a
// dialog; until the picker dialog exists their Edit keeps the inherited behaviour
// (nothing happens).

#include "quire/editors/PropEditor.h"

namespace quire {

class TDateTimePropEditor : public TPropEditor {
    FW_CLASS(TDateTimePropEditor, TPropEditor)
public:
    TDateTimePropEditor() = default;
    // ("Date", TDateProp), then ("Time", TTimeProp).
    void GetSubPropsInfo(TPropInfoList* aInfoList) override;
    // Stores aProp's value, unchanged, into the "Date" and then the "Time"
    // sub-property. Raises the sub-property list's exception when one is missing.
    void SetSubProps(TProp* aProp, TSubPropList* aSubProps) override;
    // Stores the whole days of "Date" plus the fraction of "Time" (keeping its sign)
    // into aProp.
    void GetSubProps(TProp* aProp, TSubPropList* aSubProps) override;
    // [peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
    // DateTimeToStr: the date, then the time unless it is exactly midnight.
    fw::String GetValue(TProp* aProp) override;
    // StrToDateTime.
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// The editors of the Date and Time rows (and of date and time fields).
class TDTPropEditor : public TPropEditor {
    FW_CLASS(TDTPropEditor, TPropEditor)
public:
    TDTPropEditor() = default;
    // [peaDialog, peaMultiSelect, peaReadOnly].
    TPropEditorAttributes GetAttributes() override;
};

// DateToStr / StrToDate (time of day 0).
class TDatePropEditor : public TDTPropEditor {
    FW_CLASS(TDatePropEditor, TDTPropEditor)
public:
    TDatePropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

// TimeToStr / StrToTime (day 0).
class TTimePropEditor : public TDTPropEditor {
    FW_CLASS(TTimePropEditor, TDTPropEditor)
public:
    TTimePropEditor() = default;
    fw::String GetValue(TProp* aProp) override;
    void SetValue(TProp* aProp, const fw::String& aValue) override;
};

} // namespace quire
