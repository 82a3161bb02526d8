// SPDX-License-Identifier: MIT
#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"

namespace fw {

FW_IMPLEMENT_CLASS(TCanvas)

namespace {

// Frees the object made before and keeps the new one.
template <class Handle> void ReplaceOwned(Handle& aOwned, Handle aNew) {
    if (aOwned != nullptr && aOwned != aNew)
        DeleteObject(aOwned);
    aOwned = aNew;
}

} // namespace

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = [this](TObject*) { FFontValid = false; };
    FPen->OnChange = [this](TObject*) { FPenValid = false; };
    FBrush->OnChange = [this](TObject*) { FBrushValid = false; };
}

TCanvas::~TCanvas() {
    DeselectHandles();
}

void TCanvas::CreateHandle() {
    throw EInvalidGraphicOperation("Canvas does not allow drawing");
}

HDC TCanvas::Handle() {
    RequireState();
    return FHandle;
}

void TCanvas::SetHandle(HDC aDC) {
    if (FHandle == aDC)
        return;
    if (aDC != nullptr)
        CheckDC(aDC, "TCanvas.SetHandle");
    DeselectHandles();
    FHandle = aDC;
}

// Puts back what the context held and frees the objects made for it. A context
// that its owner has already released needs no restoring.
void TCanvas::DeselectHandles() {
    if (FHandle != nullptr && IsLiveContext(FHandle)) {
        if (FOldFont != nullptr)
            SelectObject(FHandle, FOldFont);
        if (FOldPen != nullptr)
            SelectObject(FHandle, FOldPen);
        if (FOldBrush != nullptr)
            SelectObject(FHandle, FOldBrush);
    }
    FOldFont = FOldPen = FOldBrush = nullptr;
    ReplaceOwned(FFontHandle, HFONT{});
    ReplaceOwned(FPenHandle, HPEN{});
    ReplaceOwned(FBrushHandle, HBRUSH{});
    FFontValid = FPenValid = FBrushValid = false;
    FHandle = nullptr;
}

void TCanvas::RequireState() {
    if (FHandle == nullptr)
        CreateHandle();
    if (FHandle == nullptr)
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
    if (!FFontValid)
        SelectFont();
    if (!FPenValid)
        SelectPen();
    if (!FBrushValid)
        SelectBrush();
}

void TCanvas::SelectFont() {
    HFONT font = CreateFontIndirect(FFont->LogFont());
    HGDIOBJ previous = SelectObject(FHandle, font);
    if (FOldFont == nullptr)
        FOldFont = previous;
    ReplaceOwned(FFontHandle, font);
    FFontValid = true;
    fw::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
}

void TCanvas::SelectPen() {
    HPEN pen =
        CreatePen(static_cast<int32_t>(FPen->Style()), FPen->Width(), ColorToRGB(FPen->Color()));
    HGDIOBJ previous = SelectObject(FHandle, pen);
    if (FOldPen == nullptr)
        FOldPen = previous;
    ReplaceOwned(FPenHandle, pen);
    FPenValid = true;
    SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
}

void TCanvas::SelectBrush() {
    HBRUSH brush = FBrush->Style() == bsSolid ? CreateSolidBrush(ColorToRGB(FBrush->Color()))
                                              : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    HGDIOBJ previous = SelectObject(FHandle, brush);
    if (FOldBrush == nullptr)
        FOldBrush = previous;
    ReplaceOwned(FBrushHandle, brush);
    FBrushValid = true;
    fw::SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

TPoint TCanvas::PenPos() {
    return GetCurrentPosition(Handle());
}

void TCanvas::MoveTo(int32_t aX, int32_t aY) {
    MoveToEx(Handle(), aX, aY, nullptr);
}

void TCanvas::LineTo(int32_t aX, int32_t aY) {
    fw::LineTo(Handle(), aX, aY);
}

void TCanvas::Polyline(std::span<const TPoint> aPoints) {
    if (aPoints.empty())
        return;
    HDC dc = Handle();
    TPoint saved;
    MoveToEx(dc, aPoints[0].X, aPoints[0].Y, &saved);
    for (const TPoint& point : aPoints.subspan(1))
        fw::LineTo(dc, point.X, point.Y);
    MoveToEx(dc, saved.X, saved.Y, nullptr);
}

void TCanvas::FillRect(const TRect& aRect) {
    HDC dc = Handle(); // selects the brush first
    fw::FillRect(dc, aRect, FBrushHandle);
}

void TCanvas::TextOut(int32_t aX, int32_t aY, const String& aText) {
    HDC dc = Handle();
    fw::TextOut(dc, aX, aY, aText);
    MoveToEx(dc, aX + TextWidth(aText), aY, nullptr);
}

TSize TCanvas::TextExtent(const String& aText) {
    TSize size;
    GetTextExtentPoint32(Handle(), aText, &size);
    return size;
}

int32_t TCanvas::TextWidth(const String& aText) {
    return TextExtent(aText).cx;
}

int32_t TCanvas::TextHeight(const String& aText) {
    return TextExtent(aText).cy;
}

void TCanvas::Draw(int32_t aX, int32_t aY, TBitmap& aBitmap) {
    HDC dc = Handle();
    BitBlt(dc, aX, aY, aBitmap.Width(), aBitmap.Height(), aBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

TColor TCanvas::Pixel(int32_t aX, int32_t aY) {
    return GetPixel(Handle(), aX, aY);
}

void TCanvas::SetPixel(int32_t aX, int32_t aY, TColor aColor) {
    fw::SetPixel(Handle(), aX, aY, aColor);
}

void Frame3D(TCanvas& aCanvas, TRect& aRect, TColor aTopColor, TColor aBottomColor,
             int32_t aWidth) {
    aCanvas.Pen().SetWidth(1);
    --aRect.Bottom;
    --aRect.Right;
    for (; aWidth > 0; --aWidth) {
        const TRect& r = aRect;
        aCanvas.Pen().SetColor(aTopColor);
        const TPoint topLeft[] = {Point(r.Left, r.Bottom), Point(r.Left, r.Top),
                                  Point(r.Right, r.Top)};
        aCanvas.Polyline(topLeft);
        aCanvas.Pen().SetColor(aBottomColor);
        const TPoint bottomRight[] = {Point(r.Right, r.Top), Point(r.Right, r.Bottom),
                                      Point(r.Left - 1, r.Bottom)};
        aCanvas.Polyline(bottomRight);
        InflateRect(&aRect, -1, -1);
    }
    ++aRect.Bottom;
    ++aRect.Right;
}

} // namespace fw
