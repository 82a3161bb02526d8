// SPDX-License-Identifier: MIT
#include "platform/graphics/GdiText.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"
#include "platform/graphics/internal/FontEngine.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace fw {

namespace {

// A line of text with its mnemonic character, as QString indexes [Begin, End).
struct TTextLine {
    QString Glyphs;
    int MnemonicBegin = -1;
    int MnemonicEnd = -1;
};

size_t Utf8Length(unsigned char aLead) {
    if (aLead >= 0xF0)
        return 4;
    if (aLead >= 0xE0)
        return 3;
    if (aLead >= 0xC0)
        return 2;
    return 1;
}

// Removes mnemonic markers: "&&" stands for "&", "&x" underlines x.
TTextLine PrefixLine(const TResolvedFont& aFont, std::string_view aText) {
    std::string stripped;
    std::optional<size_t> mnemonic;
    for (size_t i = 0; i < aText.size(); ++i) {
        if (aText[i] != '&') {
            stripped += aText[i];
            continue;
        }
        if (++i >= aText.size())
            break;
        if (aText[i] != '&' && !mnemonic)
            mnemonic = stripped.size();
        stripped += aText[i];
    }
    TTextLine line{GlyphText(aFont, stripped)};
    if (mnemonic) {
        const size_t length =
            aFont.Symbol ? 1 : Utf8Length(static_cast<unsigned char>(stripped[*mnemonic]));
        const std::string_view view(stripped);
        line.MnemonicBegin = static_cast<int>(GlyphText(aFont, view.substr(0, *mnemonic)).size());
        line.MnemonicEnd =
            static_cast<int>(GlyphText(aFont, view.substr(0, *mnemonic + length)).size());
    }
    return line;
}

TTextLine MakeLine(const TResolvedFont& aFont, std::string_view aText, bool aPrefix) {
    if (aPrefix)
        return PrefixLine(aFont, aText);
    return TTextLine{GlyphText(aFont, aText)};
}

std::vector<std::string_view> SplitLines(std::string_view aText) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (true) {
        const size_t end = aText.find('\n', start);
        std::string_view line =
            aText.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

const TResolvedFont& ContextFont(TDeviceContext& aContext, const char* aCall) {
    CheckFontsAvailable(aCall);
    return aContext.Font->Resolved();
}

int TextWidth(const TResolvedFont& aFont, const QString& aGlyphs) {
    return aFont.Shape(aGlyphs, false).Width;
}

void DrawGlyphs(QPainter& aPainter, const TResolvedFont& aFont, QPoint aBaseline,
                const QString& aGlyphs) {
    const TShapedText& shaped = aFont.Shape(aGlyphs, true);
    if (shaped.HasRuns) {
        for (const QGlyphRun& run : shaped.Runs)
            aPainter.drawGlyphRun(aBaseline, run);
        return;
    }
    aPainter.setFont(aFont.Font);
    aPainter.drawText(aBaseline, aGlyphs);
}

// Draws one line with its cell's top-left corner at (aX, aY): the cell filled with
// the background colour in opaque mode, then the glyphs in the text colour.
void DrawLine(TDeviceContext& aContext, const TResolvedFont& aFont, int aX, int aY,
              const TTextLine& aLine, const std::optional<QRect>& aClip) {
    TContextPainter painter(aContext);
    if (!painter.isActive())
        return;
    if (aClip && !painter.IntersectClip(*aClip))
        return;
    const int width = TextWidth(aFont, aLine.Glyphs);
    const int ascent = aFont.Ascent;
    if (aContext.BkMode == OPAQUE && width > 0)
        painter->fillRect(QRect(aX, aY, width, CellHeight(aFont)),
                          QColor(ToQRgb(aContext.BkColor)));
    const QColor textColor(ToQRgb(aContext.TextColor));
    painter->setPen(textColor);
    DrawGlyphs(*painter, aFont, QPoint(aX, aY + ascent), aLine.Glyphs);
    if (aLine.MnemonicBegin >= 0) {
        const int left = TextWidth(aFont, aLine.Glyphs.left(aLine.MnemonicBegin));
        const int right = TextWidth(aFont, aLine.Glyphs.left(aLine.MnemonicEnd));
        painter->fillRect(
            QRect(aX + left, aY + ascent + aFont.UnderlinePos, right - left, aFont.LineWidth),
            textColor);
    }
}

} // namespace

COLORREF SetTextColor(HDC aDC, COLORREF aColor) {
    TDeviceContext& context = CheckDC(aDC, "SetTextColor");
    return std::exchange(context.TextColor, ColorToRGB(aColor));
}

COLORREF SetBkColor(HDC aDC, COLORREF aColor) {
    TDeviceContext& context = CheckDC(aDC, "SetBkColor");
    return std::exchange(context.BkColor, ColorToRGB(aColor));
}

int32_t SetBkMode(HDC aDC, int32_t aMode) {
    TDeviceContext& context = CheckDC(aDC, "SetBkMode");
    if (aMode != TRANSPARENT && aMode != OPAQUE)
        throw EInvalidGraphicOperation(Format("SetBkMode: unknown background mode %d", {aMode}));
    return std::exchange(context.BkMode, aMode);
}

COLORREF GetTextColor(HDC aDC) {
    return CheckDC(aDC, "GetTextColor").TextColor;
}
COLORREF GetBkColor(HDC aDC) {
    return CheckDC(aDC, "GetBkColor").BkColor;
}
int32_t GetBkMode(HDC aDC) {
    return CheckDC(aDC, "GetBkMode").BkMode;
}

bool TextOut(HDC aDC, int32_t aX, int32_t aY, std::string_view aText) {
    TDeviceContext& context = CheckDC(aDC, "TextOut");
    const TResolvedFont& font = ContextFont(context, "TextOut");
    DrawLine(context, font, aX, aY, MakeLine(font, aText, false), std::nullopt);
    return true;
}

bool ExtTextOut(HDC aDC, int32_t aX, int32_t aY, uint32_t aOptions, const TRect* aRect,
                std::string_view aText) {
    TDeviceContext& context = CheckDC(aDC, "ExtTextOut");
    if ((aOptions & (ETO_OPAQUE | ETO_CLIPPED)) != 0 && aRect == nullptr)
        throw EInvalidGraphicOperation("ExtTextOut: ETO_OPAQUE and ETO_CLIPPED need a rectangle");
    if ((aOptions & ETO_OPAQUE) != 0) {
        TContextPainter painter(context);
        if (painter.isActive())
            painter->fillRect(ToQRect(*aRect), QColor(ToQRgb(context.BkColor)));
    }
    if (aText.empty())
        return true;
    const TResolvedFont& font = ContextFont(context, "ExtTextOut");
    std::optional<QRect> clip;
    if ((aOptions & ETO_CLIPPED) != 0)
        clip = ToQRect(*aRect);
    DrawLine(context, font, aX, aY, MakeLine(font, aText, false), clip);
    return true;
}

int32_t DrawText(HDC aDC, std::string_view aText, TRect* aRect, uint32_t aFormat) {
    TDeviceContext& context = CheckDC(aDC, "DrawText");
    if (aRect == nullptr)
        throw EInvalidGraphicOperation("DrawText: no rectangle");
    const TResolvedFont& font = ContextFont(context, "DrawText");
    const bool singleLine = (aFormat & DT_SINGLELINE) != 0;
    const bool prefix = (aFormat & DT_NOPREFIX) == 0;
    std::vector<TTextLine> lines;
    if (singleLine)
        lines.push_back(MakeLine(font, aText, prefix));
    else
        for (std::string_view line : SplitLines(aText))
            lines.push_back(MakeLine(font, line, prefix));

    const int lineHeight = CellHeight(font);
    const int totalHeight = lineHeight * static_cast<int>(lines.size());
    if ((aFormat & DT_CALCRECT) != 0) {
        int widest = 0;
        for (const TTextLine& line : lines)
            widest = std::max(widest, TextWidth(font, line.Glyphs));
        aRect->Right = aRect->Left + widest;
        aRect->Bottom = aRect->Top + totalHeight;
        return totalHeight;
    }

    int top = aRect->Top;
    if (singleLine && (aFormat & DT_VCENTER) != 0)
        top = aRect->Top + (aRect->Height() - lineHeight) / 2;
    else if (singleLine && (aFormat & DT_BOTTOM) != 0)
        top = aRect->Bottom - lineHeight;
    std::optional<QRect> clip;
    if ((aFormat & DT_NOCLIP) == 0)
        clip = ToQRect(*aRect);
    int y = top;
    for (const TTextLine& line : lines) {
        const int width = TextWidth(font, line.Glyphs);
        int x = aRect->Left;
        if ((aFormat & DT_CENTER) != 0)
            x = aRect->Left + (aRect->Width() - width) / 2;
        else if ((aFormat & DT_RIGHT) != 0)
            x = aRect->Right - width;
        DrawLine(context, font, x, y, line, clip);
        y += lineHeight;
    }
    return top - aRect->Top + totalHeight;
}

bool GetTextExtentPoint32(HDC aDC, std::string_view aText, TSize* aSize) {
    TDeviceContext& context = CheckDC(aDC, "GetTextExtentPoint32");
    const TResolvedFont& font = ContextFont(context, "GetTextExtentPoint32");
    if (aSize == nullptr)
        throw EInvalidGraphicOperation("GetTextExtentPoint32: no size to fill");
    aSize->cx = TextWidth(font, GlyphText(font, aText));
    aSize->cy = CellHeight(font);
    return true;
}

} // namespace fw
