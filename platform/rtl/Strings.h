// SPDX-License-Identifier: MIT
#pragma once
// TStrings: an ordered list of strings, each with an object slot. The abstract
// base keeps the operations that work on any storage (a memo's lines, a list box's
// items); TStringList is the plain in-memory list.
//
// Names compare case-insensitively and locale-aware (AnsiCompareText) unless
// CaseSensitive is set. Indexes outside 0..Count-1 raise EStringListError.

#include "platform/rtl/StringObject.h"
#include "platform/rtl/Types.h"

namespace fw {

class TStrings : public TObject {
    FW_CLASS(TStrings, TObject)
public:
    ~TStrings() override = default;

    virtual int32_t Count() const = 0;
    virtual String Get(int32_t aIndex) const = 0;
    virtual void Put(int32_t aIndex, const String& aText);
    virtual TStringObject GetObject(int32_t aIndex) const = 0;
    virtual void PutObject(int32_t aIndex, TStringObject aObject) = 0;
    virtual void Insert(int32_t aIndex, const String& aText) { InsertObject(aIndex, aText, {}); }
    virtual void InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) = 0;
    virtual void Delete(int32_t aIndex) = 0;
    virtual void Clear() = 0;

    // Appends (or, in a sorted list, inserts at the sorted place); answers the index.
    virtual int32_t Add(const String& aText) { return AddObject(aText, {}); }
    virtual int32_t AddObject(const String& aText, TStringObject aObject);
    virtual int32_t IndexOf(const String& aText) const;
    int32_t IndexOfObject(TStringObject aObject) const;
    // Replaces all entries by a copy of aSource's strings and objects.
    virtual void Assign(const TStrings& aSource);
    void AddStrings(const TStrings& aSource);
    bool Equals(const TStrings& aOther) const;

    // The lines, each followed by a line feed.
    String GetText() const;
    // Splits at line feeds, carriage returns and CR LF pairs; a final line break
    // does not start another line.
    virtual void SetText(const String& aText);

    String operator[](int32_t aIndex) const { return Get(aIndex); }

    // Updates of a list bound to a visible control are batched between these.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}

protected:
    TStrings() = default;
    // Compares two names by the list's rules.
    virtual int32_t CompareStrings(const String& aLeft, const String& aRight) const;
    void CheckIndex(int32_t aIndex, int32_t aLimit) const;
};

} // namespace fw
