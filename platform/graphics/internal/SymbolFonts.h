// SPDX-License-Identifier: MIT
#pragma once
// The symbol faces drawn with Unicode equivalents (table in SymbolFonts.cpp).

#include "platform/rtl/Types.h"

#include <QString>

#include <string_view>

namespace fw {

bool IsSymbolFace(const String& aFaceName);
// The characters for the bytes of aText in symbol face aFaceName.
QString MapSymbolText(const String& aFaceName, std::string_view aText);

} // namespace fw
