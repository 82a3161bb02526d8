// SPDX-License-Identifier: MIT
#pragma once
// Types shared by the editor framework: the attribute set, the editor class
// reference and the editing layer's exception.

#include "platform/rtl/EnumSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Object.h"

namespace quire {

// What a row does with each attribute:
//   peaLookupValues  the row offers a drop-down list of GetPropLookupValues
//   peaDialog        the row offers the editor's Edit dialog
//   peaMultiSelect   carried only (every standard editor has it)
//   peaAutoUpdate    carried only
//   peaReadOnly      the row's text cannot be typed into
//   peaPaint         the editor paints values itself (pick-list items, read-only rows)
enum class TPropEditorAttribute {
    peaLookupValues,
    peaDialog,
    peaMultiSelect,
    peaAutoUpdate,
    peaReadOnly,
    peaPaint
};
using enum TPropEditorAttribute;

// One byte; member n is bit n.
using TPropEditorAttributes = fw::TEnumSet<TPropEditorAttribute, uint8_t>;

// A class reference to TPropEditor or a descendant.
using TPropEditorClass = fw::TClass;

// Raised by the editor layer (GetObject).
FW_EXCEPTION_CLASS(EPropEditor, fw::Exception);

} // namespace quire
