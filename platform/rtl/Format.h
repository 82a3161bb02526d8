// SPDX-License-Identifier: MIT
#pragma once
// Format: printf-style formatting with the framework's specifiers.
//   %[index:][-][width][.precision]type   type: d u x s f e g n m p %
// Widths and a string's precision count bytes; a string is never cut inside a
// UTF-8 character.
// An index, width or precision above 4096 raises EConvertError naming the format.
// Arguments are integers, floating-point numbers or strings; a specifier that does
// not match its argument, or a missing argument, raises EConvertError naming the
// format.

#include "platform/rtl/Types.h"

#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <variant>

namespace fw {

class TFormatArg {
public:
    template <class T>
    requires std::is_integral_v<T> TFormatArg(T aValue) : FValue(static_cast<int64_t>(aValue)) {}
    TFormatArg(double aValue) : FValue(aValue) {}
    TFormatArg(const String& aValue) : FValue(aValue) {}
    TFormatArg(const char* aValue) : FValue(String(aValue)) {}

    const std::variant<int64_t, double, String>& Value() const { return FValue; }

private:
    std::variant<int64_t, double, String> FValue;
};

String Format(const String& aFormat, std::initializer_list<TFormatArg> aArgs);

} // namespace fw
