// SPDX-License-Identifier: MIT
// TDecimal's reader with a decimal comma and a decimal point: every accepted text
// is the number strtod reads from it (to the nearest double), writes back as text
// that reads to the same value and scale, and survives exact arithmetic; refused
// text raises EConvertError quoting it. No text makes a value of unbounded size.

#include "FuzzSupport.h"
#include "Reference.h"

#include "platform/rtl/Decimal.h"
#include "platform/rtl/Exceptions.h"

#include <cmath>

namespace {

using fw::TDecimal;

void CheckArithmetic(const TDecimal& aValue, const fw::String& aText) {
    const TDecimal tenth = TDecimal::Parse("0.1");
    fuzz::Check((aValue + tenth) - tenth == aValue, "adding and taking away 0.1 is exact", aText);
    fuzz::Check(aValue * TDecimal::FromInt64(1) == aValue, "times one is the value", aText);
    fuzz::Check(aValue - aValue == TDecimal(), "the value less itself is zero", aText);
    const TDecimal wider = aValue.Rescaled(std::min(aValue.Scale() + 3, TDecimal::MaxDigits));
    fuzz::Check(wider == aValue, "more decimals keep the value", aText);
    const TDecimal rounded = aValue.Rescaled(0);
    const TDecimal half = TDecimal::Parse("0.5");
    const TDecimal distance = rounded < aValue ? aValue - rounded : rounded - aValue;
    fuzz::Check(distance <= half, "rounding moves by at most one half", aText);
}

void CheckDecimal(const fw::String& aText, char aSeparator) {
    TDecimal tried;
    const bool accepted = TDecimal::TryParse(aText, tried, aSeparator);
    try {
        const TDecimal value = TDecimal::Parse(aText, aSeparator);
        fuzz::Check(accepted && value == tried && value.Scale() == tried.Scale(),
                    "Parse and TryParse agree", aText);
        fuzz::Check(value.Scale() <= TDecimal::MaxDigits &&
                        value.IntegerDigits() <= TDecimal::MaxDigits,
                    "the size stays bounded", aText);
        const fw::String written = value.ToString(aSeparator);
        const TDecimal again = TDecimal::Parse(written, aSeparator);
        fuzz::Check(again == value && again.Scale() == value.Scale() &&
                        again.ToString(aSeparator) == written,
                    "the written text reads back", aText);
        const auto expected = fuzz::ReferenceFloat(written, aSeparator);
        if (expected && std::isfinite(*expected))
            fuzz::Check(value.ToDouble() == *expected, "the nearest double as strtod's", aText);
        CheckArithmetic(value, aText);
    } catch (const fw::EConvertError& e) {
        fuzz::Check(!accepted, "refused by both", aText);
        fuzz::Check(e.Message() == "'" + aText + "' is not a valid decimal number",
                    "the message quotes the text", aText);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String text = fuzz::Text(aData, aSize);
    CheckDecimal(text, ',');
    CheckDecimal(text, '.');
    return 0;
}
