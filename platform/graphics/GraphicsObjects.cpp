// SPDX-License-Identifier: MIT
#include "platform/graphics/GraphicsObjects.h"

#include "platform/graphics/GdiTypes.h"

#include <array>

namespace fw {

FW_IMPLEMENT_ABSTRACT_CLASS(TGraphicsObject)
FW_IMPLEMENT_CLASS(TPen)
FW_IMPLEMENT_CLASS(TBrush)

void TGraphicsObject::Changed() {
    if (OnChange)
        OnChange(this);
}

int32_t PenModeToRop2(TPenMode aMode) {
    static constexpr std::array<int32_t, 16> rops = {
        R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
        R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
        R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return rops[static_cast<size_t>(aMode)];
}

void TPen::SetColor(TColor aColor) {
    if (FColor == aColor)
        return;
    FColor = aColor;
    Changed();
}

void TPen::SetWidth(int32_t aWidth) {
    if (aWidth < 1 || FWidth == aWidth)
        return;
    FWidth = aWidth;
    Changed();
}

void TPen::SetStyle(TPenStyle aStyle) {
    if (FStyle == aStyle)
        return;
    FStyle = aStyle;
    Changed();
}

void TPen::SetMode(TPenMode aMode) {
    if (FMode == aMode)
        return;
    FMode = aMode;
    Changed();
}

void TPen::Assign(const TPen& aSource) {
    FColor = aSource.FColor;
    FWidth = aSource.FWidth;
    FStyle = aSource.FStyle;
    FMode = aSource.FMode;
    Changed();
}

void TBrush::SetColor(TColor aColor) {
    if (FColor == aColor)
        return;
    FColor = aColor;
    Changed();
}

void TBrush::SetStyle(TBrushStyle aStyle) {
    if (FStyle == aStyle)
        return;
    FStyle = aStyle;
    Changed();
}

void TBrush::Assign(const TBrush& aSource) {
    FColor = aSource.FColor;
    FStyle = aSource.FStyle;
    Changed();
}

} // namespace fw
