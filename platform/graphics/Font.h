// SPDX-License-Identifier: MIT
#pragma once
// TFont: the font of a canvas or control. A new font is DejaVu Sans, 8 points
// (Height -11 at 96 pixels per inch), no style, in clWindowText. Height < 0 is the
// character height in pixels, Height > 0 the cell height (ascent + descent); Size is
// in points and derived from Height. Names resolve through fontconfig; a face that
// is not installed falls back to DejaVu Sans; the symbol faces "Marlett" and
// "Wingdings" are drawn with Unicode equivalents (SymbolFonts.cpp). Every change
// that alters a value fires OnChange (when set).

#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/EnumSet.h"

namespace fw {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using enum TFontStyle;
using TFontStyles = TEnumSet<TFontStyle>;

class TFont : public TGraphicsObject {
    FW_CLASS(TFont, TGraphicsObject)
public:
    TFont() = default;

    static constexpr int32_t PixelsPerInch = 96;

    const String& Name() const { return FName; }
    void SetName(const String& aName);
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t aHeight);
    // Points: -Height * 72 / PixelsPerInch, rounded.
    int32_t Size() const;
    void SetSize(int32_t aSize);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles aStyle);
    TColor Color() const { return FColor; }
    void SetColor(TColor aColor);
    void Assign(const TFont& aSource);

    // The description a device context is given for this font.
    TLogFont LogFont() const;

private:
    String FName = "DejaVu Sans";
    int32_t FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
};

} // namespace fw
