// SPDX-License-Identifier: MIT
#include "platform/stdctrls/ListBox.h"

#include "platform/controls/Backend.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/controls/WinApi.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/FocusRect.h"
#include "platform/graphics/GdiFills.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/Rects.h"
#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TListBoxStrings)
FW_IMPLEMENT_CLASS(TCustomListBox)
FW_IMPLEMENT_CLASS(TListBox)

// --- items --------------------------------------------------------------------------

int32_t TListBoxStrings::Count() const {
    return FListBox->Count();
}

String TListBoxStrings::Get(int32_t aIndex) const {
    CheckIndex(aIndex, Count());
    return FListBox->FEntries[static_cast<size_t>(aIndex)].Text;
}

void TListBoxStrings::Put(int32_t aIndex, const String& aText) {
    CheckIndex(aIndex, Count());
    FListBox->FEntries[static_cast<size_t>(aIndex)].Text = aText;
    FListBox->ItemsChanged();
}

TStringObject TListBoxStrings::GetObject(int32_t aIndex) const {
    CheckIndex(aIndex, Count());
    return FListBox->FEntries[static_cast<size_t>(aIndex)].Object;
}

void TListBoxStrings::PutObject(int32_t aIndex, TStringObject aObject) {
    CheckIndex(aIndex, Count());
    FListBox->FEntries[static_cast<size_t>(aIndex)].Object = aObject;
}

void TListBoxStrings::InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) {
    CheckIndex(aIndex, Count() + 1);
    auto& entries = FListBox->FEntries;
    entries.insert(entries.begin() + aIndex, TCustomListBox::TEntry{aText, aObject});
    FListBox->ItemInserted(aIndex);
}

void TListBoxStrings::Delete(int32_t aIndex) {
    CheckIndex(aIndex, Count());
    auto& entries = FListBox->FEntries;
    entries.erase(entries.begin() + aIndex);
    FListBox->ItemDeleted(aIndex);
}

void TListBoxStrings::Clear() {
    FListBox->FEntries.clear();
    FListBox->FItemIndex = -1;
    FListBox->StoreTopIndex(0);
    FListBox->ItemsChanged();
}

int32_t TListBoxStrings::IndexOf(const String& aText) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (AnsiCompareText(FListBox->FEntries[static_cast<size_t>(i)].Text, aText) == 0) {
            return i;
        }
    }
    return -1;
}

// --- the control -----------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* aOwner)
    : TWinControl(aOwner), FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
    FCanvas->FreeHandle();
}

void TCustomListBox::CreateParams(TCreateParams& aParams) {
    TWinControl::CreateParams(aParams);
    if (FBorderStyle == bsSingle) {
        if (Ctl3D()) {
            aParams.ExStyle |= WS_EX_CLIENTEDGE;
        } else {
            aParams.Style |= WS_BORDER;
        }
    }
    aParams.Style |= WS_VSCROLL;
}

void TCustomListBox::InitializeWnd() {
    UpdateScrollBar();
}

void TCustomListBox::FontChanged() {
    FStandardHeight = 0;
    TWinControl::FontChanged();
    if (FStyle == lbStandard) {
        ItemsChanged();
    }
}

void TCustomListBox::BoundsChanged(bool aResized) {
    TWinControl::BoundsChanged(aResized);
    if (aResized) {
        StoreTopIndex(FTopIndex);
        UpdateScrollBar();
    }
}

int32_t TCustomListBox::ItemHeight() const {
    if (FStyle != lbStandard) {
        return FItemHeight;
    }
    if (FStandardHeight == 0) {
        backend::EnsureApplication();
        TBitmap measure;
        measure.SetSize(1, 1);
        measure.Canvas().SetFont(*Font());
        FStandardHeight = std::max(1, measure.Canvas().TextHeight("Wg"));
    }
    return FStandardHeight;
}

void TCustomListBox::SetItemHeight(int32_t aHeight) {
    if (aHeight > 0 && aHeight != FItemHeight) {
        FItemHeight = aHeight;
        ItemsChanged();
    }
}

void TCustomListBox::SetStyle(TListBoxStyle aStyle) {
    if (aStyle != FStyle) {
        FStyle = aStyle;
        ItemsChanged();
    }
}

void TCustomListBox::SetBorderStyle(TBorderStyle aStyle) {
    if (aStyle != FBorderStyle) {
        FBorderStyle = aStyle;
        RecreateWnd();
    }
}

TRect TCustomListBox::ItemRect(int32_t aIndex) const {
    if (aIndex < 0 || aIndex > Count()) {
        return TRect{};
    }
    int32_t height = ItemHeight();
    int32_t top = (aIndex - FTopIndex) * height;
    return Rect(0, top, ClientWidth(), top + height);
}

int32_t TCustomListBox::ItemAtPos(TPoint aPoint, bool aExisting) const {
    if (!PtInRect(ClientRect(), aPoint)) {
        return -1;
    }
    int32_t index = FTopIndex + aPoint.Y / ItemHeight();
    if (index < Count()) {
        return index;
    }
    return aExisting ? -1 : Count();
}

int32_t TCustomListBox::VisibleRows() const {
    return std::max(1, ClientHeight() / ItemHeight());
}

int32_t TCustomListBox::MaxTopIndex() const {
    return std::max(0, Count() - VisibleRows());
}

void TCustomListBox::SetItemIndex(int32_t aIndex) {
    if (aIndex < -1 || aIndex >= Count()) {
        aIndex = -1;
    }
    if (aIndex == FItemIndex) {
        return;
    }
    if (HandleAllocated() && FItemIndex >= 0) {
        TRect old = ItemRect(FItemIndex);
        InvalidateRect(WindowHandle(), &old, false);
    }
    FItemIndex = aIndex;
    if (aIndex >= 0) {
        MakeVisible(aIndex);
        if (HandleAllocated()) {
            TRect current = ItemRect(aIndex);
            InvalidateRect(WindowHandle(), &current, false);
        }
    }
}

void TCustomListBox::SetTopIndex(int32_t aIndex) {
    if (!StoreTopIndex(aIndex)) {
        return;
    }
    Invalidate();
    UpdateScrollBar();
}

bool TCustomListBox::StoreTopIndex(int32_t aIndex) {
    aIndex = std::clamp(aIndex, 0, MaxTopIndex());
    if (aIndex == FTopIndex) {
        return false;
    }
    FTopIndex = aIndex;
    TopIndexChanged();
    return true;
}

void TCustomListBox::MakeVisible(int32_t aIndex) {
    if (aIndex < FTopIndex) {
        SetTopIndex(aIndex);
    } else if (aIndex >= FTopIndex + VisibleRows()) {
        SetTopIndex(aIndex - VisibleRows() + 1);
    }
}

void TCustomListBox::SelectByUser(int32_t aIndex) {
    if (aIndex == FItemIndex) {
        return;
    }
    SetItemIndex(aIndex);
    Click();
}

void TCustomListBox::ItemsChanged() {
    StoreTopIndex(FTopIndex);
    Invalidate();
    UpdateScrollBar();
}

void TCustomListBox::ItemInserted(int32_t aIndex) {
    if (FItemIndex >= aIndex) {
        ++FItemIndex;
    }
    ItemsChanged();
}

void TCustomListBox::ItemDeleted(int32_t aIndex) {
    if (FItemIndex == aIndex) {
        FItemIndex = -1;
    } else if (FItemIndex > aIndex) {
        --FItemIndex;
    }
    ItemsChanged();
}

void TCustomListBox::UpdateScrollBar() {
    if (!HandleAllocated()) {
        return;
    }
    int32_t rows = VisibleRows();
    Native()->SetVScrollBar(Count() > rows, MaxTopIndex(), rows, FTopIndex);
}

void TCustomListBox::Dispatch(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case CN_DRAWITEM:
        CNDrawItem(aMessage);
        break;
    case WM_VSCROLL:
        WMVScroll(aMessage);
        break;
    case WM_MOUSEWHEEL:
        WMMouseWheel(aMessage);
        break;
    case WM_SIZE:
        WMSize(aMessage);
        break;
    default:
        TWinControl::Dispatch(aMessage);
        break;
    }
}

void TCustomListBox::DefaultHandler(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case WM_LBUTTONDOWN:
        ListButtonDown(aMessage, false);
        break;
    case WM_LBUTTONDBLCLK:
        ListButtonDown(aMessage, true);
        break;
    case WM_MOUSEMOVE:
        ListMouseMove(aMessage);
        break;
    case WM_LBUTTONUP:
        FTracking = false;
        break;
    case WM_KEYDOWN:
        if (!ListKeyDown(aMessage)) {
            TWinControl::DefaultHandler(aMessage);
        }
        break;
    case WM_PAINT:
        ListPaint();
        break;
    default:
        TWinControl::DefaultHandler(aMessage);
        break;
    }
}

void TCustomListBox::ListButtonDown(TMessage& aMessage, bool aDouble) {
    if (!Focused()) {
        SetFocus();
    }
    int32_t index = ItemAtPos(TPoint{LParamX(aMessage.LParam), LParamY(aMessage.LParam)}, true);
    FTracking = true;
    if (index >= 0) {
        SelectByUser(index);
    }
    if (aDouble) {
        DblClick();
    }
}

void TCustomListBox::ListMouseMove(TMessage& aMessage) {
    if (!FTracking) {
        return;
    }
    if ((aMessage.WParam & MK_LBUTTON) == 0) {
        FTracking = false;
        return;
    }
    if (Count() == 0) {
        return;
    }
    int32_t y = LParamY(aMessage.LParam);
    int32_t index;
    if (y < 0) {
        index = FTopIndex - 1;
    } else if (y >= ClientHeight()) {
        index = FTopIndex + VisibleRows();
    } else {
        index = FTopIndex + y / ItemHeight();
    }
    SelectByUser(std::clamp(index, 0, Count() - 1));
}

bool TCustomListBox::ListKeyDown(TMessage& aMessage) {
    int32_t current = FItemIndex;
    int32_t page = std::max(1, VisibleRows() - 1);
    int32_t target;
    switch (aMessage.WParam) {
    case VK_UP:
        target = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        target = current < 0 ? 0 : current + 1;
        break;
    case VK_PRIOR:
        target = current < 0 ? 0 : current - page;
        break;
    case VK_NEXT:
        target = current < 0 ? 0 : current + page;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = Count() - 1;
        break;
    default:
        return false;
    }
    if (Count() > 0) {
        SelectByUser(std::clamp(target, 0, Count() - 1));
    }
    return true;
}

void TCustomListBox::PaintItem(HDC aDC, int32_t aIndex, const TRect& aRect) {
    TDrawItemStruct item;
    item.itemID = aIndex;
    item.hwndItem = WindowHandle();
    item.hDC = aDC;
    item.rcItem = aRect;
    if (aIndex >= 0 && aIndex == FItemIndex) {
        item.itemState |= ODS_SELECTED;
    }
    if (Focused() && (aIndex == FItemIndex || (aIndex < 0 && Count() == 0))) {
        item.itemState |= ODS_FOCUS;
    }
    Perform(CN_DRAWITEM, 0, reinterpret_cast<intptr_t>(&item));
}

void TCustomListBox::ListPaint() {
    TPaintStruct paint;
    HDC dc = BeginPaint(Handle(), paint);
    try {
        TRect update = paint.rcPaint;
        int32_t height = ItemHeight();
        if (Count() == 0) {
            if (update.Top < height && FStyle != lbStandard) {
                PaintItem(dc, -1, ItemRect(0));
                update.Top = std::max(update.Top, height);
            }
        } else if (update.Bottom > update.Top) {
            int32_t first = FTopIndex + update.Top / height;
            int32_t last = std::min(Count() - 1, FTopIndex + (update.Bottom - 1) / height);
            for (int32_t i = first; i <= last; ++i) {
                PaintItem(dc, i, ItemRect(i));
            }
            if (last >= first) {
                update.Top = std::max(update.Top, ItemRect(last).Bottom);
            }
        }
        if (update.Bottom > update.Top) {
            HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
            FillRect(dc, update, brush);
            DeleteObject(brush);
        }
    } catch (...) {
        EndPaint(Handle(), paint);
        throw;
    }
    EndPaint(Handle(), paint);
}

void TCustomListBox::CNDrawItem(TMessage& aMessage) {
    TDrawItemStruct& item = *DrawItemStructOf(aMessage);
    TOwnerDrawState state = DrawItemState(item);
    FCanvas->FreeHandle();
    FCanvas->SetHandle(item.hDC);
    try {
        FCanvas->SetFont(*Font());
        FCanvas->SetBrush(*Brush());
        if (item.itemID >= 0 && state.Contains(odSelected)) {
            FCanvas->Brush().SetColor(clHighlight);
            FCanvas->Font().SetColor(clHighlightText);
        }
        if (item.itemID >= 0) {
            DrawItem(item.itemID, item.rcItem, state);
        } else {
            FCanvas->FillRect(item.rcItem);
        }
        if (state.Contains(odFocused)) {
            DrawFocusRect(FCanvas->Handle(), item.rcItem);
        }
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
    aMessage.Result = 1;
}

void TCustomListBox::DrawItem(int32_t aIndex, const TRect& aRect, TOwnerDrawState aState) {
    if (FStyle != lbStandard && OnDrawItem) {
        OnDrawItem(this, aIndex, aRect, aState);
        return;
    }
    FCanvas->FillRect(aRect);
    if (aIndex < Count()) {
        FCanvas->TextOut(aRect.Left + 2, aRect.Top, FEntries[static_cast<size_t>(aIndex)].Text);
    }
}

void TCustomListBox::WMVScroll(TMessage& aMessage) {
    switch (LoWord(aMessage.WParam)) {
    case SB_LINEUP:
        SetTopIndex(FTopIndex - 1);
        break;
    case SB_LINEDOWN:
        SetTopIndex(FTopIndex + 1);
        break;
    case SB_PAGEUP:
        SetTopIndex(FTopIndex - VisibleRows());
        break;
    case SB_PAGEDOWN:
        SetTopIndex(FTopIndex + VisibleRows());
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetTopIndex(HiWord(aMessage.WParam));
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(MaxTopIndex());
        break;
    default:
        break;
    }
}

void TCustomListBox::WMMouseWheel(TMessage& aMessage) {
    constexpr int32_t kDeltaPerRow = 120 / 3;
    int32_t delta = static_cast<int16_t>(HiWord(aMessage.WParam));
    if ((delta < 0) != (FWheelDelta < 0)) {
        FWheelDelta = 0; // the wheel turned back: what was left over goes
    }
    FWheelDelta += delta;
    int32_t rows = FWheelDelta / kDeltaPerRow;
    FWheelDelta -= rows * kDeltaPerRow;
    if (rows != 0) {
        SetTopIndex(FTopIndex - rows);
    }
}

void TCustomListBox::WMSize(TMessage& aMessage) {
    TWinControl::Dispatch(aMessage);
    StoreTopIndex(FTopIndex);
    UpdateScrollBar();
}

} // namespace fw
