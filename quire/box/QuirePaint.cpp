// SPDX-License-Identifier: MIT
// The box's look and mouse: items composed one at a time in the off-screen bitmap
// and copied to the window, no background erase, the divider drag drawn with an XOR
// line, presses that select rows and move the strip, double clicks that expand.

#include "quire/box/Quire.h"
#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/SystemState.h"
#include "platform/controls/WinApi.h"
#include "platform/graphics/Gdi.h"
#include "platform/stdctrls/DrawItem.h"

#include <cstdlib>

namespace quire {

using fw::TCanvas;
using fw::TRect;

namespace {

// Releases a window context when it goes out of scope.
class TWindowDCScope {
public:
    TWindowDCScope(fw::HWND aWindow, fw::HDC aDC) : FWindow(aWindow), FDC(aDC) {}
    ~TWindowDCScope() { fw::ReleaseDC(FWindow, FDC); }
    TWindowDCScope(const TWindowDCScope&) = delete;
    TWindowDCScope& operator=(const TWindowDCScope&) = delete;

private:
    fw::HWND FWindow;
    fw::HDC FDC;
};

void VerticalLine(TCanvas* aCanvas, int32_t aX, int32_t aTop, int32_t aBottom) {
    aCanvas->MoveTo(aX, aTop);
    aCanvas->LineTo(aX, aBottom);
}

} // namespace

void TQuire::PaintItem(int32_t aIndex, TCanvas* aCanvas, const TRect& aRect,
                       fw::TOwnerDrawState aState) {
    TRect r = aRect;
    const int32_t x = aRect.Left + FDividerPos;
    aCanvas->Pen().SetStyle(fw::psSolid);
    aCanvas->Pen().SetColor(fw::clBtnShadow);
    aCanvas->MoveTo(r.Left, r.Bottom - 1);
    aCanvas->LineTo(r.Right, r.Bottom - 1);
    VerticalLine(aCanvas, x, r.Top, r.Bottom);
    aCanvas->Pen().SetColor(fw::clBtnHighlight);
    VerticalLine(aCanvas, x + 1, r.Top, r.Bottom);

    TPropEditInfo* row = GetEditInfo(aIndex);
    r.Top += 1;
    r.Bottom -= 1;
    const int32_t valueRight = r.Right;
    r.Right = x;
    fw::SetBkColor(aCanvas->Handle(), fw::ColorToRGB(Color()));
    if (row == nullptr) {
        return;
    }
    // Text colours go to the context directly: changing the canvas's font would make
    // it build its font object again for every item.
    const fw::COLORREF textColor = fw::ColorToRGB(Font()->Color());
    fw::SetTextColor(aCanvas->Handle(),
                     row->FAllEqual ? textColor : fw::ColorToRGB(fw::clBtnShadow));
    r.Left += aCanvas->TextWidth(" +") * (row->GetLevel() + 1) + 1;
    DrawTextVCenter(aCanvas, r, 0, row->FName);
    fw::SetTextColor(aCanvas->Handle(), textColor);
    if (row->IsExpandable()) {
        r.Right = r.Left;
        r.Left -= aCanvas->TextWidth("+");
        DrawTextVCenter(aCanvas, r, 0, row->FExpanded ? "-" : "+");
    }
    r.Left = x + 4;
    r.Right = valueRight;
    if (row->FAllEqual) {
        row->FEditor->PaintValue(row->GetValue(), aCanvas, r, aState);
    }
}

void TQuire::PrepareItemCanvas(TCanvas& aCanvas) {
    // Only what differs is assigned, so the canvas keeps its drawing objects from
    // one item to the next.
    const fw::TFont& font = *Font();
    const fw::TFont& current = aCanvas.Font();
    if (current.Name() != font.Name() || current.Height() != font.Height() ||
        current.Style() != font.Style() || current.Color() != font.Color()) {
        aCanvas.SetFont(font);
    }
    if (aCanvas.Brush().Style() != fw::bsSolid || aCanvas.Brush().Color() != Color()) {
        aCanvas.Brush().SetStyle(fw::bsSolid);
        aCanvas.Brush().SetColor(Color());
    }
}

void TQuire::PaintItemToDC(int32_t aIndex, fw::HDC aDC, const TRect& aRect, fw::TOwnerDrawState) {
    const int32_t w = aRect.Width();
    const int32_t h = aRect.Height();
    FBitmap->SetSize(w, h);
    TCanvas& canvas = FBitmap->Canvas();
    PrepareItemCanvas(canvas);
    canvas.FillRect(fw::Rect(0, 0, w, h));
    if (aIndex >= 0) {
        PaintItem(aIndex, &canvas, fw::Rect(0, 0, w, h), {});
    }
    fw::BitBlt(aDC, aRect.Left, aRect.Top, w, h, canvas.Handle(), 0, 0, fw::SRCCOPY);
}

void TQuire::Dispatch(fw::TMessage& aMessage) {
    switch (aMessage.Msg) {
    case fw::WM_PAINT:
        WMPaint(aMessage);
        break;
    case fw::WM_ERASEBKGND:
        aMessage.Result = 1; // painting covers every pixel
        break;
    case fw::CN_DRAWITEM:
        CNDrawItem(aMessage);
        break;
    case fw::WM_LBUTTONDOWN:
    case fw::WM_LBUTTONDBLCLK:
        WMLButtonDown(aMessage);
        break;
    default:
        fw::TCustomListBox::Dispatch(aMessage);
        break;
    }
}

void TQuire::WMPaint(fw::TMessage&) {
    fw::TPaintStruct paint;
    fw::HDC dc = fw::BeginPaint(Handle(), paint);
    try {
        TRect update = paint.rcPaint;
        if (!Designing()) {
            const int32_t height = ItemHeight();
            const int32_t first = update.Top / height + TopIndex();
            if (first < Count()) {
                const int32_t last = std::min(update.Bottom / height + TopIndex(), Count() - 1);
                for (int32_t i = first; i <= last; ++i) {
                    PaintItemToDC(i, dc, ItemRect(i), {});
                }
                update.Top = ItemRect(last).Bottom;
            }
        }
        if (update.Bottom > update.Top) {
            fw::HBRUSH brush = fw::CreateSolidBrush(fw::ColorToRGB(Color()));
            fw::FillRect(dc, update, brush);
            fw::DeleteObject(brush);
        }
    } catch (...) {
        fw::EndPaint(Handle(), paint);
        throw;
    }
    fw::EndPaint(Handle(), paint);
}

void TQuire::CNDrawItem(fw::TMessage& aMessage) {
    if (!Designing()) {
        const fw::TDrawItemStruct& item = *fw::DrawItemStructOf(aMessage);
        PaintItemToDC(item.itemID, item.hDC, item.rcItem, fw::DrawItemState(item));
    }
    aMessage.Result = 1;
}

// --- mouse -----------------------------------------------------------------------------

bool TQuire::IsDividerPos(int32_t aX) const {
    return std::abs(aX - (FDividerPos + 1)) < 3;
}

void TQuire::RepaintDraggingDivider() {
    fw::HWND window = Handle();
    fw::HDC dc = fw::GetWindowDC(window);
    TWindowDCScope release(window, dc);
    fw::SelectObject(dc, fw::GetStockObject(fw::WHITE_PEN));
    fw::SetROP2(dc, fw::R2_XORPEN);
    fw::MoveToEx(dc, FDragX, 0, nullptr);
    fw::LineTo(dc, FDragX, Height());
}

void TQuire::WMLButtonDown(fw::TMessage& aMessage) {
    const int32_t x = fw::LParamX(aMessage.LParam);
    if (IsDividerPos(x)) {
        // The list's own press handling is skipped: the selection stays. The second
        // press of a double click is a divider press like any other.
        MouseDown(fw::mbLeft, {}, x, fw::LParamY(aMessage.LParam));
        return;
    }
    fw::TCustomListBox::Dispatch(aMessage);
}

void TQuire::MouseDown(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX, int32_t aY) {
    if (Count() == 0 && Parent() != nullptr && Parent()->CanFocus()) {
        Parent()->SetFocus();
    }
    if (IsDividerPos(aX)) {
        SetMouseCapture(true);
        FDragging = true;
        FDragX = aX;
        RepaintDraggingDivider();
    } else {
        FMouseDownTime = fw::GetTickCount();
        UpdatePropSelection();
    }
    fw::TCustomListBox::MouseDown(aButton, aShift, aX, aY);
}

void TQuire::MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) {
    if (HandleAllocated() && fw::GetCapture() == WindowHandle()) {
        if (FDragging) {
            RepaintDraggingDivider();
            FDragX = aX;
            RepaintDraggingDivider();
        } else {
            UpdatePropSelection();
        }
    } else {
        SetCursor(IsDividerPos(aX) ? fw::crHSplit : fw::crDefault);
    }
    fw::TCustomListBox::MouseMove(aShift, aX, aY);
}

void TQuire::MouseUp(fw::TMouseButton aButton, fw::TShiftState aShift, int32_t aX, int32_t aY) {
    if (FDragging) {
        FDragging = false;
        RepaintDraggingDivider();
        SetMouseCapture(false);
        // A box without width has no percentage to take.
        if (Width() > 0) {
            SetDividerPos(aX * 100 / Width());
        }
        FSelection->Realign();
        Invalidate();
    }
    if (FSelection->FEdit->Visible() && FSelection->Visible() && FSelection->FEdit->CanFocus()) {
        FSelection->FEdit->SetFocus();
    }
    fw::TCustomListBox::MouseUp(aButton, aShift, aX, aY);
}

void TQuire::DblClick() {
    if (FSelection->FEditInfo == nullptr || ItemIndex() < 0) {
        return;
    }
    if (FSelection->FEditInfo->FExpanded) {
        CollapseItem(ItemIndex());
    } else {
        ExpandItem(ItemIndex());
    }
}

} // namespace quire
