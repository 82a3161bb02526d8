// SPDX-License-Identifier: MIT
#include "platform/rtl/StringObject.h"

namespace fw {

TObject* TStringObject::Object() const {
    const auto* object = std::get_if<TObject*>(&FSlot);
    return object != nullptr ? *object : nullptr;
}

TClass TStringObject::Class() const {
    const auto* cls = std::get_if<TClass>(&FSlot);
    return cls != nullptr ? *cls : nullptr;
}

int32_t TStringObject::Integer() const {
    const auto* integer = std::get_if<int32_t>(&FSlot);
    return integer != nullptr ? *integer : 0;
}

} // namespace fw
