// SPDX-License-Identifier: MIT
#pragma once
// Simulated input for tests and scripted runs. Every gesture goes through Qt's
// window-system event path (the same path as a person's input), so it reaches the
// framework through the one translation point. Positions are client coordinates of
// the control; its window must be shown.
//
// The platform clock (GetTickCount) moves as the input goes: each event advances it
// by Step milliseconds (10 unless set). Click and DoubleClick start with a pause
// longer than the double-click time, so each is a gesture of its own; Press,
// Release and Move do not, so two presses in a row within the double-click time
// (Press, Release, Press on the same window) make a double click as they would for
// a person. Keys go to the control, which takes the focus first if it has not got
// it; modifier keys are pressed before the key and released after it.

#include "platform/controls/Control.h"

#include <cstdint>

namespace fw {

class TInputSimulator {
public:
    static uint32_t Step();
    static void SetStep(uint32_t aMilliseconds);
    // Advances the clock without input.
    static void Pause(uint32_t aMilliseconds);

    static void Press(TWinControl& aControl, TPoint aPoint, TMouseButton aButton = mbLeft,
                      TShiftState aShift = {});
    static void Release(TWinControl& aControl, TPoint aPoint, TMouseButton aButton = mbLeft,
                        TShiftState aShift = {});
    // Moves the pointer; buttons pressed and not yet released stay held.
    static void Move(TWinControl& aControl, TPoint aPoint, TShiftState aShift = {});
    static void Click(TWinControl& aControl, TPoint aPoint, TMouseButton aButton = mbLeft,
                      TShiftState aShift = {});
    static void DoubleClick(TWinControl& aControl, TPoint aPoint, TMouseButton aButton = mbLeft,
                            TShiftState aShift = {});
    // Press, moves in steps of at most 4 pixels, release.
    static void Drag(TWinControl& aControl, TPoint aFrom, TPoint aTo,
                     TMouseButton aButton = mbLeft);

    // A key (virtual key code) pressed and released with the given shift keys.
    static void Key(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift = {});
    static void KeyDown(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift = {});
    static void KeyUp(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift = {});
    // Types UTF-8 text, one key press per character.
    static void Type(TWinControl& aControl, const String& aText);
    // A key pressed with aShift held that types aText, as AltGr does where the
    // platform reports it as Ctrl+Alt, or Option (Alt) on a Mac keyboard.
    static void TypeWithKey(TWinControl& aControl, uint16_t aVirtualKey, TShiftState aShift,
                            const String& aText);
    // A key held down until it repeats aRepeats times, reported as X11 does: a
    // release and a press, both marked as repeats, for each repeat.
    static void KeyRepeat(TWinControl& aControl, uint16_t aVirtualKey, int aRepeats);
    // Text an input method or a compose sequence commits: the composition is shown
    // first, then the text committed. Like an input method it reaches only a focused
    // control that accepts input methods.
    static void Compose(TWinControl& aControl, const String& aText);
    // A wheel turn over the control: aAngle in eighths of a degree (120 a notch), as
    // wheels report it; aPixels as touchpads do, where they do. Qt has no public entry
    // point for wheel input, so the event is given to the top-level window directly;
    // Qt's own handling takes it on to the widget under the point.
    static void Wheel(TWinControl& aControl, TPoint aPoint, TPoint aAngle,
                      TPoint aPixels = TPoint{0, 0});
};

} // namespace fw
