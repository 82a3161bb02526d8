// SPDX-License-Identifier: MIT
#include "platform/controls/MessageRecorder.h"

namespace fw {

std::vector<String> TMessageLog::Only(std::initializer_list<const char*> aPrefixes) const {
    std::vector<String> result;
    for (const String& entry : FEntries) {
        for (const char* prefix : aPrefixes) {
            if (entry.rfind(prefix, 0) == 0) {
                result.push_back(entry);
                break;
            }
        }
    }
    return result;
}

String TMessageLog::Describe(const TMessage& aMessage) {
    String name = MessageName(aMessage.Msg);
    if (IsMouseMessage(aMessage.Msg) && aMessage.Msg != WM_MOUSEWHEEL) {
        return name + "(" + std::to_string(LParamX(aMessage.LParam)) + "," +
               std::to_string(LParamY(aMessage.LParam)) + ")";
    }
    if (IsKeyMessage(aMessage.Msg)) {
        return name + "(" + std::to_string(aMessage.WParam) + ")";
    }
    return name;
}

const char* MouseButtonName(TMouseButton aButton) {
    switch (aButton) {
    case mbRight:
        return "mbRight";
    case mbMiddle:
        return "mbMiddle";
    default:
        return "mbLeft";
    }
}

} // namespace fw
