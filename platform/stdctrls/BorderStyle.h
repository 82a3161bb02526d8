// SPDX-License-Identifier: MIT
#pragma once
// Border styles. Forms take all of them; list boxes, edits and memos take bsNone
// and bsSingle (their TBorderStyle).

namespace fw {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
using TBorderStyle = TFormBorderStyle;

} // namespace fw
