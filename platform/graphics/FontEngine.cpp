#include "platform/graphics/internal/FontEngine.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/SymbolFonts.h"
#include "platform/rtl/Format.h"

#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

const QString FallbackFace = QStringLiteral("DejaVu Sans");
constexpr int DefaultEmPixels = 11;

QFont BaseFont(const TLogFont& aLogFont, bool aSymbol) {
    QFont font;
    if (aSymbol || aLogFont.FaceName.empty())
        font.setFamilies({FallbackFace});
    else
        font.setFamilies({QString::fromStdString(aLogFont.FaceName), FallbackFace});
    // Aliased glyphs with full hinting and no kerning: text lands on whole pixels
    // and a string is exactly as wide as the sum of its measured parts.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    const int weight = aLogFont.Weight <= 0 ? FW_NORMAL : std::clamp(aLogFont.Weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(aLogFont.Italic);
    font.setUnderline(aLogFont.Underline);
    font.setStrikeOut(aLogFont.StrikeOut);
    return font;
}

int CellOf(const QFont& aFont) {
    QFontMetrics metrics(aFont);
    return metrics.ascent() + metrics.descent();
}

// The em size whose cell (ascent + descent) is at most aCellHeight pixels, as close
// as possible.
int EmForCellHeight(QFont aFont, int aCellHeight) {
    aFont.setPixelSize(aCellHeight);
    const int cell = std::max(1, CellOf(aFont));
    int em = std::max(1, static_cast<int>(std::lround(double(aCellHeight) * aCellHeight / cell)));
    aFont.setPixelSize(em);
    while (em > 1 && CellOf(aFont) > aCellHeight)
        aFont.setPixelSize(--em);
    return em;
}

} // namespace

void CheckFontsAvailable(const char* aCall) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw EInvalidGraphicOperation(
            Format("%s: fonts are not available before the application object exists", {aCall}));
}

TResolvedFont ResolveFont(const TLogFont& aLogFont) {
    CheckFontsAvailable("ResolveFont");
    const bool symbol = IsSymbolFace(aLogFont.FaceName);
    QFont font = BaseFont(aLogFont, symbol);
    int em = DefaultEmPixels;
    if (aLogFont.Height < 0)
        em = -aLogFont.Height;
    else if (aLogFont.Height > 0)
        em = EmForCellHeight(font, aLogFont.Height);
    font.setPixelSize(em);
    return TResolvedFont{font, QFontMetrics(font), symbol, aLogFont.FaceName};
}

QString GlyphText(const TResolvedFont& aFont, std::string_view aText) {
    if (aFont.Symbol)
        return MapSymbolText(aFont.SymbolFace, aText);
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

int CellHeight(const TResolvedFont& aFont) {
    return aFont.Metrics.ascent() + aFont.Metrics.descent();
}

} // namespace fw
