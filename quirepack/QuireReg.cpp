// SPDX-License-Identifier: MIT
#include "quirepack/QuireReg.h"

#include "quire/box/Quire.h"

#include "platform/packages/Palette.h"

namespace quire {

void Register() {
    fw::RegisterComponents("Data Controls", {TQuire::StaticClass()});
}

} // namespace quire
