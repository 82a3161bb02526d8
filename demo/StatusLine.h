// SPDX-License-Identifier: MIT
#pragma once
// TStatusLine: a lowered panel that shows its caption left-aligned.

#include "platform/stdctrls/Panel.h"

namespace demo {

class TStatusLine : public fw::TPanel {
    FW_CLASS(TStatusLine, fw::TPanel)
public:
    explicit TStatusLine(fw::TComponent* aOwner = nullptr);

protected:
    void Paint() override;
};

} // namespace demo
