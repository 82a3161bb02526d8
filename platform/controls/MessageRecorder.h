// SPDX-License-Identifier: MIT
#pragma once
// Recording the messages and events a control receives, in order, for tests that
// assert message order (driven by simulated input).
//
// TRecording<Base> is Base with every message that reaches Dispatch written to Log
// (those from the platform through WndProc, and those dispatched by hand from
// another control; mouse messages with their client coordinates, key messages with
// their key or character), and the dynamic methods Click, DblClick, MouseDown, MouseMove
// and MouseUp as they run. Filter chooses the messages written (by default all but
// WM_MOUSEMOVE, WM_PAINT and WM_ERASEBKGND, which a test asks for explicitly).

#include "platform/controls/Control.h"
#include "platform/controls/Messages.h"

#include <functional>
#include <string>
#include <vector>

namespace fw {

class TMessageLog {
public:
    void Add(String aEntry) { FEntries.push_back(std::move(aEntry)); }
    void Clear() { FEntries.clear(); }
    const std::vector<String>& Entries() const { return FEntries; }
    // The entries that start with one of the prefixes, in order.
    std::vector<String> Only(std::initializer_list<const char*> aPrefixes) const;
    // The entry for aMessage as Add writes it: "WM_LBUTTONDOWN(10,5)", "WM_CHAR(13)".
    static String Describe(const TMessage& aMessage);

private:
    std::vector<String> FEntries;
};

const char* MouseButtonName(TMouseButton aButton);

template <class Base> class TRecording : public Base {
public:
    using Base::Base;

    TMessageLog Log;
    std::function<bool(uint32_t)> Filter = [](uint32_t aMsg) {
        return aMsg != WM_MOUSEMOVE && aMsg != WM_PAINT && aMsg != WM_ERASEBKGND;
    };

    void Dispatch(TMessage& aMessage) override {
        if (!Filter || Filter(aMessage.Msg)) {
            Log.Add(TMessageLog::Describe(aMessage));
        }
        Base::Dispatch(aMessage);
    }
    void Click() override {
        Log.Add("Click");
        Base::Click();
    }
    void DblClick() override {
        Log.Add("DblClick");
        Base::DblClick();
    }
    void MouseDown(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY) override {
        Log.Add(String("MouseDown(") + MouseButtonName(aButton) +
                (aShift.Contains(ssDouble) ? ",double" : "") + "," + std::to_string(aX) + "," +
                std::to_string(aY) + ")");
        Base::MouseDown(aButton, aShift, aX, aY);
    }
    void MouseMove(TShiftState aShift, int32_t aX, int32_t aY) override {
        if (!Filter || Filter(WM_MOUSEMOVE)) {
            Log.Add("MouseMove(" + std::to_string(aX) + "," + std::to_string(aY) + ")");
        }
        Base::MouseMove(aShift, aX, aY);
    }
    void MouseUp(TMouseButton aButton, TShiftState aShift, int32_t aX, int32_t aY) override {
        Log.Add(String("MouseUp(") + MouseButtonName(aButton) + "," + std::to_string(aX) + "," +
                std::to_string(aY) + ")");
        Base::MouseUp(aButton, aShift, aX, aY);
    }
};

} // namespace fw
