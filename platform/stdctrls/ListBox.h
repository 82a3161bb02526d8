// SPDX-License-Identifier: MIT
#pragma once
// TCustomListBox / TListBox: a list of strings with objects, drawn by the control
// itself (standard style) or by its owner (lbOwnerDrawFixed: CN_DRAWITEM per item,
// which runs DrawItem, i.e. OnDrawItem).
//
// The items live in the control (Items, a TStrings), with or without a window.
// The list's own handling (what DefaultHandler does for it, as a native list box
// would): a left press selects the item under the pointer, takes the focus and
// starts tracking, so that moves with the button held select the item under the
// pointer; a double click also raises DblClick; Up, Down, Page Up, Page Down, Home
// and End move the selection; WM_PAINT paints the items that meet the update
// rectangle and fills the rest with Color. Every selection change by mouse or keys
// raises Click; setting ItemIndex from code does not. With csCaptureMouse (not set
// by default) a press also captures the mouse.
//
// The wheel scrolls three rows a notch (120); finer steps (touchpads, high-resolution
// wheels) add up until they make a row.
//
// The vertical scroll bar appears when the items do not fit. BorderStyle bsSingle
// draws a sunken two-pixel edge with Ctl3D, a flat one-pixel line without it.

#include "platform/controls/ControlCanvas.h"
#include "platform/controls/WinControl.h"
#include "platform/graphics/OwnerDrawState.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/BorderStyle.h"
#include "platform/stdctrls/DrawItem.h"

#include <functional>
#include <memory>
#include <vector>

namespace fw {

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using enum TListBoxStyle;

using TDrawItemEvent = std::function<void(TWinControl* Control, int32_t Index, const TRect& Rect,
                                          TOwnerDrawState State)>;

class TCustomListBox;

// The items of a list box. IndexOf is the list's exact-string search: the whole
// text, letter case ignored.
class TListBoxStrings : public TStrings {
    FW_CLASS(TListBoxStrings, TStrings)
public:
    explicit TListBoxStrings(TCustomListBox* aListBox = nullptr) : FListBox(aListBox) {}

    int32_t Count() const override;
    String Get(int32_t aIndex) const override;
    void Put(int32_t aIndex, const String& aText) override;
    TStringObject GetObject(int32_t aIndex) const override;
    void PutObject(int32_t aIndex, TStringObject aObject) override;
    void InsertObject(int32_t aIndex, const String& aText, TStringObject aObject) override;
    void Delete(int32_t aIndex) override;
    void Clear() override;
    int32_t IndexOf(const String& aText) const override;

private:
    TCustomListBox* FListBox;
};

class TCustomListBox : public TWinControl {
    FW_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* aOwner = nullptr);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(const TStrings& aItems) { FItems->Assign(aItems); }
    int32_t Count() const { return static_cast<int32_t>(FEntries.size()); }
    void Clear() { FItems->Clear(); }

    // -1 when no item is selected.
    int32_t ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int32_t aIndex);
    int32_t TopIndex() const { return FTopIndex; }
    void SetTopIndex(int32_t aIndex);
    // The item height: ItemHeight as set for owner-drawn styles, the font's cell
    // height for lbStandard.
    int32_t ItemHeight() const;
    void SetItemHeight(int32_t aHeight);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle aStyle);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle aStyle);

    // Client rectangle of item aIndex (for Count, the place after the last item);
    // an empty rectangle for other indexes.
    TRect ItemRect(int32_t aIndex) const;
    // The item at a client point; with aExisting false, Count for a point below the
    // last item; -1 when there is none.
    int32_t ItemAtPos(TPoint aPoint, bool aExisting) const;
    // Whole items that fit in the client area (at least 1).
    int32_t VisibleRows() const;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TDrawItemEvent OnDrawItem;

    void Dispatch(TMessage& aMessage) override;
    void DefaultHandler(TMessage& aMessage) override;

protected:
    void CreateParams(TCreateParams& aParams) override;
    void InitializeWnd() override;
    void FontChanged() override;
    // A resize by code shows or hides the scroll bar as the items now need.
    void BoundsChanged(bool aResized) override;
    // Draws item aIndex on Canvas (prepared with the font, brush and selection
    // colours): OnDrawItem when set, else the item's text.
    virtual void DrawItem(int32_t aIndex, const TRect& aRect, TOwnerDrawState aState);
    // Runs after TopIndex changed, however it changed (keys, wheel, scroll bar, a
    // selection made visible, items removed or a resize): controls laid over items
    // move with them here.
    virtual void TopIndexChanged() {}

    void CNDrawItem(TMessage& aMessage);
    void WMVScroll(TMessage& aMessage);
    void WMMouseWheel(TMessage& aMessage);
    void WMSize(TMessage& aMessage);

    // The list's own handling of messages (see the header comment).
    void ListButtonDown(TMessage& aMessage, bool aDouble);
    void ListMouseMove(TMessage& aMessage);
    // Answers false for keys that are not the list's (they go to the window).
    bool ListKeyDown(TMessage& aMessage);
    void ListPaint();

private:
    struct TEntry {
        String Text;
        TStringObject Object;
    };
    friend class TListBoxStrings;

    void ItemsChanged();
    void ItemInserted(int32_t aIndex);
    void ItemDeleted(int32_t aIndex);
    // Selects aIndex as the user did (Click when it changed).
    void SelectByUser(int32_t aIndex);
    void MakeVisible(int32_t aIndex);
    int32_t MaxTopIndex() const;
    // Clamps aIndex to the scroll range, stores it and runs TopIndexChanged when it
    // moved; answers whether it did.
    bool StoreTopIndex(int32_t aIndex);
    void UpdateScrollBar();
    void PaintItem(HDC aDC, int32_t aIndex, const TRect& aRect);

    std::vector<TEntry> FEntries;
    std::unique_ptr<TListBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    int32_t FItemIndex = -1;
    int32_t FTopIndex = 0;
    // Wheel turn not yet scrolled (less than a row).
    int32_t FWheelDelta = 0;
    int32_t FItemHeight = 16;
    mutable int32_t FStandardHeight = 0;
    TListBoxStyle FStyle = lbStandard;
    TBorderStyle FBorderStyle = bsSingle;
    bool FTracking = false;
};

class TListBox : public TCustomListBox {
    FW_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* aOwner = nullptr) : TCustomListBox(aOwner) {}
};

} // namespace fw
