// SPDX-License-Identifier: MIT
#include "platform/graphics/GdiObjects.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/internal/DeviceContext.h"
#include "platform/graphics/internal/FontEngine.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

namespace fw {

namespace {

struct TObjectEntry {
    std::unique_ptr<TGdiObject> Object;
    bool Stock = false;
    int32_t SelectCount = 0;
};

// Every live drawing object, stock objects included, with the number of contexts
// it is selected into.
std::unordered_map<HGDIOBJ, TObjectEntry>& Objects() {
    static std::unordered_map<HGDIOBJ, TObjectEntry> objects;
    return objects;
}

template <class T> T* Register(std::unique_ptr<T> aObject, bool aStock) {
    T* handle = aObject.get();
    Objects().emplace(handle, TObjectEntry{std::move(aObject), aStock, 0});
    return handle;
}

TObjectEntry& CheckObject(HGDIOBJ aObject, const char* aCall) {
    auto& objects = Objects();
    auto found = objects.find(aObject);
    if (found == objects.end())
        throw EInvalidGraphicOperation(
            Format("%s: invalid drawing object %p", {aCall, reinterpret_cast<intptr_t>(aObject)}));
    return found->second;
}

// The default GUI font: the same face and size as a new TFont.
TLogFont DefaultLogFont() {
    TLogFont logFont;
    logFont.Height = -11;
    logFont.FaceName = "DejaVu Sans";
    return logFont;
}

HGDIOBJ MakeStockObject(int32_t aIndex) {
    switch (aIndex) {
    case WHITE_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, clWhite}), true);
    case LTGRAY_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, RGB(192, 192, 192)}), true);
    case GRAY_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, RGB(128, 128, 128)}), true);
    case DKGRAY_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, RGB(64, 64, 64)}), true);
    case BLACK_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, clBlack}), true);
    case NULL_BRUSH:
        return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_NULL, clBlack}), true);
    case WHITE_PEN:
        return Register(std::make_unique<TGdiPen>(TLogPen{PS_SOLID, 1, clWhite}), true);
    case BLACK_PEN:
        return Register(std::make_unique<TGdiPen>(TLogPen{PS_SOLID, 1, clBlack}), true);
    case NULL_PEN:
        return Register(std::make_unique<TGdiPen>(TLogPen{PS_NULL, 1, clBlack}), true);
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        return Register(std::make_unique<TGdiFont>(DefaultLogFont()), true);
    default:
        return nullptr;
    }
}

} // namespace

TGdiObject::~TGdiObject() = default;

TGdiFont::TGdiFont(const TLogFont& aLogFont) : LogFont(aLogFont) {}
TGdiFont::~TGdiFont() = default;

const TResolvedFont& TGdiFont::Resolved() const {
    if (!FResolved)
        FResolved = ResolveFont(LogFont);
    return *FResolved;
}

HGDIOBJ GetStockObject(int32_t aIndex) {
    static std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> stock{};
    if (aIndex < 0 || aIndex > DEFAULT_GUI_FONT)
        throw EInvalidGraphicOperation(Format("GetStockObject: no stock object %d", {aIndex}));
    HGDIOBJ& slot = stock[static_cast<size_t>(aIndex)];
    if (slot == nullptr)
        slot = MakeStockObject(aIndex);
    if (slot == nullptr)
        throw EInvalidGraphicOperation(Format("GetStockObject: no stock object %d", {aIndex}));
    return slot;
}

HPEN CreatePen(int32_t aStyle, int32_t aWidth, COLORREF aColor) {
    if (aStyle < PS_SOLID || aStyle > PS_INSIDEFRAME)
        throw EInvalidGraphicOperation(Format("CreatePen: unknown pen style %d", {aStyle}));
    return Register(
        std::make_unique<TGdiPen>(TLogPen{aStyle, std::max(aWidth, 1), ColorToRGB(aColor)}), false);
}

HBRUSH CreateSolidBrush(COLORREF aColor) {
    return Register(std::make_unique<TGdiBrush>(TLogBrush{BS_SOLID, ColorToRGB(aColor)}), false);
}

HFONT CreateFontIndirect(const TLogFont& aLogFont) {
    return Register(std::make_unique<TGdiFont>(aLogFont), false);
}

void NoteSelected(HGDIOBJ aObject) {
    ++CheckObject(aObject, "SelectObject").SelectCount;
}

void NoteDeselected(HGDIOBJ aObject) {
    --CheckObject(aObject, "SelectObject").SelectCount;
}

void SelectDefaultObjects(TDeviceContext& aContext) {
    aContext.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    aContext.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    aContext.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    NoteSelected(aContext.Pen);
    NoteSelected(aContext.Brush);
    NoteSelected(aContext.Font);
}

void DeselectAll(TDeviceContext& aContext) {
    NoteDeselected(aContext.Pen);
    NoteDeselected(aContext.Brush);
    NoteDeselected(aContext.Font);
    aContext.Pen = nullptr;
    aContext.Brush = nullptr;
    aContext.Font = nullptr;
}

HGDIOBJ SelectObject(HDC aDC, HGDIOBJ aObject) {
    TDeviceContext& context = CheckDC(aDC, "SelectObject");
    CheckObject(aObject, "SelectObject");
    auto swap = [aObject](auto& aSlot) -> HGDIOBJ {
        using Handle = std::remove_reference_t<decltype(aSlot)>;
        HGDIOBJ previous = aSlot;
        NoteSelected(aObject);
        aSlot = static_cast<Handle>(aObject);
        NoteDeselected(previous);
        return previous;
    };
    if (dynamic_cast<HPEN>(aObject) != nullptr)
        return swap(context.Pen);
    if (dynamic_cast<HBRUSH>(aObject) != nullptr)
        return swap(context.Brush);
    return swap(context.Font);
}

bool DeleteObject(HGDIOBJ aObject) {
    auto& objects = Objects();
    auto found = objects.find(aObject);
    if (found == objects.end() || found->second.SelectCount > 0)
        return false;
    if (!found->second.Stock)
        objects.erase(found);
    return true;
}

HPEN GetCurrentPen(HDC aDC) {
    return CheckDC(aDC, "GetCurrentObject").Pen;
}
HBRUSH GetCurrentBrush(HDC aDC) {
    return CheckDC(aDC, "GetCurrentObject").Brush;
}
HFONT GetCurrentFont(HDC aDC) {
    return CheckDC(aDC, "GetCurrentObject").Font;
}

} // namespace fw
