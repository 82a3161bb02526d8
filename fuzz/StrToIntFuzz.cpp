// SPDX-License-Identifier: MIT
// StrToInt and StrToInt64 against the reference reader: the same texts accepted
// with the same values, every accepted value read back from IntToStr, every
// rejected text refused with EConvertError quoting it.

#include "FuzzSupport.h"
#include "Reference.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <limits>

namespace {

template <class T>
void CheckReader(const fw::String& aText, const std::optional<__int128>& aExpected,
                 T (*aRead)(const fw::String&), bool (*aTry)(const fw::String&, T&)) {
    const bool inRange = aExpected && *aExpected >= std::numeric_limits<T>::min() &&
                         *aExpected <= std::numeric_limits<T>::max();
    T tried = 7;
    const bool accepted = aTry(aText, tried);
    fuzz::Check(accepted == inRange, "the Try reader agrees with the reference", aText);
    fuzz::Check(accepted || tried == 7, "a refused text leaves the Try result alone", aText);
    try {
        const T value = aRead(aText);
        fuzz::Check(inRange && value == *aExpected, "accepted as the reference reads it", aText);
        fuzz::Check(value == tried, "the reader and its Try agree", aText);
        fuzz::Check(aRead(fw::IntToStr(value)) == value, "IntToStr reads back", aText);
    } catch (const fw::EConvertError& e) {
        fuzz::Check(!inRange, "refused only outside the grammar or the range", aText);
        fuzz::Check(e.Message() == "'" + aText + "' is not a valid integer value",
                    "the message quotes the text", aText);
    }
}

bool TryInt64(const fw::String& aText, int64_t& aValue) {
    return fw::TryStrToInt64(aText, aValue);
}

bool TryInt32(const fw::String& aText, int32_t& aValue) {
    return fw::TryStrToInt(aText, aValue);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String text = fuzz::Text(aData, aSize);
    const auto expected = fuzz::ReferenceInteger(text);
    CheckReader<int64_t>(text, expected, &fw::StrToInt64, &TryInt64);
    CheckReader<int32_t>(text, expected, &fw::StrToInt, &TryInt32);
    return 0;
}
