// SPDX-License-Identifier: MIT
#include "platform/controls/Screen.h"

#include "platform/controls/Backend.h"
#include "platform/controls/SystemState.h"

namespace fw {

FW_IMPLEMENT_CLASS(TScreen)

TScreen* const Screen = new TScreen();

int32_t TScreen::Width() const {
    backend::EnsureApplication();
    return backend::PrimaryScreenRect().Width();
}

int32_t TScreen::Height() const {
    backend::EnsureApplication();
    return backend::PrimaryScreenRect().Height();
}

TRect TScreen::WorkAreaRect() const {
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace fw
