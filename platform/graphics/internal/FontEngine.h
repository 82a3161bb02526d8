#pragma once
// Turns font descriptions into toolkit fonts and text into the glyphs drawn. Private
// to quire_graphics (includes Qt).

#include "platform/graphics/GdiTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <string_view>

namespace fw {

struct TResolvedFont {
    QFont Font;
    QFontMetrics Metrics;
    bool Symbol = false; // a symbol face whose bytes are mapped by SymbolFonts
    String SymbolFace;
};

// Raises EInvalidGraphicOperation naming aCall when no QGuiApplication exists:
// fonts cannot be used before the application object.
void CheckFontsAvailable(const char* aCall);
TResolvedFont ResolveFont(const TLogFont& aLogFont);
// The characters drawn for aText in aFont: UTF-8 decoded, or for a symbol face each
// byte mapped to its Unicode equivalent.
QString GlyphText(const TResolvedFont& aFont, std::string_view aText);
// Cell height of a font: ascent plus descent.
int CellHeight(const TResolvedFont& aFont);

} // namespace fw
