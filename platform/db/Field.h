// SPDX-License-Identifier: MIT
#pragma once
// TField: one column of a data set's current record.
//
// Fields are created by their data set when it opens and destroyed when it closes;
// the data set owns them. Reading gives the current record's value (null reads as
// "", 0, 0.0, False and the date-time 0 through the typed accessors). Writing is
// allowed only while the data set is in edit or insert state, into a field that is
// not read-only, with a value the field's type can hold; otherwise EDatabaseError is
// raised naming the field and the value, and nothing is stored. A successful write
// makes the data set report deFieldChange with this field, which its links receive
// as RecordChanged(field).
//
// Values are kept per type: integers for ftSmallint, ftWord, ftInteger, ftLargeint
// and ftAutoInc (range-checked), a boolean, a double for ftFloat (finite only), an
// exact TDecimal for ftBCD and ftCurrency (see ConvertDecimal), a date-time for ftDate (time
// dropped), ftTime (date dropped) and ftDateTime, text for ftString (at most Size characters when
// Size > 0) and ftMemo, bytes in a string for ftBlob, ftBytes, ftVarBytes and ftGraphic. A value a
// data set read but its type could not (a date 'infinity', 12.5 in an integer
// column) is kept as it was stored, and AsString gives it unchanged.

#include "platform/db/DataTypes.h"
#include "platform/db/FieldDefs.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Variant.h"

namespace fw {

class TDataSet;

class TField : public TObject {
    FW_CLASS(TField, TObject)
public:
    TField(TDataSet& aDataSet, const TFieldDef& aDef, int32_t aIndex);

    TDataSet& DataSet() const { return *FDataSet; }
    const String& FieldName() const { return FFieldName; }
    TFieldType DataType() const { return FDataType; }
    int32_t Size() const { return FSize; }
    // Of a decimal field: at most Precision digits, Scale of them decimals
    // (Precision 0: no limit).
    int32_t Precision() const { return FPrecision; }
    int32_t Scale() const { return FScale; }
    // Position in the data set's field list.
    int32_t Index() const { return FIndex; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aValue) { FReadOnly = aValue; }
    bool Required() const { return FRequired; }
    void SetRequired(bool aValue) { FRequired = aValue; }

    bool IsNull() const;
    Variant AsVariant() const;
    String AsString() const;
    int32_t AsInteger() const;
    int64_t AsLargeInt() const;
    double AsFloat() const;
    // A decimal field's value exactly; other numbers converted (null reads as 0).
    fw::TDecimal AsDecimal() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

    void SetAsVariant(const Variant& aValue);
    void SetAsString(const String& aValue);
    void SetAsInteger(int32_t aValue) { SetAsVariant(Variant(aValue)); }
    void SetAsFloat(double aValue) { SetAsVariant(Variant(aValue)); }
    void SetAsDecimal(const TDecimal& aValue) { SetAsVariant(Variant(aValue)); }
    void SetAsBoolean(bool aValue) { SetAsVariant(Variant(aValue)); }
    void SetAsDateTime(TDateTime aValue) { SetAsVariant(Variant::FromDateTime(aValue)); }
    void Clear() { SetAsVariant(Null()); }

    // The value converted to what this field stores: null stays null. Raises
    // EDatabaseError naming the field and the value when the type cannot hold it.
    Variant Convert(const Variant& aValue) const;

private:
    TDataSet* FDataSet;
    String FFieldName;
    TFieldType FDataType;
    int32_t FSize;
    int32_t FPrecision;
    int32_t FScale;
    int32_t FIndex;
    bool FReadOnly;
    bool FRequired;

    const Variant& Value() const;
    [[noreturn]] void ValueError(const Variant& aValue, const String& aReason) const;
    Variant ConvertInteger(const Variant& aValue, int64_t aMin, int64_t aMax) const;
    Variant ConvertFloat(const Variant& aValue) const;
    // A decimal field takes numbers and text (in the format settings) exactly, a
    // double as its shortest decimal rounded to Scale. With a Precision, text or a
    // decimal with more than Scale decimals (trailing zeros aside) or more than
    // Precision - Scale digits before the point is refused; the value is stored with
    // exactly Scale decimals.
    Variant ConvertDecimal(const Variant& aValue) const;
    Variant ConvertDateTime(const Variant& aValue) const;
    Variant ConvertString(const Variant& aValue) const;
};

} // namespace fw
