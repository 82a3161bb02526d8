// SPDX-License-Identifier: MIT
#include "quire/box/RecordSnapshot.h"

#include "quire/values/PropKinds.h"

#include <array>
#include <cstdint>

namespace quire {

TPropClass FieldTypeToPropClass(fw::TFieldType aDataType) {
    // Indexed by the type's ordinal, ftUnknown (0) to ftFmtMemo (18).
    static const std::array<TPropClass, 19> classes{
        nullptr,                      // ftUnknown
        TStringProp::StaticClass(),   // ftString
        TSmallintProp::StaticClass(), // ftSmallint
        TLongintProp::StaticClass(),  // ftInteger
        TSmallintProp::StaticClass(), // ftWord
        TBooleanProp::StaticClass(),  // ftBoolean
        TDoubleProp::StaticClass(),   // ftFloat
        nullptr,                      // ftCurrency
        nullptr,                      // ftBCD
        TDateProp::StaticClass(),     // ftDate
        TTimeProp::StaticClass(),     // ftTime
        TDateTimeProp::StaticClass(), // ftDateTime
        nullptr,                      // ftBytes
        nullptr,                      // ftVarBytes
        nullptr,                      // ftAutoInc
        nullptr,                      // ftBlob
        TTextProp::StaticClass(),     // ftMemo
        nullptr,                      // ftGraphic
        nullptr,                      // ftFmtMemo
    };
    const auto ordinal = static_cast<std::size_t>(aDataType);
    return ordinal < classes.size() ? classes[ordinal] : nullptr;
}

std::unique_ptr<TMultiPropList> RecordToProps(const fw::TDataSet& aDataSet) {
    // Owned from the start, so a failing step frees what was built.
    auto props = fw::New<TMultiPropList>();
    for (int32_t i = 0; i < aDataSet.GetFieldCount(); ++i) {
        const fw::TField* field = aDataSet.GetField(i);
        const TPropClass propClass = FieldTypeToPropClass(field->DataType());
        if (!propClass)
            continue;
        TPropList* list = props->AddList(field->FieldName(), propClass, 1);
        const fw::Variant value = field->AsVariant();
        if (fw::VarIsNull(value))
            continue;
        // The 16-bit kind would wrap a wider value the database keeps (SQLite does).
        if (field->DataType() == fw::ftSmallint &&
            (value.AsInt64() < INT16_MIN || value.AsInt64() > INT16_MAX))
            throw fw::EVariantOverflowError("Field '" + field->FieldName() + "': " +
                                            value.AsString() + " does not fit in a 16-bit integer");
        list->GetProp(0)->SetAsVariant(value);
    }
    return props;
}

} // namespace quire
