// SPDX-License-Identifier: MIT
#pragma once
// TScreen: the primary screen and its work area (the area not taken by task bars;
// tests may replace it with SetWorkAreaOverride).

#include "platform/controls/Component.h"

namespace fw {

class TScreen : public TComponent {
    FW_CLASS(TScreen, TComponent)
public:
    TScreen() = default;

    int32_t Width() const;
    int32_t Height() const;
    TRect WorkAreaRect() const;
    int32_t WorkAreaLeft() const { return WorkAreaRect().Left; }
    int32_t WorkAreaTop() const { return WorkAreaRect().Top; }
    int32_t WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int32_t WorkAreaHeight() const { return WorkAreaRect().Height(); }
};

// The screen object; it exists for the whole run of the program.
extern TScreen* const Screen;

} // namespace fw
