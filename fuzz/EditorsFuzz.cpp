// SPDX-License-Identifier: MIT
// Each standard editor's SetValue, found through the registry, and a host
// enumeration editor, under two settings. Accepted: the value agrees with the
// reference readers where there is one and reads back from the editor's own text,
// with one notification on a real change. Refused: the editor's documented
// exception, the value unchanged and no notification.

#include "FuzzSupport.h"
#include "Reference.h"

#include "quire/editors/EnumPropEditors.h"
#include "quire/editors/PropEditorRegistry.h"
#include "quire/editors/ScalarPropEditors.h"
#include "quire/values/PropKinds.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using quire::TProp;
using quire::TPropEditor;

// Members with Cyrillic names, a gap and a negative value.
class TShadeEditor : public quire::TEnumOrdPropEditor {
    FW_CLASS(TShadeEditor, quire::TEnumOrdPropEditor)
public:
    TShadeEditor() = default;
    void GetEnumValues(const quire::TAddEnumValueProc& aProc, quire::TEnumOrdOptions&) override {
        aProc("Red", 1);
        aProc("Синий", 5);
        aProc("Ёлочный", -2);
    }
};
FW_IMPLEMENT_CLASS(TShadeEditor)

enum class TRefusal { Conversion, Name };

struct TCase {
    fw::TClass PropClass;
    fw::TClass EditorClass;
    TRefusal Refusal;
};

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

// The decimal kind is fuzzed as a NUMERIC(10,2) field's.
constexpr int32_t DecimalPrecision = 10;
constexpr int32_t DecimalScale = 2;

struct TResult {
    std::unique_ptr<TProp> Prop;
    std::unique_ptr<TPropEditor> Editor;
    bool Accepted = false;
};

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
    return fw::Variant(5);
}

TResult SetThroughEditor(const TCase& aCase, const fw::String& aText) {
    TResult result;
    result.Prop = fw::CreateAs<TProp>(aCase.PropClass);
    result.Editor = fw::CreateAs<TPropEditor>(aCase.EditorClass);
    if (auto* decimal = dynamic_cast<quire::TDecimalProp*>(result.Prop.get()))
        decimal->SetLimits(DecimalPrecision, DecimalScale);
    TProp& prop = *result.Prop;
    prop.SetAsVariant(InitialValue(aCase.PropClass));
    const std::vector<char> before = Snapshot(prop);
    int changes = 0;
    prop.FOnChange = [&changes](fw::TObject*) { ++changes; };
    try {
        result.Editor->SetValue(&prop, aText);
        result.Accepted = true;
    } catch (const fw::EConvertError&) {
        fuzz::Check(aCase.Refusal == TRefusal::Conversion, "a conversion error from this editor",
                    aText);
    } catch (const fw::Exception& e) {
        fuzz::Check(aCase.Refusal == TRefusal::Name &&
                        std::strcmp(e.ClassName(), "Exception") == 0 &&
                        e.Message() == "Неверное значение: \"" + aText + "\"",
                    "a name editor's own error naming the text", aText);
    }
    const bool changed = Snapshot(prop) != before;
    fuzz::Check(result.Accepted || !changed, "a refused text leaves the value", aText);
    fuzz::Check(changes == (changed ? 1 : 0), "one notification, on a real change only", aText);
    prop.FOnChange = nullptr;
    return result;
}

enum class TReadBack { Exact, SameText, SameSecond, SameTimeOfDay };

// The editor's own text for the value, set on a fresh property, gives the same
// value (Exact), shows as itself (SameText, for rounded numbers), gives the same
// value to the second (SameSecond, for times shown without milliseconds) or the
// same time of day to the second (SameTimeOfDay: a time property's day is not its
// editor's to set, and a text naming the time it already has leaves that day).
void CheckReadsBack(const TCase& aCase, TResult& aResult, TReadBack aHow, const fw::String& aText) {
    const fw::String shown = aResult.Editor->GetValue(aResult.Prop.get());
    TResult again = SetThroughEditor(aCase, shown);
    fuzz::Check(again.Accepted, "the editor's own text is accepted", aText);
    switch (aHow) {
    case TReadBack::Exact:
        fuzz::Check(Snapshot(*again.Prop) == Snapshot(*aResult.Prop),
                    "the own text gives the same value", aText);
        break;
    case TReadBack::SameText:
        fuzz::Check(again.Editor->GetValue(again.Prop.get()) == shown, "the own text reads back",
                    aText);
        break;
    case TReadBack::SameSecond:
        fuzz::Check(
            fuzz::SameToTheSecond(again.Prop->GetFloatValue(), aResult.Prop->GetFloatValue()),
            "the own text reads back to the second", aText);
        break;
    case TReadBack::SameTimeOfDay:
        fuzz::Check(fuzz::SameTimeOfDayToTheSecond(again.Prop->GetFloatValue(),
                                                   aResult.Prop->GetFloatValue()),
                    "the own text reads back to the second of the day", aText);
        break;
    }
}

TReadBack ReadBackOf(fw::TClass aMomentClass) {
    if (aMomentClass == quire::TDateProp::StaticClass()) {
        return TReadBack::Exact;
    }
    if (aMomentClass == quire::TTimeProp::StaticClass()) {
        return TReadBack::SameTimeOfDay;
    }
    return TReadBack::SameSecond;
}

template <class T> T Stored(const TResult& aResult) {
    T value;
    std::memcpy(&value, aResult.Prop->FValue, sizeof value);
    return value;
}

// A number typed with either separator, as the double editor documents it.
std::optional<double> ReferenceTypedFloat(const fw::String& aText) {
    const char separator = fw::FormatSettings().DecimalSeparator;
    fw::String text = aText;
    const std::size_t foreign = text.find(separator == ',' ? '.' : ',');
    if (foreign != fw::String::npos) {
        text[foreign] = separator;
    }
    return fuzz::ReferenceFloat(text, separator);
}

bool IsName(const fw::String& aText, std::initializer_list<const char*> aNames) {
    const fw::String lower = fuzz::AsciiLower(aText);
    for (const char* name : aNames) {
        if (lower == fuzz::AsciiLower(name)) {
            return true;
        }
    }
    return false;
}

bool HasControlCharacter(const fw::String& aText) {
    for (const char c : aText) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

void CheckAll(const fw::String& aText) {
    using namespace quire;
    const auto standard = [](fw::TClass aPropClass, TRefusal aRefusal) {
        return TCase{aPropClass, GetPropEditorClass(aPropClass), aRefusal};
    };
    const auto integer = fuzz::ReferenceInteger(aText);
    const bool int32 = integer && *integer >= INT32_MIN && *integer <= INT32_MAX;

    const TCase boolean = standard(TBooleanProp::StaticClass(), TRefusal::Name);
    TResult flag = SetThroughEditor(boolean, aText);
    fuzz::Check(!IsName(aText, {"True", "False"}) || flag.Accepted, "True and False in any case",
                aText);
    fuzz::Check(!flag.Accepted || !HasControlCharacter(aText), "no control characters in a name",
                aText);
    if (flag.Accepted) {
        CheckReadsBack(boolean, flag, TReadBack::Exact, aText);
    }

    const TCase shade{TLongintProp::StaticClass(), TShadeEditor::StaticClass(), TRefusal::Name};
    TResult colour = SetThroughEditor(shade, aText);
    fuzz::Check(!IsName(aText, {"Red"}) || colour.Accepted, "an ASCII name in any case", aText);
    fuzz::Check(!colour.Accepted || !HasControlCharacter(aText), "no control characters in a name",
                aText);
    if (colour.Accepted) {
        CheckReadsBack(shade, colour, TReadBack::Exact, aText);
    }

    for (const fw::TClass propClass : {TSmallintProp::StaticClass(), TLongintProp::StaticClass()}) {
        const TCase number = standard(propClass, TRefusal::Conversion);
        TResult result = SetThroughEditor(number, aText);
        fuzz::Check(result.Accepted == int32, "a 32-bit integer as the reference reads it", aText);
        if (result.Accepted) {
            const bool small = propClass == TSmallintProp::StaticClass();
            fuzz::Check(small ? Stored<int16_t>(result) == static_cast<int16_t>(*integer)
                              : Stored<int32_t>(result) == static_cast<int32_t>(*integer),
                        "the integer stored (low bits for the 16-bit kind)", aText);
            CheckReadsBack(number, result, TReadBack::Exact, aText);
        }
    }

    const TCase word = standard(TWordProp::StaticClass(), TRefusal::Conversion);
    TResult unsignedResult = SetThroughEditor(word, aText);
    fuzz::Check(unsignedResult.Accepted == (int32 && *integer >= 0 && *integer <= 65535),
                "a word from 0 to 65535 as the reference reads it", aText);
    if (unsignedResult.Accepted) {
        fuzz::Check(Stored<uint16_t>(unsignedResult) == *integer, "the word stored", aText);
        CheckReadsBack(word, unsignedResult, TReadBack::Exact, aText);
    }

    const TCase large = standard(TLargeintProp::StaticClass(), TRefusal::Conversion);
    TResult largeResult = SetThroughEditor(large, aText);
    const bool int64 = integer && *integer >= INT64_MIN && *integer <= INT64_MAX;
    fuzz::Check(largeResult.Accepted == int64, "a 64-bit integer as the reference reads it", aText);
    if (largeResult.Accepted) {
        fuzz::Check(Stored<int64_t>(largeResult) == *integer, "the 64-bit integer stored", aText);
        CheckReadsBack(large, largeResult, TReadBack::Exact, aText);
    }

    const TCase decimal = standard(TDecimalProp::StaticClass(), TRefusal::Conversion);
    TResult exact = SetThroughEditor(decimal, aText);
    if (exact.Accepted) {
        const fw::TDecimal& value = static_cast<TDecimalProp&>(*exact.Prop).Value();
        fuzz::Check(value.SignificantScale() <= DecimalScale &&
                        value.IntegerDigits() <= DecimalPrecision - DecimalScale,
                    "the decimal within the field's precision and scale", aText);
        const auto typed = ReferenceTypedFloat(aText);
        if (typed && std::isfinite(*typed))
            fuzz::Check(value.ToDouble() == *typed, "the decimal is the typed number", aText);
        CheckReadsBack(decimal, exact, TReadBack::Exact, aText);
    }

    const TCase text = standard(TStringProp::StaticClass(), TRefusal::Conversion);
    TResult string = SetThroughEditor(text, aText);
    fuzz::Check(string.Accepted, "the string editor takes any text", aText);
    CheckReadsBack(text, string, TReadBack::Exact, aText);

    const TCase real = standard(TDoubleProp::StaticClass(), TRefusal::Conversion);
    TResult number = SetThroughEditor(real, aText);
    const auto expected = ReferenceTypedFloat(aText);
    const bool finite = expected && std::isfinite(*expected);
    fuzz::Check(number.Accepted == finite, "a number with either separator as strtod reads it",
                aText);
    if (number.Accepted) {
        fuzz::Check(Stored<double>(number) == *expected, "the number stored", aText);
        CheckReadsBack(real, number, TReadBack::SameText, aText);
    }

    for (const fw::TClass propClass :
         {TDateTimeProp::StaticClass(), TDateProp::StaticClass(), TTimeProp::StaticClass()}) {
        const TCase moment = standard(propClass, TRefusal::Conversion);
        TResult result = SetThroughEditor(moment, aText);
        if (result.Accepted) {
            CheckReadsBack(moment, result, ReadBackOf(propClass), aText);
        }
    }

    // The text editor keeps its dialog's lines: typed text changes nothing.
    TResult memo = SetThroughEditor(standard(TTextProp::StaticClass(), TRefusal::Name), aText);
    fuzz::Check(quire::TTextProp::JoinLines(static_cast<TTextProp&>(*memo.Prop).Lines()) == "a\nb",
                "typed text leaves the lines", aText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String text = fuzz::Text(aData, aSize);
    for (const fuzz::TSettingsMaker settings : {&fuzz::Russian, &fuzz::American}) {
        fw::TFormatSettingsScope scope(settings());
        CheckAll(text);
    }
    return 0;
}
