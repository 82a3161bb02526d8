// SPDX-License-Identifier: MIT
#include "platform/rtl/Format.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <charconv>
#include <vector>

namespace fw {
namespace {

struct TDirective {
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

// Widths, precisions and indexes above this are refused: no sensible format needs
// more, and a broken one could ask for gigabytes of padding.
constexpr int MaxFormatNumber = 4096;

[[noreturn]] void Invalid(const String& aFormat) {
    throw EConvertError("Format '" + aFormat + "' invalid or incompatible with argument");
}

// A number in a directive (index, width, precision); past MaxFormatNumber the
// format is refused before the value can overflow.
int ReadNumber(const String& aFormat, std::size_t& aPos) {
    int value = 0;
    while (aPos < aFormat.size() && aFormat[aPos] >= '0' && aFormat[aPos] <= '9') {
        value = value * 10 + (aFormat[aPos] - '0');
        if (value > MaxFormatNumber) {
            Invalid(aFormat);
        }
        ++aPos;
    }
    return value;
}

String ZeroPadded(String aDigits, int aMinDigits) {
    if (static_cast<int>(aDigits.size()) < aMinDigits) {
        aDigits.insert(0, aMinDigits - aDigits.size(), '0');
    }
    return aDigits;
}

// The 64 bits of aValue in upper-case hexadecimal.
String Hex(int64_t aValue, int aMinDigits) {
    char buffer[16];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<uint64_t>(aValue), 16);
    String digits(buffer, written.ptr);
    for (char& c : digits) {
        if (c >= 'a' && c <= 'f') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return ZeroPadded(std::move(digits), aMinDigits);
}

String IntegerText(int64_t aValue, int aMinDigits) {
    const uint64_t magnitude = aValue < 0 ? uint64_t(-(aValue + 1)) + 1 : uint64_t(aValue);
    String digits = ZeroPadded(std::to_string(magnitude), aMinDigits);
    return aValue < 0 ? "-" + digits : digits;
}

String Convert(const TDirective& aDirective, const TFormatArg& aArg, const String& aFormat) {
    const auto& value = aArg.Value();
    const auto* integer = std::get_if<int64_t>(&value);
    const auto* number = std::get_if<double>(&value);
    const auto* text = std::get_if<String>(&value);
    switch (aDirective.Type) {
    case 'd':
    case 'u':
        if (!integer) {
            Invalid(aFormat);
        }
        return IntegerText(aDirective.Type == 'u' && *integer < 0
                               ? static_cast<int64_t>(uint32_t(*integer))
                               : *integer,
                           aDirective.Precision);
    case 'x':
        if (!integer) {
            Invalid(aFormat);
        }
        return Hex(*integer, std::max(aDirective.Precision, 1));
    case 's':
        if (!text) {
            Invalid(aFormat);
        }
        return aDirective.Precision >= 0
                   ? Utf8Truncate(*text, static_cast<std::size_t>(aDirective.Precision))
                   : *text;
    case 'f':
    case 'e':
    case 'g':
    case 'n':
    case 'm': {
        if (!number && !integer) {
            Invalid(aFormat);
        }
        const double v = number ? *number : static_cast<double>(*integer);
        const int digits = aDirective.Precision >= 0 ? aDirective.Precision : 2;
        switch (aDirective.Type) {
        case 'f':
            return FloatToStrF(v, ffFixed, 17, digits);
        case 'e':
            return FloatToStrF(v, ffExponent, aDirective.Precision >= 0 ? aDirective.Precision : 15,
                               3);
        case 'g':
            return FloatToStrF(v, ffGeneral, aDirective.Precision >= 0 ? aDirective.Precision : 15,
                               3);
        default:
            return FloatToStrF(v, ffNumber, 17, digits);
        }
    }
    case 'p':
        if (!integer) {
            Invalid(aFormat);
        }
        return Hex(*integer, 8);
    default:
        Invalid(aFormat);
    }
}

} // namespace

String Format(const String& aFormat, std::initializer_list<TFormatArg> aArgs) {
    const std::vector<TFormatArg> args(aArgs);
    String result;
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < aFormat.size()) {
        const char c = aFormat[i++];
        if (c != '%') {
            result += c;
            continue;
        }
        if (i < aFormat.size() && aFormat[i] == '%') {
            result += '%';
            ++i;
            continue;
        }
        TDirective directive;
        std::size_t numberStart = i;
        const int number = ReadNumber(aFormat, i);
        if (i < aFormat.size() && aFormat[i] == ':' && i > numberStart) {
            next = static_cast<std::size_t>(number);
            ++i;
            numberStart = i;
        } else {
            i = numberStart;
        }
        if (i < aFormat.size() && aFormat[i] == '-') {
            directive.LeftAlign = true;
            ++i;
        }
        if (i < aFormat.size() && aFormat[i] >= '0' && aFormat[i] <= '9') {
            directive.Width = ReadNumber(aFormat, i);
        }
        if (i < aFormat.size() && aFormat[i] == '.') {
            ++i;
            directive.Precision = ReadNumber(aFormat, i);
        }
        if (i >= aFormat.size() || next >= args.size()) {
            Invalid(aFormat);
        }
        directive.Type = static_cast<char>(aFormat[i++] | 0x20);
        String piece = Convert(directive, args[next++], aFormat);
        const std::size_t pad =
            directive.Width > static_cast<int>(piece.size()) ? directive.Width - piece.size() : 0;
        if (!directive.LeftAlign) {
            result.append(pad, ' ');
        }
        result += piece;
        if (directive.LeftAlign) {
            result.append(pad, ' ');
        }
    }
    return result;
}

} // namespace fw
