// SPDX-License-Identifier: MIT
#pragma once
// The object slot of a string-list entry: empty, an object, a class reference or a
// 32-bit integer. Built implicitly from each, so call sites need no casts.

#include "platform/rtl/Object.h"

#include <cstdint>
#include <variant>

namespace fw {

class TStringObject {
public:
    TStringObject() = default;
    TStringObject(std::nullptr_t) {}
    TStringObject(TObject* aObject) : FSlot(aObject) {}
    TStringObject(TClass aClass) : FSlot(aClass) {}
    TStringObject(int32_t aInteger) : FSlot(aInteger) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(FSlot); }
    // Each accessor answers the empty value (nullptr, 0) when the slot holds
    // something of another kind.
    TObject* Object() const;
    TClass Class() const;
    int32_t Integer() const;
    template <class T> T* As() const { return dynamic_cast<T*>(Object()); }

    friend bool operator==(const TStringObject&, const TStringObject&) = default;

private:
    std::variant<std::monostate, TObject*, TClass, int32_t> FSlot;
};

} // namespace fw
