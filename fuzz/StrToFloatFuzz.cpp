// SPDX-License-Identifier: MIT
// StrToFloat with a decimal comma and with a decimal point, against strtod in the
// "C" locale: the same texts accepted with the same values (a value too small for
// a double reads as the nearest one, a value too large is refused); every accepted
// value read back exactly from its 17-digit text; the text of a number uses the
// settings' separator only, whatever the C library's locale.

#include "FuzzSupport.h"
#include "Reference.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>

namespace {

bool SameDouble(double aFirst, double aSecond) {
    return aFirst == aSecond && std::signbit(aFirst) == std::signbit(aSecond);
}

// Digits, a minus sign, the exponent mark and the settings' separators only.
bool OnlyOwnCharacters(const fw::String& aText, const char* aSeparators) {
    for (const char c : aText) {
        if (!(c >= '0' && c <= '9') && c != '-' && c != '+' && c != 'E' &&
            std::strchr(aSeparators, c) == nullptr) {
            return false;
        }
    }
    return true;
}

void CheckFloat(const fw::String& aText, char aSeparator) {
    fw::TFormatSettings settings = fuzz::Iso();
    settings.DecimalSeparator = aSeparator;
    settings.ThousandSeparator = aSeparator == ',' ? '.' : ',';
    fw::TFormatSettingsScope scope(settings);
    const auto expected = fuzz::ReferenceFloat(aText, aSeparator);
    const bool valid = expected && std::isfinite(*expected);
    double tried = 7;
    fuzz::Check(fw::TryStrToFloat(aText, tried) == valid, "TryStrToFloat agrees with strtod",
                aText);
    try {
        const double value = fw::StrToFloat(aText);
        fuzz::Check(valid && SameDouble(value, *expected), "accepted as strtod reads it", aText);
        fuzz::Check(SameDouble(value, tried), "StrToFloat and TryStrToFloat agree", aText);
        const fw::String exact = fw::FloatToStrF(value, fw::ffGeneral, 17, 0);
        fuzz::Check(fw::StrToFloat(exact) == value, "17 digits read back exactly", aText);
        const char own[] = {aSeparator, '\0'};
        const char grouped[] = {aSeparator, settings.ThousandSeparator, '\0'};
        fuzz::Check(OnlyOwnCharacters(exact, own) &&
                        OnlyOwnCharacters(fw::FloatToStr(value), own) &&
                        OnlyOwnCharacters(fw::FloatToStrF(value, fw::ffFixed, 15, 4), own) &&
                        OnlyOwnCharacters(fw::FloatToStrF(value, fw::ffExponent, 15, 4), own) &&
                        OnlyOwnCharacters(fw::FloatToStrF(value, fw::ffNumber, 15, 2), grouped),
                    "number text uses the settings' separators only", aText);
        const fw::String shown = fw::FloatToStr(value);
        fuzz::Check(fw::FloatToStr(fw::StrToFloat(shown)) == shown, "shown text reads back", aText);
    } catch (const fw::EConvertError& e) {
        fuzz::Check(!valid, "refused only outside the grammar or the range", aText);
        fuzz::Check(e.Message() == "'" + aText + "' is not a valid floating point value",
                    "the message quotes the text", aText);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String text = fuzz::Text(aData, aSize);
    CheckFloat(text, ',');
    CheckFloat(text, '.');
    return 0;
}
