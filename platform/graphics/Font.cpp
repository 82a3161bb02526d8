// SPDX-License-Identifier: MIT
#include "platform/graphics/Font.h"

namespace fw {

FW_IMPLEMENT_CLASS(TFont)

void TFont::SetName(const String& aName) {
    if (FName == aName || aName.empty())
        return;
    FName = aName;
    Changed();
}

void TFont::SetHeight(int32_t aHeight) {
    if (FHeight == aHeight)
        return;
    FHeight = aHeight;
    Changed();
}

int32_t TFont::Size() const {
    return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TFont::SetSize(int32_t aSize) {
    SetHeight(-MulDiv(aSize, PixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles aStyle) {
    if (FStyle == aStyle)
        return;
    FStyle = aStyle;
    Changed();
}

void TFont::SetColor(TColor aColor) {
    if (FColor == aColor)
        return;
    FColor = aColor;
    Changed();
}

void TFont::Assign(const TFont& aSource) {
    FName = aSource.FName;
    FHeight = aSource.FHeight;
    FStyle = aSource.FStyle;
    FColor = aSource.FColor;
    Changed();
}

TLogFont TFont::LogFont() const {
    TLogFont logFont;
    logFont.Height = FHeight;
    logFont.Weight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    logFont.Italic = FStyle.Contains(fsItalic);
    logFont.Underline = FStyle.Contains(fsUnderline);
    logFont.StrikeOut = FStyle.Contains(fsStrikeOut);
    logFont.FaceName = FName;
    return logFont;
}

} // namespace fw
