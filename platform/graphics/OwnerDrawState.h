// SPDX-License-Identifier: MIT
#pragma once
// TOwnerDrawState: the state of an item that its owner draws (selected, focused,
// ...). Member n is bit n of the platform's item-state flags (ODS_SELECTED = 1,
// ODS_GRAYED = 2, ... ODS_COMBOBOXEDIT = 0x1000), so FromBits converts them.

#include "platform/rtl/EnumSet.h"

namespace fw {

enum class TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using enum TOwnerDrawStateItem;

using TOwnerDrawState = TEnumSet<TOwnerDrawStateItem, uint16_t>;

} // namespace fw
