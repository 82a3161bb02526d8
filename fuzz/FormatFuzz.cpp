// SPDX-License-Identifier: MIT
// Format with the whole input as the format and a fixed list of arguments of each
// kind: it answers or raises EConvertError naming the format, within bounded time
// and memory; a single integer directive agrees with the C library's printf.

#include "FuzzSupport.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <cstdio>
#include <optional>

namespace {

constexpr int64_t IntegerArg = -1234567;

std::size_t SkipDigits(const fw::String& aText, std::size_t aPos) {
    while (aPos < aText.size() && aText[aPos] >= '0' && aText[aPos] <= '9') {
        ++aPos;
    }
    return aPos;
}

// For a format that is one directive "%[-][width][.precision]d" (or "x") with
// numbers Format accepts: what printf writes for the first argument.
std::optional<fw::String> PrintfReference(const fw::String& aFormat) {
    if (aFormat.size() < 2 || aFormat.size() > 12 || aFormat[0] != '%') {
        return std::nullopt;
    }
    std::size_t pos = aFormat[1] == '-' ? 2 : 1;
    // A width starting with 0 is printf's zero-padding flag, not in Format's grammar.
    if (pos < aFormat.size() && aFormat[pos] == '0') {
        return std::nullopt;
    }
    pos = SkipDigits(aFormat, pos);
    if (pos < aFormat.size() && aFormat[pos] == '.') {
        pos = SkipDigits(aFormat, pos + 1);
    }
    if (pos + 1 != aFormat.size() || (aFormat[pos] != 'd' && aFormat[pos] != 'x')) {
        return std::nullopt;
    }
    const fw::String directive = aFormat.substr(0, pos) + (aFormat[pos] == 'd' ? "lld" : "llX");
    char buffer[16384];
    const int written =
        std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<long long>(IntegerArg));
    if (written < 0 || written > 4096 + 20) {
        return std::nullopt; // past Format's bounds
    }
    return fw::String(buffer, static_cast<std::size_t>(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, std::size_t aSize) {
    const fw::String format = fuzz::Text(aData, aSize);
    fw::TFormatSettingsScope scope(fuzz::Russian());
    try {
        const fw::String text = fw::Format(
            format, {IntegerArg, 3.14159, "текст", int64_t{INT64_MIN}, -0.0, "", 42, 1e300});
        // Each directive adds at most a bounded width or its argument's text.
        fuzz::Check(text.size() <= format.size() * 4200 + 64, "bounded output", format);
        if (const auto expected = PrintfReference(format)) {
            fuzz::Check(text == *expected, "an integer directive agrees with printf", format);
        }
    } catch (const fw::EConvertError& e) {
        fuzz::Check(e.Message() == "Format '" + format + "' invalid or incompatible with argument",
                    "the message names the format", format);
    }
    return 0;
}
