// SPDX-License-Identifier: MIT
#pragma once
// TPanel: a container with a bevelled edge and a centred caption. The bevels are
// drawn inside the bounds and shrink the area in which aligned children are placed.

#include "platform/controls/CustomControl.h"

namespace fw {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;

class TPanel : public TCustomControl {
    FW_CLASS(TPanel, TCustomControl)
public:
    explicit TPanel(TComponent* aOwner = nullptr);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut aBevel);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut aBevel);
    int32_t BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int32_t aWidth);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& aRect) override;
    void TextChanged() override;

private:
    void BevelChanged();

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int32_t FBevelWidth = 1;
};

} // namespace fw
