// SPDX-License-Identifier: MIT
#pragma once
// Field definitions: what a data set declares about its columns before the fields
// are created at Open. The in-memory data set takes them from code; the SQL data
// sets build them from the database's catalogue.

#include "platform/db/DataTypes.h"

#include <vector>

namespace fw {

struct TFieldDef {
    String Name;
    TFieldType DataType = ftUnknown;
    // Characters for ftString (0: no declared limit), otherwise 0.
    int32_t Size = 0;
    // A value must be given before the record is posted.
    bool Required = false;
    // The field cannot be written (auto-increment keys, computed query columns).
    bool ReadOnly = false;
    // Decimal fields (ftBCD, ftCurrency): at most Precision digits, Scale of them
    // after the decimal point. Precision 0: no declared limit, any scale.
    int32_t Precision = 0;
    int32_t Scale = 0;
};

class TFieldDefs {
public:
    // Raises EDatabaseError when a definition of that name (letter case ignored)
    // exists already, or when aName is empty.
    TFieldDef& Add(const String& aName, TFieldType aDataType, int32_t aSize = 0,
                   bool aRequired = false);
    void Clear() { FItems.clear(); }
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    const TFieldDef& operator[](int32_t aIndex) const { return FItems.at(aIndex); }
    // -1 when there is none; letter case is ignored.
    int32_t IndexOf(const String& aName) const;
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<TFieldDef> FItems;
};

} // namespace fw
