// SPDX-License-Identifier: MIT
#pragma once
// TCanvas: drawing with a pen, a brush and a font on a device context.
//
// The canvas owns its Pen, Brush and Font and the drawing objects it makes from
// them. Before it draws, and whenever Handle is read, it selects them into its
// context: the font also sets the text colour, the brush sets the background colour
// and mode (opaque for bsSolid, transparent for bsClear), the pen sets the raster
// operation. A change of Pen, Brush or Font takes effect at the next drawing call or
// Handle read; colours set on the context directly in between (SetTextColor on
// Handle) stay until then.
//
// The context either comes from a descendant's CreateHandle (TBitmap's canvas makes
// one on its image) or is given with SetHandle; a given context is not owned: set
// the handle back to nullptr before the context is released. A canvas with neither
// raises EInvalidGraphicOperation when asked to draw.

#include "platform/graphics/Font.h"
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/GraphicsObjects.h"

#include <memory>
#include <span>

namespace fw {

class TBitmap;

class TCanvas : public TObject {
    FW_CLASS(TCanvas, TObject)
public:
    TCanvas();
    ~TCanvas() override;

    // The context with the canvas's pen, brush and font selected.
    HDC Handle();
    void SetHandle(HDC aDC);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont& Font() { return *FFont; }
    TPen& Pen() { return *FPen; }
    TBrush& Brush() { return *FBrush; }
    void SetFont(const TFont& aFont) { FFont->Assign(aFont); }
    void SetPen(const TPen& aPen) { FPen->Assign(aPen); }
    void SetBrush(const TBrush& aBrush) { FBrush->Assign(aBrush); }

    TPoint PenPos();
    void MoveTo(int32_t aX, int32_t aY);
    // Draws to (aX, aY), leaving that pixel out.
    void LineTo(int32_t aX, int32_t aY);
    // Segments between consecutive points; only the last point is left out.
    void Polyline(std::span<const TPoint> aPoints);
    // Fills aRect with the brush (nothing for bsClear).
    void FillRect(const TRect& aRect);
    // Text with its cell's top-left corner at (aX, aY); the pen position moves to
    // the end of the text.
    void TextOut(int32_t aX, int32_t aY, const String& aText);
    int32_t TextWidth(const String& aText);
    int32_t TextHeight(const String& aText);
    TSize TextExtent(const String& aText);
    // Copies the whole bitmap with its top-left corner at (aX, aY).
    void Draw(int32_t aX, int32_t aY, TBitmap& aBitmap);
    // Pixel read-back: a plain colour, or CLR_INVALID outside the drawable area.
    TColor Pixel(int32_t aX, int32_t aY);
    void SetPixel(int32_t aX, int32_t aY, TColor aColor);

protected:
    // Makes a context when one is needed and none was given; the default raises.
    virtual void CreateHandle();

private:
    void RequireState();
    void SelectFont();
    void SelectPen();
    void SelectBrush();
    void DeselectHandles();

    HDC FHandle = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    // Objects made from Font, Pen and Brush, selected into FHandle; owned.
    HFONT FFontHandle = nullptr;
    HPEN FPenHandle = nullptr;
    HBRUSH FBrushHandle = nullptr;
    // What the context held before the canvas selected its own objects.
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldPen = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    // False when Font, Pen or Brush changed since their objects were selected.
    bool FFontValid = false;
    bool FPenValid = false;
    bool FBrushValid = false;
};

// A 3-D frame of aWidth pixels inside aRect: top and left edges in aTopColor, bottom
// and right edges in aBottomColor (which owns the top-right and bottom-left
// corners); aRect shrinks by aWidth on every side. Uses and changes the canvas's pen.
void Frame3D(TCanvas& aCanvas, TRect& aRect, TColor aTopColor, TColor aBottomColor, int32_t aWidth);

} // namespace fw
