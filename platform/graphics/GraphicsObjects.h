// SPDX-License-Identifier: MIT
#pragma once
// TPen and TBrush: the pen and brush of a TCanvas. Each change that alters a value
// fires OnChange (when set), which tells the owning canvas to select the new object
// before it next draws. Colours may be system colours; they are resolved when drawn.

#include "platform/graphics/Color.h"
#include "platform/rtl/Object.h"

namespace fw {

class TGraphicsObject : public TObject {
    FW_CLASS(TGraphicsObject, TObject)
public:
    TNotifyEvent OnChange;

protected:
    TGraphicsObject() = default;
    void Changed();
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;

// How the pen combines with the pixels under it; each mode is one raster operation
// of SetROP2 (pmCopy = R2_COPYPEN, pmXor = R2_XORPEN, ...).
enum class TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
using enum TPenMode;

int32_t PenModeToRop2(TPenMode aMode);

class TPen : public TGraphicsObject {
    FW_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor aColor);
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t aWidth);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle aStyle);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode aMode);
    void Assign(const TPen& aSource);

private:
    TColor FColor = clBlack;
    int32_t FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear };
using enum TBrushStyle;

class TBrush : public TGraphicsObject {
    FW_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor aColor);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle aStyle);
    void Assign(const TBrush& aSource);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

} // namespace fw
