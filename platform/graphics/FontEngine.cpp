// SPDX-License-Identifier: MIT
#include "platform/graphics/internal/FontEngine.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/SymbolFonts.h"
#include "platform/rtl/Format.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <set>

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

constexpr int ShapesPerFont = 512;

// Every resolved font, so that their laid-out strings (which hold on to the toolkit's
// font engines) are let go while the application object still exists. Never destroyed:
// fonts held by static objects (the stock font) leave it at exit.
std::set<const TResolvedFont*>& LiveFonts() {
    static auto* fonts = new std::set<const TResolvedFont*>;
    return *fonts;
}

void ForgetAllShapes() {
    for (const TResolvedFont* font : LiveFonts())
        font->ForgetShapes();
}

// Characters the painter's single-line text path treats otherwise than a laid-out
// line: control characters (tabs), line and paragraph separators, object markers.
bool NeedsPainterTextPath(const QString& aGlyphs) {
    for (const QChar c : aGlyphs) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == 0x2028 || u == 0x2029 || u == 0xFFFC)
            return true;
    }
    return false;
}

// The glyph runs of aGlyphs in one left-to-right line, as QPainter::drawText lays it
// out, moved so that the baseline is at y = 0.
QList<QGlyphRun> LayOut(const QFont& aFont, const QString& aGlyphs, bool& aOneLine) {
    QTextLayout layout(aGlyphs, aFont);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    aOneLine = line.isValid() && layout.lineCount() == 1 && line.textLength() == aGlyphs.size();
    if (!aOneLine)
        return {};
    QList<QGlyphRun> runs = layout.glyphRuns();
    const QPointF shift(line.x(), line.y() + line.ascent());
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position -= shift;
        run.setPositions(positions);
    }
    return runs;
}

} // namespace

TResolvedFont::TResolvedFont(const QFont& aFont, bool aSymbol, const String& aSymbolFace)
    : Font(aFont), Metrics(aFont), Symbol(aSymbol), SymbolFace(aSymbolFace),
      Ascent(Metrics.ascent()), CellHeight(Metrics.ascent() + Metrics.descent()),
      UnderlinePos(Metrics.underlinePos()), LineWidth(std::max(1, Metrics.lineWidth())),
      FShapes(ShapesPerFont) {
    if (LiveFonts().empty())
        qAddPostRoutine(ForgetAllShapes);
    LiveFonts().insert(this);
}

TResolvedFont::~TResolvedFont() {
    LiveFonts().erase(this);
    if (LiveFonts().empty())
        qRemovePostRoutine(ForgetAllShapes);
}

const TShapedText& TResolvedFont::Shape(const QString& aGlyphs, bool aForDrawing) const {
    TShapedText* shaped = FShapes.object(aGlyphs);
    if (shaped == nullptr) {
        auto made = std::make_unique<TShapedText>();
        made->Width = Metrics.horizontalAdvance(aGlyphs);
        shaped = made.get();
        FShapes.insert(aGlyphs, made.release());
    }
    if (aForDrawing && !shaped->LaidOut) {
        // Underline and strike-out are drawn along with the painter's own text path.
        if (!Font.underline() && !Font.strikeOut() && !NeedsPainterTextPath(aGlyphs)) {
            bool oneLine = false;
            shaped->Runs = LayOut(Font, aGlyphs, oneLine);
            shaped->HasRuns = oneLine;
        }
        shaped->LaidOut = true;
    }
    return *shaped;
}

void TResolvedFont::ForgetShapes() const {
    FShapes.clear();
}

void CheckFontsAvailable(const char* aCall) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw EInvalidGraphicOperation(
            Format("%s: fonts are not available before the application object exists", {aCall}));
}

std::unique_ptr<TResolvedFont> ResolveFont(const TLogFont& aLogFont) {
    CheckFontsAvailable("ResolveFont");
    const bool symbol = IsSymbolFace(aLogFont.FaceName);
    QFont font = BaseFont(aLogFont, symbol);
    int em = DefaultEmPixels;
    if (aLogFont.Height < 0)
        em = -aLogFont.Height;
    else if (aLogFont.Height > 0)
        em = EmForCellHeight(font, aLogFont.Height);
    font.setPixelSize(em);
    return std::make_unique<TResolvedFont>(font, symbol, aLogFont.FaceName);
}

QString GlyphText(const TResolvedFont& aFont, std::string_view aText) {
    if (aFont.Symbol)
        return MapSymbolText(aFont.SymbolFace, aText);
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

} // namespace fw
