// SPDX-License-Identifier: MIT
#pragma once
// TBitmap: an off-screen image with its own canvas. A new bitmap is empty (0 x 0).
// Resizing keeps the pixels of the part that stays and fills new area with white;
// the canvas keeps working across resizes. SaveToFile writes PNG and raises
// EInvalidGraphicOperation, naming the file, when it cannot.
// Sizes count logical pixels; the image behind them is made at the screens' device
// pixel ratio (2 x 2 device pixels a pixel at a ratio of 2), which SaveToFile writes.

#include "platform/graphics/Canvas.h"

#include <memory>

namespace fw {

struct TBitmapImage;
struct TBitmapAccess;
class TBitmapCanvas;

class TBitmap : public TObject {
    FW_CLASS(TBitmap, TObject)
public:
    TBitmap();
    ~TBitmap() override;

    int32_t Width() const;
    int32_t Height() const;
    void SetWidth(int32_t aWidth) { SetSize(aWidth, Height()); }
    void SetHeight(int32_t aHeight) { SetSize(Width(), aHeight); }
    // Negative sizes count as 0.
    void SetSize(int32_t aWidth, int32_t aHeight);
    bool Empty() const { return Width() == 0 || Height() == 0; }

    TCanvas& Canvas();
    void SaveToFile(const String& aFileName) const;

private:
    friend struct TBitmapAccess;
    std::unique_ptr<TBitmapImage> FImage;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

} // namespace fw
