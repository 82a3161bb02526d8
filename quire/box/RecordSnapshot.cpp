// SPDX-License-Identifier: MIT
#include "quire/box/RecordSnapshot.h"

#include "quire/values/PropKinds.h"

#include <array>
#include <cstdint>

namespace quire {

TPropClass FieldTypeToPropClass(fw::TFieldType aDataType) {
    // Indexed by the type's ordinal, ftUnknown (0) to ftLargeint (25).
    static const std::array<TPropClass, 26> classes{
        nullptr,                      // ftUnknown
        TStringProp::StaticClass(),   // ftString
        TSmallintProp::StaticClass(), // ftSmallint
        TLongintProp::StaticClass(),  // ftInteger
        TWordProp::StaticClass(),     // ftWord
        TBooleanProp::StaticClass(),  // ftBoolean
        TDoubleProp::StaticClass(),   // ftFloat
        TDecimalProp::StaticClass(),  // ftCurrency
        TDecimalProp::StaticClass(),  // ftBCD
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
        nullptr,                      // ftParadoxOle
        nullptr,                      // ftDBaseOle
        nullptr,                      // ftTypedBinary
        nullptr,                      // ftCursor
        nullptr,                      // ftFixedChar
        nullptr,                      // ftWideString
        TLargeintProp::StaticClass(), // ftLargeint
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
        TProp* prop = list->GetProp(0);
        if (auto* decimal = dynamic_cast<TDecimalProp*>(prop))
            decimal->SetLimits(field->Precision(), field->Scale());
        const fw::Variant value = field->AsVariant();
        if (fw::VarIsNull(value))
            continue;
        // The 16-bit kind would wrap a wider value the database keeps (SQLite does).
        if (field->DataType() == fw::ftSmallint &&
            (value.AsInt64() < INT16_MIN || value.AsInt64() > INT16_MAX))
            throw fw::EVariantOverflowError("Field '" + field->FieldName() + "': " +
                                            value.AsString() + " does not fit in a 16-bit integer");
        prop->SetAsVariant(value);
    }
    return props;
}

std::unique_ptr<TMultiPropList> RecordsToProps(fw::TDataSet& aDataSet,
                                               const std::vector<int64_t>& aRecNos) {
    auto props = fw::New<TMultiPropList>();
    const auto count = static_cast<int32_t>(aRecNos.size());
    int32_t record = 0;
    aDataSet.ForEachRecord(aRecNos, [&] {
        std::unique_ptr<TMultiPropList> one = RecordToProps(aDataSet);
        for (int32_t i = 0; i < one->GetCount(); ++i) {
            TProp* value = one->GetList(i)->GetProp(0);
            TPropList* list = record == 0
                                  ? props->AddList(one->GetName(i), value->ClassType(), count)
                                  : props->GetList(i);
            list->GetProp(record)->Assign(value);
        }
        ++record;
    });
    return props;
}

} // namespace quire
