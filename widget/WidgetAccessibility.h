// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader hears of a box: the box's window is a list whose children are
// the rows (each row's name is its accessible name, its value the accessible value,
// the selected row is selected and, while the box has the keyboard, focused), then
// the in-place edit field, whose accessible name is the name of the row it edits.

class QAccessibleEvent;

namespace quire {

class TQuire;

// Where the announcements go: QAccessible::updateAccessibility, which passes them to
// the platform's assistive technology while one listens. Tests put a recorder here,
// since the offscreen platform has none.
using TAccessibleEventSink = void (*)(QAccessibleEvent* aEvent);
void SetAccessibleEventSink(TAccessibleEventSink aSink);

// Installs the accessibility factory for boxes' windows (once per process).
void InstallBoxAccessibility();
// Tells assistive technology that the selected row of aBox is now the current one;
// also names the edit field after it.
void NotifyRowSelected(TQuire& aBox);
// Tells assistive technology that the value of row aItem changed.
void NotifyRowValueChanged(TQuire& aBox, int aItem);

} // namespace quire
