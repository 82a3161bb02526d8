// SPDX-License-Identifier: MIT
#pragma once
// Key codes, characters, buttons and cursor shapes between Qt and the framework
// (internal to the framework layer).

#include "platform/controls/NativeWindow.h"

#include <QCursor>
#include <QKeyEvent>

#include <cstdint>

namespace fw::qt {

// The virtual key of a Qt key; 0 for keys without one.
uint16_t VirtualKeyFromQt(int aQtKey);
// The Qt key of a virtual key; 0 for none.
int QtKeyFromVirtualKey(uint16_t aVirtualKey);
// The character a key press gives as WM_CHAR (Enter 13, Ctrl+Enter 10, Ctrl+letter
// 1..26, Escape 27, Backspace 8, Tab 9, otherwise the typed text); 0 for none.
// With Alt held only a character the key does not give by itself counts (AltGr,
// Option): Alt+letter is a shortcut and gives none.
char32_t CharFromKeyEvent(const QKeyEvent& aEvent);
// Records Shift, Ctrl and Alt as the key state has them.
void SyncModifierKeys(Qt::KeyboardModifiers aModifiers);
void SyncMouseButtons(Qt::MouseButtons aButtons);
// The modifiers the key state holds now.
Qt::KeyboardModifiers CurrentModifiers();
uint32_t MouseKeys(Qt::MouseButtons aButtons, Qt::KeyboardModifiers aModifiers);
Qt::MouseButtons MouseButtonsFromKeys(uint32_t aKeys);
Qt::CursorShape QtCursorShape(TCursor aCursor);

} // namespace fw::qt
