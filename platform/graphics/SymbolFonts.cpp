// SPDX-License-Identifier: MIT
#include "platform/graphics/internal/SymbolFonts.h"

#include "platform/rtl/AnsiStrings.h"

#include <array>

namespace fw {

// The symbol faces that the button glyphs and similar decorations use are not
// installed here. Their bytes are drawn as the Unicode characters that look the same,
// in the fallback face (DejaVu Sans, which has all of them):
//
//   face         byte   drawn as
//   "Marlett"    "3"    U+25C0 ◀ left triangle
//   "Marlett"    "4"    U+25B6 ▶ right triangle
//   "Marlett"    "5"    U+25B2 ▲ up triangle
//   "Marlett"    "6"    U+25BC ▼ down triangle (drop-down arrow)
//   "Wingdings"  0x6C   U+25CF ● black circle
//   "Wingdings"  0x9E   U+00B7 · middle dot
//   "Wingdings"  0x9F   U+2022 • bullet (three of them make an ellipsis)
//
// A blank stays a blank; any other byte is drawn as U+FFFD so that a missing entry is
// visible rather than silently wrong.

namespace {

struct TSymbolGlyph {
    const char* Face;
    unsigned char Byte;
    char16_t Character;
};

constexpr std::array<TSymbolGlyph, 7> SymbolGlyphs = {{
    {"Marlett", '3', u'\u25C0'},
    {"Marlett", '4', u'\u25B6'},
    {"Marlett", '5', u'\u25B2'},
    {"Marlett", '6', u'\u25BC'},
    {"Wingdings", 0x6C, u'\u25CF'},
    {"Wingdings", 0x9E, u'\u00B7'},
    {"Wingdings", 0x9F, u'\u2022'},
}};

QChar MapByte(const String& aFaceName, unsigned char aByte) {
    if (aByte == ' ')
        return QChar(u' ');
    for (const TSymbolGlyph& glyph : SymbolGlyphs)
        if (glyph.Byte == aByte && AnsiCompareText(aFaceName, glyph.Face) == 0)
            return QChar(glyph.Character);
    return QChar(QChar::ReplacementCharacter);
}

} // namespace

bool IsSymbolFace(const String& aFaceName) {
    return AnsiCompareText(aFaceName, "Marlett") == 0 ||
           AnsiCompareText(aFaceName, "Wingdings") == 0;
}

QString MapSymbolText(const String& aFaceName, std::string_view aText) {
    QString result;
    result.reserve(static_cast<qsizetype>(aText.size()));
    for (char byte : aText)
        result.append(MapByte(aFaceName, static_cast<unsigned char>(byte)));
    return result;
}

} // namespace fw
