// SPDX-License-Identifier: MIT
#include "platform/packages/ResourceImages.h"

#include "platform/graphics/Color.h"
#include "platform/packages/PackageErrors.h"

#include <cstdlib>

namespace fw {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr int32_t MaxSide = 16384;
constexpr size_t IconDirSize = 6;
constexpr size_t IconEntrySize = 16;

[[noreturn]] void Malformed(const String& aResource, const String& aWhat) {
    throw EResourceError("Resource " + aResource + ": " + aWhat);
}

// Little-endian reads, checked against the data's end.
class TReader {
public:
    TReader(TResourceBytes aData, const String& aResource) : FData(aData), FResource(aResource) {}

    uint32_t U32(size_t aOffset) const {
        Need(aOffset, 4);
        return static_cast<uint32_t>(FData[aOffset]) |
               (static_cast<uint32_t>(FData[aOffset + 1]) << 8) |
               (static_cast<uint32_t>(FData[aOffset + 2]) << 16) |
               (static_cast<uint32_t>(FData[aOffset + 3]) << 24);
    }
    int32_t I32(size_t aOffset) const { return static_cast<int32_t>(U32(aOffset)); }
    uint16_t U16(size_t aOffset) const {
        Need(aOffset, 2);
        return static_cast<uint16_t>(FData[aOffset] | (FData[aOffset + 1] << 8));
    }
    uint8_t U8(size_t aOffset) const {
        Need(aOffset, 1);
        return FData[aOffset];
    }
    void Need(size_t aOffset, size_t aCount) const {
        if (aOffset > FData.size() || aCount > FData.size() - aOffset)
            Malformed(FResource, "the data ends early (" + std::to_string(FData.size()) +
                                     " bytes, " + std::to_string(aOffset + aCount) + " needed)");
    }
    size_t Size() const { return FData.size(); }

private:
    TResourceBytes FData;
    const String& FResource;
};

// A device-independent bitmap located in resource data.
struct TDib {
    TBitmapInfo Info;
    bool TopDown = false;
    std::vector<TColor> Colors;
    size_t Bits = 0; // offset of the pixel rows
    size_t RowBytes = 0;
};

size_t RowBytesOf(int32_t aWidth, uint16_t aBitCount) {
    return ((static_cast<size_t>(aWidth) * aBitCount + 31) / 32) * 4;
}

// Reads the info header at aHeader; aBitsOffset is where the pixel rows start (0:
// right after the colour table). An icon's image has twice its height in the header
// and its mask after the pixel rows.
TDib ReadDib(const TReader& aReader, const String& aResource, size_t aHeader, size_t aBitsOffset,
             bool aIcon) {
    TDib dib;
    const uint32_t headerSize = aReader.U32(aHeader);
    if (headerSize < InfoHeaderSize)
        Malformed(aResource,
                  "unsupported bitmap header of " + std::to_string(headerSize) + " bytes");
    const int32_t height = aReader.I32(aHeader + 8);
    dib.Info.Width = aReader.I32(aHeader + 4);
    dib.TopDown = height < 0 && !aIcon;
    const int64_t rows = std::llabs(static_cast<int64_t>(height));
    dib.Info.Height = static_cast<int32_t>(aIcon ? rows / 2 : rows);
    dib.Info.BitCount = aReader.U16(aHeader + 14);
    dib.Info.Compression = aReader.U32(aHeader + 16);
    if (aReader.U16(aHeader + 12) != 1)
        Malformed(aResource, "a bitmap has one plane");
    if (dib.Info.Width <= 0 || dib.Info.Width > MaxSide || dib.Info.Height <= 0 ||
        dib.Info.Height > MaxSide)
        Malformed(aResource, "bitmap size " + std::to_string(dib.Info.Width) + " x " +
                                 std::to_string(height) + " is out of range");
    const uint16_t bits = dib.Info.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        Malformed(aResource, std::to_string(bits) + " bits per pixel are not supported");
    if (dib.Info.Compression != 0)
        Malformed(aResource, "compressed bitmaps (method " + std::to_string(dib.Info.Compression) +
                                 ") are not supported");
    if (bits <= 8) {
        const uint32_t used = aReader.U32(aHeader + 32);
        const uint32_t full = 1u << bits;
        if (used > full)
            Malformed(aResource, std::to_string(used) + " colours for " + std::to_string(bits) +
                                     " bits per pixel");
        dib.Info.ColorCount = static_cast<int32_t>(used == 0 ? full : used);
    }
    const size_t table = aHeader + headerSize;
    for (int32_t i = 0; i < dib.Info.ColorCount; ++i) {
        const size_t entry = table + static_cast<size_t>(i) * 4;
        dib.Colors.push_back(RGB(aReader.U8(entry + 2), aReader.U8(entry + 1), aReader.U8(entry)));
    }
    dib.Bits = aBitsOffset != 0 ? aBitsOffset : table + dib.Colors.size() * 4;
    dib.RowBytes = RowBytesOf(dib.Info.Width, bits);
    const size_t maskBytes = aIcon ? RowBytesOf(dib.Info.Width, 1) * dib.Info.Height : 0;
    aReader.Need(dib.Bits, dib.RowBytes * dib.Info.Height + maskBytes);
    return dib;
}

size_t RowOffset(const TDib& aDib, size_t aRowBytes, size_t aStart, int32_t aY) {
    const int32_t row = aDib.TopDown ? aY : aDib.Info.Height - 1 - aY;
    return aStart + static_cast<size_t>(row) * aRowBytes;
}

TColor PixelOf(const TReader& aReader, const String& aResource, const TDib& aDib, int32_t aX,
               int32_t aY) {
    const size_t row = RowOffset(aDib, aDib.RowBytes, aDib.Bits, aY);
    const size_t x = static_cast<size_t>(aX);
    switch (aDib.Info.BitCount) {
    case 24:
    case 32: {
        const size_t at = row + x * (aDib.Info.BitCount / 8);
        return RGB(aReader.U8(at + 2), aReader.U8(at + 1), aReader.U8(at));
    }
    default: {
        const uint16_t bits = aDib.Info.BitCount;
        const size_t bitPos = x * bits;
        const uint8_t byte = aReader.U8(row + bitPos / 8);
        const int shift = 8 - bits - static_cast<int>(bitPos % 8);
        const size_t index = (byte >> shift) & ((1u << bits) - 1);
        if (index >= aDib.Colors.size())
            Malformed(aResource, "pixel " + std::to_string(aX) + "," + std::to_string(aY) +
                                     " uses colour " + std::to_string(index) + " of " +
                                     std::to_string(aDib.Colors.size()));
        return aDib.Colors[index];
    }
    }
}

bool MaskedOut(const TReader& aReader, const TDib& aDib, int32_t aX, int32_t aY) {
    const size_t maskStart = aDib.Bits + aDib.RowBytes * aDib.Info.Height;
    const size_t row = RowOffset(aDib, RowBytesOf(aDib.Info.Width, 1), maskStart, aY);
    const uint8_t byte = aReader.U8(row + static_cast<size_t>(aX) / 8);
    return ((byte >> (7 - aX % 8)) & 1) != 0;
}

void Draw(const TReader& aReader, const String& aResource, const TDib& aDib, bool aIcon,
          TColor aBackground, TBitmap& aBitmap) {
    aBitmap.SetSize(aDib.Info.Width, aDib.Info.Height);
    TCanvas& canvas = aBitmap.Canvas();
    const TColor background = ColorToRGB(aBackground);
    for (int32_t y = 0; y < aDib.Info.Height; ++y)
        for (int32_t x = 0; x < aDib.Info.Width; ++x) {
            const bool transparent = aIcon && MaskedOut(aReader, aDib, x, y);
            canvas.SetPixel(x, y,
                            transparent ? background : PixelOf(aReader, aResource, aDib, x, y));
        }
}

TDib LocateBitmap(const TReader& aReader, TResourceBytes aData, const String& aResource) {
    if (aData.size() >= 2 && aData[0] == 'B' && aData[1] == 'M') {
        const uint32_t bitsOffset = aReader.U32(10);
        if (bitsOffset < FileHeaderSize + InfoHeaderSize)
            Malformed(aResource, "the pixel data offset " + std::to_string(bitsOffset) +
                                     " lies inside the headers");
        return ReadDib(aReader, aResource, FileHeaderSize, bitsOffset, false);
    }
    return ReadDib(aReader, aResource, 0, 0, false);
}

struct TIconEntry {
    TIconImageInfo Info;
    size_t Offset;
    size_t Size;
};

std::vector<TIconEntry> IconEntries(const TReader& aReader, const String& aResource) {
    if (aReader.U16(0) != 0 || aReader.U16(2) != 1)
        Malformed(aResource, "not an icon directory");
    const uint16_t count = aReader.U16(4);
    if (count == 0)
        Malformed(aResource, "the icon has no images");
    std::vector<TIconEntry> entries;
    for (uint16_t i = 0; i < count; ++i) {
        const size_t at = IconDirSize + static_cast<size_t>(i) * IconEntrySize;
        TIconEntry entry;
        entry.Info.Width = aReader.U8(at) == 0 ? 256 : aReader.U8(at);
        entry.Info.Height = aReader.U8(at + 1) == 0 ? 256 : aReader.U8(at + 1);
        entry.Info.BitCount = aReader.U16(at + 6);
        entry.Size = aReader.U32(at + 8);
        entry.Offset = aReader.U32(at + 12);
        aReader.Need(entry.Offset, entry.Size);
        entries.push_back(entry);
    }
    return entries;
}

} // namespace

TBitmapInfo ParseBitmapInfo(TResourceBytes aData, const String& aResourceName) {
    const TReader reader(aData, aResourceName);
    return LocateBitmap(reader, aData, aResourceName).Info;
}

void DecodeBitmap(TResourceBytes aData, const String& aResourceName, TBitmap& aBitmap) {
    const TReader reader(aData, aResourceName);
    const TDib dib = LocateBitmap(reader, aData, aResourceName);
    Draw(reader, aResourceName, dib, false, 0, aBitmap);
}

TBitmapInfo ReadBitmapInfo(const TResourceTable& aTable, const String& aName) {
    return ParseBitmapInfo(FindResource(aTable, rtBitmap, aName), aName);
}

void LoadBitmapResource(const TResourceTable& aTable, const String& aName, TBitmap& aBitmap) {
    DecodeBitmap(FindResource(aTable, rtBitmap, aName), aName, aBitmap);
}

std::vector<TIconImageInfo> ParseIconInfo(TResourceBytes aData, const String& aResourceName) {
    const TReader reader(aData, aResourceName);
    std::vector<TIconImageInfo> result;
    for (const TIconEntry& entry : IconEntries(reader, aResourceName)) {
        const TDib dib = ReadDib(reader, aResourceName, entry.Offset, 0, true);
        if (dib.Info.Width != entry.Info.Width || dib.Info.Height != entry.Info.Height)
            Malformed(aResourceName, "an icon image of " + std::to_string(dib.Info.Width) + " x " +
                                         std::to_string(dib.Info.Height) + " is listed as " +
                                         std::to_string(entry.Info.Width) + " x " +
                                         std::to_string(entry.Info.Height));
        result.push_back({dib.Info.Width, dib.Info.Height, dib.Info.BitCount});
    }
    return result;
}

std::vector<TIconImageInfo> ReadIconInfo(const TResourceTable& aTable, const String& aName) {
    return ParseIconInfo(FindResource(aTable, rtIcon, aName), aName);
}

void DecodeIcon(TResourceBytes aData, const String& aResourceName, int32_t aSize,
                TColor aBackground, TBitmap& aBitmap) {
    const TReader reader(aData, aResourceName);
    const std::vector<TIconEntry> entries = IconEntries(reader, aResourceName);
    const TIconEntry* best = &entries.front();
    for (const TIconEntry& entry : entries) {
        const int32_t distance = std::abs(entry.Info.Width - aSize);
        const int32_t bestDistance = std::abs(best->Info.Width - aSize);
        if (distance < bestDistance ||
            (distance == bestDistance && entry.Info.Width > best->Info.Width))
            best = &entry;
    }
    const TDib dib = ReadDib(reader, aResourceName, best->Offset, 0, true);
    Draw(reader, aResourceName, dib, true, aBackground, aBitmap);
}

void LoadIconResource(const TResourceTable& aTable, const String& aName, int32_t aSize,
                      TColor aBackground, TBitmap& aBitmap) {
    DecodeIcon(FindResource(aTable, rtIcon, aName), aName, aSize, aBackground, aBitmap);
}

} // namespace fw
