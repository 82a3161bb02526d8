// SPDX-License-Identifier: MIT
#pragma once
// Turns font descriptions into toolkit fonts and text into the glyphs drawn. Private
// to quire_graphics (includes Qt).

#include "platform/graphics/GdiTypes.h"

#include <QCache>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QString>

#include <string_view>

namespace fw {

// A string measured and laid out in one font: its width, and the glyphs to draw with
// the baseline at y = 0 and the string starting at x = 0. Without runs the string is
// drawn by the painter's own text path (see TResolvedFont::Shape).
struct TShapedText {
    int Width = 0;
    bool LaidOut = false;
    bool HasRuns = false;
    QList<QGlyphRun> Runs;
};

struct TResolvedFont {
    TResolvedFont(const QFont& aFont, bool aSymbol, const String& aSymbolFace);
    ~TResolvedFont();
    TResolvedFont(const TResolvedFont&) = delete;
    TResolvedFont& operator=(const TResolvedFont&) = delete;

    QFont Font;
    QFontMetrics Metrics;
    bool Symbol = false; // a symbol face whose bytes are mapped by SymbolFonts
    String SymbolFace;
    // The metrics every drawing call asks for, read once.
    int Ascent = 0;
    int CellHeight = 0; // ascent plus descent
    int UnderlinePos = 0;
    int LineWidth = 1;

    // aGlyphs measured in this font, and laid out when aForDrawing. Laying out text is
    // most of what drawing it costs, so the strings used last are kept (a few hundred
    // per font). The answer is valid until the next call.
    const TShapedText& Shape(const QString& aGlyphs, bool aForDrawing) const;
    // Forgets the laid-out strings.
    void ForgetShapes() const;

private:
    mutable QCache<QString, TShapedText> FShapes;
};

// Raises EInvalidGraphicOperation naming aCall when no QGuiApplication exists:
// fonts cannot be used before the application object.
void CheckFontsAvailable(const char* aCall);
std::unique_ptr<TResolvedFont> ResolveFont(const TLogFont& aLogFont);
// The characters drawn for aText in aFont: UTF-8 decoded, or for a symbol face each
// byte mapped to its Unicode equivalent.
QString GlyphText(const TResolvedFont& aFont, std::string_view aText);
// Cell height of a font: ascent plus descent.
inline int CellHeight(const TResolvedFont& aFont) {
    return aFont.CellHeight;
}

} // namespace fw
