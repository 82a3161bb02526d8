// SPDX-License-Identifier: MIT
#pragma once
// Device contexts, drawing objects and the constants of the GDI-style calls.
//
// HDC is the one device-context type behind every drawing call. A context draws on
// an image (a TBitmap's, or a window's backing image, see platform/qt/ImageDC.h),
// optionally clipped to a rectangle, and holds the selected pen, brush and font, the
// text and background colours, the background mode, the raster operation for lines
// and the current position. Every call checks the context it is given and raises
// EInvalidGraphicOperation, naming the call, for a null or released context.
//
// Pens, brushes and fonts are created by CreatePen, CreateSolidBrush and
// CreateFontIndirect and belong to the caller until DeleteObject; stock objects
// (GetStockObject) belong to the layer and DeleteObject ignores them. An object
// that is selected into a context is not deleted (DeleteObject answers false).
// Drawing is pixel-exact, without antialiasing.

#include "platform/graphics/Color.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <memory>

namespace fw {

class TDeviceContext;
using HDC = TDeviceContext*;

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Pen styles (PS_*), for CreatePen.
constexpr int32_t PS_SOLID = 0;
constexpr int32_t PS_DASH = 1;
constexpr int32_t PS_DOT = 2;
constexpr int32_t PS_DASHDOT = 3;
constexpr int32_t PS_DASHDOTDOT = 4;
constexpr int32_t PS_NULL = 5;
constexpr int32_t PS_INSIDEFRAME = 6;

// Brush styles (BS_*).
constexpr int32_t BS_SOLID = 0;
constexpr int32_t BS_NULL = 1;

// Font weights.
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;

// A font description. Height < 0: the character height (em size) in pixels;
// Height > 0: the cell height (ascent + descent) in pixels; 0: the default size.
// FaceName is resolved through fontconfig; faces that are not installed fall back
// to DejaVu Sans, and the symbol faces "Marlett" and "Wingdings" draw their glyphs
// as Unicode equivalents (see SymbolFonts.cpp).
struct TLogFont {
    int32_t Height = 0;
    int32_t Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    String FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

struct TLogPen {
    int32_t Style = PS_SOLID;
    int32_t Width = 1;
    COLORREF Color = 0;
};

struct TLogBrush {
    int32_t Style = BS_SOLID;
    COLORREF Color = 0;
};

// Drawing objects. The handle types convert to HGDIOBJ like their platform
// counterparts; the objects themselves are immutable once created.
class TGdiObject {
public:
    virtual ~TGdiObject();
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

protected:
    TGdiObject() = default;
};

class TGdiPen final : public TGdiObject {
public:
    explicit TGdiPen(const TLogPen& aLogPen) : LogPen(aLogPen) {}
    const TLogPen LogPen;
};

class TGdiBrush final : public TGdiObject {
public:
    explicit TGdiBrush(const TLogBrush& aLogBrush) : LogBrush(aLogBrush) {}
    const TLogBrush LogBrush;
};

struct TResolvedFont;

class TGdiFont final : public TGdiObject {
public:
    explicit TGdiFont(const TLogFont& aLogFont);
    ~TGdiFont() override;
    const TLogFont LogFont;
    // The toolkit font this description resolves to, made on first use.
    const TResolvedFont& Resolved() const;

private:
    mutable std::unique_ptr<TResolvedFont> FResolved;
};

using HGDIOBJ = TGdiObject*;
using HPEN = TGdiPen*;
using HBRUSH = TGdiBrush*;
using HFONT = TGdiFont*;

// Stock objects (GetStockObject).
constexpr int32_t WHITE_BRUSH = 0;
constexpr int32_t LTGRAY_BRUSH = 1;
constexpr int32_t GRAY_BRUSH = 2;
constexpr int32_t DKGRAY_BRUSH = 3;
constexpr int32_t BLACK_BRUSH = 4;
constexpr int32_t NULL_BRUSH = 5;
constexpr int32_t WHITE_PEN = 6;
constexpr int32_t BLACK_PEN = 7;
constexpr int32_t NULL_PEN = 8;
constexpr int32_t SYSTEM_FONT = 13;
constexpr int32_t DEFAULT_GUI_FONT = 17;

// Background modes (SetBkMode).
constexpr int32_t TRANSPARENT = 1;
constexpr int32_t OPAQUE = 2;

// Raster operations for lines (SetROP2): the result of pen P and destination D.
constexpr int32_t R2_BLACK = 1;        // 0
constexpr int32_t R2_NOTMERGEPEN = 2;  // ~(P | D)
constexpr int32_t R2_MASKNOTPEN = 3;   // ~P & D
constexpr int32_t R2_NOTCOPYPEN = 4;   // ~P
constexpr int32_t R2_MASKPENNOT = 5;   // P & ~D
constexpr int32_t R2_NOT = 6;          // ~D
constexpr int32_t R2_XORPEN = 7;       // P ^ D
constexpr int32_t R2_NOTMASKPEN = 8;   // ~(P & D)
constexpr int32_t R2_MASKPEN = 9;      // P & D
constexpr int32_t R2_NOTXORPEN = 10;   // ~(P ^ D)
constexpr int32_t R2_NOP = 11;         // D
constexpr int32_t R2_MERGENOTPEN = 12; // ~P | D
constexpr int32_t R2_COPYPEN = 13;     // P
constexpr int32_t R2_MERGEPENNOT = 14; // P | ~D
constexpr int32_t R2_MERGEPEN = 15;    // P | D
constexpr int32_t R2_WHITE = 16;       // 1

// Raster operations for BitBlt.
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// DrawText formats.
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;

// ExtTextOut options.
constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

// DrawEdge edges and flags.
constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
constexpr uint32_t BDR_RAISEDINNER = 0x0004;
constexpr uint32_t BDR_SUNKENINNER = 0x0008;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr uint32_t BF_LEFT = 0x0001;
constexpr uint32_t BF_TOP = 0x0002;
constexpr uint32_t BF_RIGHT = 0x0004;
constexpr uint32_t BF_BOTTOM = 0x0008;
constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr uint32_t BF_MIDDLE = 0x0800;
constexpr uint32_t BF_ADJUST = 0x2000;

} // namespace fw
