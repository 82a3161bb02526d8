// SPDX-License-Identifier: MIT
#pragma once
// The designer's registration of the package's component.

namespace quire {

// Puts TQuire, and nothing else, on the palette page "Data Controls".
void Register();

} // namespace quire
