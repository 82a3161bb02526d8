// SPDX-License-Identifier: MIT
#pragma once
// The actions of the random-input soak: what a person does with the box (clicks,
// double clicks, typing, keys, the pick list, the dialogs, the wheel, resizing) and
// what the host does (moving through the records, posting, cancelling, how its
// OnPropChange handler behaves, and a second box on a modal dialog). Each action is complete in
// itself (rows are chosen modulo the rows shown, texts are carried along), so any subsequence of a
// run is a run too: that is what lets a failing run be cut down to a short list. An action is one
// line of text; a list of them replays a run.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace soak {

enum class TActionKind {
    ClickName,   // a click on a row's name
    ClickValue,  // a click on a row's value (on the strip when it lies there)
    DoubleClick, // a double click on a row's name or value
    DragDivider, // the divider dragged to a column
    Type,        // text typed into the strip's edit field
    Key,         // a key, with shift keys, to the edit field (to the box without one)
    Wheel,       // the wheel over the box: notches, high-resolution steps, pixels, sideways
    Expand,      // ExpandItem or CollapseItem by code
    Resize,      // the box's size changed
    Move,        // the host moves the data set (first, prior, next, last) or refreshes it
    Post,        // the host posts
    Cancel,      // the host cancels
    HandlerMode, // the host's OnPropChange: 0 quiet, 1 posts, 2 raises (every third call)
    ModalBox,    // a modal dialog with a box on the same record: a row's pick list or
                 // typing, then OK or Cancel
};

struct TAction {
    TActionKind Kind = TActionKind::ClickName;
    // The row, key, distance, mode or size, by kind.
    int32_t A = 0;
    int32_t B = 0;
    // Typed text; for other kinds, what a dialog shown meanwhile gets typed.
    std::string Text;
    // What a pick list or dialog shown during the action gets: an entry index and
    // whether it is accepted.
    int32_t Choice = 0;
    bool Accept = true;
};

// The run of aCount actions that aSeed gives.
std::vector<TAction> GenerateActions(uint64_t aSeed, int32_t aCount);

// One line per action, and back; ParseAction raises std::runtime_error naming the line.
std::string FormatAction(const TAction& aAction);
TAction ParseAction(const std::string& aLine);

} // namespace soak
