// SPDX-License-Identifier: MIT
#pragma once
// The owner-draw request: a list box that draws its items through its owner sends
// CN_DRAWITEM with LParam pointing to a TDrawItemStruct for each item it paints.
// itemID is the item's index, or -1 when an empty list is drawn; the low byte of
// itemState holds the TOwnerDrawState bits (ODS_SELECTED = 1, ODS_FOCUS = 0x10).

#include "platform/controls/NativeWindow.h"
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/OwnerDrawState.h"

#include <cstdint>

namespace fw {

constexpr uint32_t ODT_LISTBOX = 2;
constexpr uint32_t ODA_DRAWENTIRE = 1;
constexpr uint32_t ODA_SELECT = 2;
constexpr uint32_t ODA_FOCUS = 4;
constexpr uint32_t ODS_SELECTED = 0x0001;
constexpr uint32_t ODS_FOCUS = 0x0010;

struct TDrawItemStruct {
    uint32_t CtlType = ODT_LISTBOX;
    uint32_t CtlID = 0;
    int32_t itemID = -1;
    uint32_t itemAction = ODA_DRAWENTIRE;
    uint32_t itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    TRect rcItem;
    uintptr_t itemData = 0;
};

inline TDrawItemStruct* DrawItemStructOf(const TMessage& aMessage) {
    return reinterpret_cast<TDrawItemStruct*>(aMessage.LParam);
}

inline TOwnerDrawState DrawItemState(const TDrawItemStruct& aItem) {
    return TOwnerDrawState::FromBits(static_cast<uint16_t>(aItem.itemState & 0xFF));
}

} // namespace fw
