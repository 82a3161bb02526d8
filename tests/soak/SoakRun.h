// SPDX-License-Identifier: MIT
#pragma once
// One run of the soak: a shown form with a TQuire bound to a SQLite table with a
// column of every kind the box shows, a VARCHAR(10) and CHECK constraints, a long
// VARCHAR, 64-bit integers and date-times with a zone suffix, driven by a list of
// actions through the input simulator and the modal hook.
//
// The run keeps a model of what the database must hold. At every post and cancel
// (the host's own, a move that posts, a handler that posts) it reads the whole
// table through a second connection and compares: no record or column changed that
// was not edited (a column no post changed keeps its exact stored form), what was
// posted is what the fields held, nothing refused stored.
// After every action: the strip lies on the selected row, the rows match the data
// set's fields, columns nobody edited hold their stored values, and text committed
// with Enter reaches the field as the row's editor parses it (or is refused with a
// report).

#include "SoakActions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace soak {

struct TRunResult {
    // Empty when every check held; else which action failed and how.
    std::string Failure;
    int32_t Actions = 0;
    int32_t DatabaseChecks = 0;
    int32_t Posts = 0;
    int32_t RefusedPosts = 0;
    int32_t Commits = 0;
    int32_t Reports = 0;
    int32_t Modals = 0;
    // Choices and cancels in a pick list opened from a box on a modal dialog.
    int32_t DialogPicks = 0;
};

TRunResult RunActions(const std::vector<TAction>& aActions);

} // namespace soak
