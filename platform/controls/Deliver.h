// SPDX-License-Identifier: MIT
#pragma once
// The one way platform input reaches the framework. The backend turns each Qt event
// into a message and hands it to Deliver, which runs the control's WndProc and
// catches every exception before it can cross into Qt: the exception goes to
// Application->HandleException (the standard report) and the event loop goes on.
// After each delivery the device contexts that control canvases took outside
// WM_PAINT are released.

#include "platform/controls/Messages.h"

#include <functional>

namespace fw {

class TObject;
class TWinControl;

void Deliver(TWinControl& aControl, TMessage& aMessage);
// The same protection for callbacks that are not messages of a control (timer ticks
// and notifications raised by native widgets).
void DeliverCall(TObject* aSender, const std::function<void()>& aCall);
// How many deliveries are running (nested ones counted); windows destroyed while it
// is above zero are released once control returns to the event loop.
int DeliverDepth();

} // namespace fw
