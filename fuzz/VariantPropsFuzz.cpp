// SPDX-License-Identifier: MIT
// A string variant stored into each property kind under two settings. Accepted:
// the value is what the variant converts to (checked against the reference
// readers where there is one) and reads back from the property's own text.
// Refused: the variant's cast or overflow error, the value unchanged and no
// notification. Only the string kind notifies, and only on a real change.

#include "FuzzSupport.h"
#include "Reference.h"

#include "quire/values/PropKinds.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

using quire::TProp;

// The value of a property as bytes (a text property's lines joined).
std::vector<char> Snapshot(TProp& aProp) {
    if (auto* decimal = dynamic_cast<quire::TDecimalProp*>(&aProp)) {
        // The number and its scale: 1.5 and 1.50 are one value but shown differently.
        const fw::String written = decimal->Value().ToString();
        return {written.begin(), written.end()};
    }
    if (auto* text = dynamic_cast<quire::TTextProp*>(&aProp)) {
        const fw::String joined = quire::TTextProp::JoinLines(text->Lines());
        return {joined.begin(), joined.end()};
    }
    const auto* bytes = static_cast<const char*>(aProp.FValue);
    return {bytes, bytes + aProp.FSize};
}

fw::Variant InitialValue(fw::TClass aClass) {
    if (aClass == quire::TBooleanProp::StaticClass()) {
        return fw::Variant(true);
    }
    if (aClass == quire::TTextProp::StaticClass()) {
        return fw::Variant("a\nb");
    }
    if (aClass->InheritsFrom(quire::TDateTimeProp::StaticClass())) {
        return fw::Variant::FromDateTime(36526.5);
    }
    return fw::Variant(77);
}

struct TStored {
    std::unique_ptr<TProp> Prop;
    int Changes = 0;
    std::vector<char> Before;
    bool Accepted = false;
    bool Overflow = false;
};

// A property of aClass holding a value no short text gives, written directly,
// then given aText as a string variant.
TStored Store(fw::TClass aClass, const fw::String& aText) {
    TStored stored;
    stored.Prop = fw::CreateAs<TProp>(aClass);
    TProp& prop = *stored.Prop;
    prop.SetAsVariant(InitialValue(aClass));
    stored.Before = Snapshot(prop);
    prop.FOnChange = [&stored](fw::TObject*) { ++stored.Changes; };
    try {
        prop.SetAsVariant(fw::Variant(aText));
        stored.Accepted = true;
    } catch (const fw::EVariantTypeCastError&) {
    } catch (const fw::EVariantOverflowError&) {
        stored.Overflow = true;
    }
    if (!stored.Accepted) {
        fuzz::Check(Snapshot(prop) == stored.Before && stored.Changes == 0,
                    "a refused variant leaves the value and notifies nobody", aText);
    }
    return stored;
}

// The property's own text stored into a fresh property of its kind gives the
// same value.
void CheckReadsBack(TStored& aStored, const fw::String& aText) {
    const fw::String own = aStored.Prop->GetAsVariant().AsString();
    TStored again = Store(aStored.Prop->ClassType(), own);
    fuzz::Check(again.Accepted, "the property's own text is accepted", aText);
    fuzz::Check(Snapshot(*again.Prop) == Snapshot(*aStored.Prop), "the own text reads back", aText);
}

// A double's text (15 digits) is shown again after it is read back.
void CheckShownTextStable(TStored& aStored, const fw::String& aText) {
    const fw::String own = aStored.Prop->GetAsVariant().AsString();
    TStored again = Store(aStored.Prop->ClassType(), own);
    fuzz::Check(again.Accepted && again.Prop->GetAsVariant().AsString() == own,
                "the shown text reads back as itself", aText);
}

template <class T> T Stored(TStored& aStored) {
    T value;
    std::memcpy(&value, aStored.Prop->FValue, sizeof value);
    return value;
}

bool HasControlCharacter(const fw::String& aText) {
    for (const char c : aText) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

void CheckBoolean(const fw::String& aText) {
    TStored stored = Store(quire::TBooleanProp::StaticClass(), aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    const fw::String lower = fuzz::AsciiLower(aText);
    const auto number = fuzz::ReferenceFloat(aText, fw::FormatSettings().DecimalSeparator);
    const bool named = lower == "true" || lower == "false";
    if (named || (number && std::isfinite(*number))) {
        fuzz::Check(stored.Accepted, "a name or a number is accepted", aText);
        const bool expected = named ? lower == "true" : *number != 0;
        fuzz::Check(Stored<uint8_t>(stored) == (expected ? 1 : 0), "the value named", aText);
    } else if (stored.Accepted) {
        // Left: the names in a letter case beyond ASCII's (a long s, say).
        fuzz::Check(!HasControlCharacter(aText), "no control characters in a name", aText);
    }
    if (stored.Accepted) {
        CheckReadsBack(stored, aText);
    }
}

template <class T> void CheckInteger(fw::TClass aClass, const fw::String& aText) {
    TStored stored = Store(aClass, aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    const auto integer = fuzz::ReferenceInteger(aText);
    if (integer && *integer >= INT32_MIN && *integer <= INT32_MAX) {
        fuzz::Check(stored.Accepted && Stored<T>(stored) == static_cast<T>(*integer),
                    "an integer in range is stored (low bits for the 16-bit kind)", aText);
    }
    if (integer && (*integer < INT32_MIN || *integer > INT32_MAX)) {
        fuzz::Check(stored.Overflow, "an integer out of range raises the overflow error", aText);
    }
    if (stored.Accepted) {
        CheckReadsBack(stored, aText);
    }
}

// The word and 64-bit kinds: an integer within the kind's range is stored exactly,
// one outside it raises the overflow error.
template <class T> void CheckWideInteger(fw::TClass aClass, const fw::String& aText) {
    TStored stored = Store(aClass, aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    const auto integer = fuzz::ReferenceInteger(aText);
    const bool inRange = integer && *integer >= std::numeric_limits<T>::min() &&
                         *integer <= std::numeric_limits<T>::max();
    if (inRange) {
        fuzz::Check(stored.Accepted && Stored<T>(stored) == *integer,
                    "an integer in range is stored exactly", aText);
    } else if (integer) {
        fuzz::Check(stored.Overflow, "an integer out of range raises the overflow error", aText);
    }
    if (stored.Accepted) {
        CheckReadsBack(stored, aText);
    }
}

void CheckDecimal(const fw::String& aText) {
    TStored stored = Store(quire::TDecimalProp::StaticClass(), aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    if (!stored.Accepted) {
        return;
    }
    const fw::TDecimal& value = static_cast<quire::TDecimalProp&>(*stored.Prop).Value();
    const auto number = fuzz::ReferenceFloat(aText, fw::FormatSettings().DecimalSeparator);
    if (number && std::isfinite(*number)) {
        fuzz::Check(value.ToDouble() == *number, "the decimal is the number strtod reads", aText);
    }
    CheckReadsBack(stored, aText);
}

void CheckString(const fw::String& aText) {
    TStored stored = Store(quire::TStringProp::StaticClass(), aText);
    fuzz::Check(stored.Accepted, "a string property takes any text", aText);
    const fw::String kept = static_cast<quire::TStringProp&>(*stored.Prop).Text();
    fuzz::Check(aText.compare(0, kept.size(), kept) == 0, "the text's beginning is kept", aText);
    fuzz::Check(kept.size() == std::min<std::size_t>(aText.size(), 250) ||
                    (aText.size() > 250 && kept.size() >= 247),
                "at most 250 bytes, at most three fewer", aText);
    fuzz::Check(stored.Changes == (Snapshot(*stored.Prop) != stored.Before ? 1 : 0),
                "one notification, on a real change only", aText);
    CheckReadsBack(stored, aText);
}

void CheckDouble(const fw::String& aText) {
    TStored stored = Store(quire::TDoubleProp::StaticClass(), aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    const auto number = fuzz::ReferenceFloat(aText, fw::FormatSettings().DecimalSeparator);
    if (number && std::isfinite(*number)) {
        fuzz::Check(stored.Accepted && Stored<double>(stored) == *number,
                    "a number is stored as strtod reads it", aText);
    }
    if (stored.Accepted) {
        CheckShownTextStable(stored, aText);
    }
}

void CheckText(const fw::String& aText) {
    TStored stored = Store(quire::TTextProp::StaticClass(), aText);
    fuzz::Check(stored.Accepted && stored.Changes == 0, "lines take any text silently", aText);
    const auto& lines = static_cast<quire::TTextProp&>(*stored.Prop).Lines();
    fuzz::Check(quire::TTextProp::JoinLines(lines) == aText, "the lines join to the text", aText);
}

void CheckDateTime(fw::TClass aClass, const fw::String& aText) {
    TStored stored = Store(aClass, aText);
    fuzz::Check(stored.Changes == 0, "a direct write does not notify", aText);
    // Text that is a number within the calendar is a number of days; other text is a
    // date and time.
    fw::TDateTime expected = 0;
    double days = 0;
    bool valid = true;
    if (fw::TryStrToFloat(aText, days) && quire::TDateTimeProp::IsDateTimeInRange(days)) {
        expected = days;
    } else {
        valid = fw::TryStrToDateTime(aText, expected);
    }
    fuzz::Check(stored.Accepted == valid, "accepted as days or as StrToDateTime reads it", aText);
    if (stored.Accepted) {
        fuzz::Check(Stored<double>(stored) == expected,
                    "stored as days or as StrToDateTime reads it", aText);
        TStored again = Store(aClass, stored.Prop->GetAsVariant().AsString());
        fuzz::Check(again.Accepted &&
                        fuzz::SameToTheSecond(Stored<double>(again), Stored<double>(stored)),
                    "the shown text reads back to the second", aText);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String text = fuzz::Text(aData, aSize);
    for (const fuzz::TSettingsMaker settings : {&fuzz::Russian, &fuzz::American}) {
        fw::TFormatSettingsScope scope(settings());
        CheckBoolean(text);
        CheckInteger<int16_t>(quire::TSmallintProp::StaticClass(), text);
        CheckInteger<int32_t>(quire::TLongintProp::StaticClass(), text);
        CheckWideInteger<uint16_t>(quire::TWordProp::StaticClass(), text);
        CheckWideInteger<int64_t>(quire::TLargeintProp::StaticClass(), text);
        CheckDecimal(text);
        CheckString(text);
        CheckDouble(text);
        CheckText(text);
        CheckDateTime(quire::TDateTimeProp::StaticClass(), text);
        CheckDateTime(quire::TDateProp::StaticClass(), text);
        CheckDateTime(quire::TTimeProp::StaticClass(), text);
    }
    return 0;
}
