// SPDX-License-Identifier: MIT
#include "SoakActions.h"

#include <array>
#include <sstream>
#include <stdexcept>

namespace soak {

namespace {

using TRandom = std::mt19937_64;

int32_t Between(TRandom& aRandom, int32_t aLow, int32_t aHigh) {
    return std::uniform_int_distribution<int32_t>(aLow, aHigh)(aRandom);
}

template <std::size_t N>
std::string PickOf(TRandom& aRandom, const std::array<const char*, N>& aItems) {
    return aItems[static_cast<std::size_t>(Between(aRandom, 0, int32_t(N) - 1))];
}

std::string Repeat(TRandom& aRandom, const std::string& aAlphabet, int32_t aLength) {
    std::string text;
    for (int32_t i = 0; i < aLength; ++i) {
        text +=
            aAlphabet[static_cast<std::size_t>(Between(aRandom, 0, int32_t(aAlphabet.size()) - 1))];
    }
    return text;
}

std::string CyrillicText(TRandom& aRandom, int32_t aLength) {
    static const std::array<const char*, 8> letters{"а", "б", "ж", "Я", "ё", "Щ", "ы", "э"};
    std::string text;
    for (int32_t i = 0; i < aLength; ++i) {
        text += PickOf(aRandom, letters);
    }
    return text;
}

// Digits, letters, Cyrillic, separators, control characters, very long text, and
// text that converts to nothing.
std::string RandomText(TRandom& aRandom) {
    switch (Between(aRandom, 0, 9)) {
    case 0:
        return (Between(aRandom, 0, 3) == 0 ? "-" : "") +
               Repeat(aRandom, "0123456789", Between(aRandom, 1, 7));
    case 1:
        return Repeat(aRandom, "0123456789", Between(aRandom, 1, 4)) + "," +
               Repeat(aRandom, "0123456789", Between(aRandom, 1, 5));
    case 2:
        return Repeat(aRandom, "abcXYZ qrs", Between(aRandom, 1, 14));
    case 3:
        return CyrillicText(aRandom, Between(aRandom, 1, 12));
    case 4:
        return Repeat(aRandom, ".,:;/- !", Between(aRandom, 1, 5));
    case 5:
        return Repeat(aRandom,
                      "\x01\x02\t\x7f"
                      "a1",
                      Between(aRandom, 1, 4));
    case 6:
        return Repeat(aRandom, "abcdefghijklmnopqrstuvwxyz0123456789", Between(aRandom, 200, 320));
    case 7:
        return std::to_string(Between(aRandom, 1, 31)) + "." +
               std::to_string(Between(aRandom, 1, 13)) + "." +
               std::to_string(Between(aRandom, 1, 2100));
    case 8:
        return std::to_string(Between(aRandom, 0, 25)) + ":" +
               std::to_string(Between(aRandom, 0, 61)) + ":" +
               std::to_string(Between(aRandom, 0, 61));
    default:
        return PickOf(aRandom,
                      std::array<const char*, 6>{"True", "False", "12x", "1e400", "$7fff", "0x10"});
    }
}

std::string Hex(const std::string& aText) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : aText) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex.empty() ? "-" : hex;
}

std::string Unhex(const std::string& aHex) {
    if (aHex == "-") {
        return {};
    }
    std::string text;
    for (std::size_t i = 0; i + 1 < aHex.size(); i += 2) {
        text += static_cast<char>(std::stoi(aHex.substr(i, 2), nullptr, 16));
    }
    return text;
}

const std::array<const char*, 14> kKindNames{
    "click-name", "click-value", "double-click", "drag-divider", "type",   "key",     "wheel",
    "expand",     "resize",      "move",         "post",         "cancel", "handler", "modal-box"};

} // namespace

std::vector<TAction> GenerateActions(uint64_t aSeed, int32_t aCount) {
    TRandom random(aSeed);
    // Weights of the kinds, in the order of TActionKind. A modal dialog costs as much
    // as some twenty other actions: it comes about once in three hundred.
    const std::array<int, 14> weights{42, 36, 15, 6, 54, 72, 9, 6, 6, 12, 12, 6, 3, 1};
    std::discrete_distribution<int> kinds(weights.begin(), weights.end());
    std::vector<TAction> actions;
    actions.reserve(static_cast<std::size_t>(aCount));
    for (int32_t i = 0; i < aCount; ++i) {
        TAction action;
        action.Kind = static_cast<TActionKind>(kinds(random));
        action.A = Between(random, 0, 1000);
        action.B = Between(random, 0, 1000);
        action.Choice = Between(random, 0, 3);
        action.Accept = Between(random, 0, 3) != 0;
        if (action.Kind == TActionKind::Type || Between(random, 0, 1) == 0) {
            action.Text = RandomText(random);
        }
        actions.push_back(std::move(action));
    }
    return actions;
}

std::string FormatAction(const TAction& aAction) {
    std::ostringstream line;
    line << kKindNames[static_cast<std::size_t>(aAction.Kind)] << ' ' << aAction.A << ' '
         << aAction.B << ' ' << aAction.Choice << ' ' << (aAction.Accept ? 1 : 0) << ' '
         << Hex(aAction.Text);
    return line.str();
}

TAction ParseAction(const std::string& aLine) {
    std::istringstream in(aLine);
    std::string kind;
    std::string hex;
    int accept = 0;
    TAction action;
    in >> kind >> action.A >> action.B >> action.Choice >> accept >> hex;
    std::size_t index = 0;
    while (index < kKindNames.size() && kind != kKindNames[index]) {
        ++index;
    }
    if (!in || index == kKindNames.size()) {
        throw std::runtime_error("not an action: \"" + aLine + "\"");
    }
    action.Kind = static_cast<TActionKind>(index);
    action.Accept = accept != 0;
    action.Text = Unhex(hex);
    return action;
}

} // namespace soak
