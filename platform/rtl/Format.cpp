#include "platform/rtl/Format.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>
#include <vector>

namespace fw {
namespace {

struct TDirective {
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

[[noreturn]] void Invalid(const String& aFormat) {
    throw EConvertError("Format '" + aFormat + "' invalid or incompatible with argument");
}

int ReadNumber(const String& aFormat, std::size_t& aPos) {
    int value = 0;
    while (aPos < aFormat.size() && aFormat[aPos] >= '0' && aFormat[aPos] <= '9') {
        value = value * 10 + (aFormat[aPos] - '0');
        ++aPos;
    }
    return value;
}

String Hex(int64_t aValue, int aMinDigits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llX", aMinDigits,
                  static_cast<unsigned long long>(aValue));
    return buffer;
}

String IntegerText(int64_t aValue, int aMinDigits) {
    String digits = std::to_string(aValue < 0 ? -(aValue + 1) + uint64_t{1} : uint64_t(aValue));
    while (static_cast<int>(digits.size()) < aMinDigits) {
        digits.insert(digits.begin(), '0');
    }
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
        if (directive.Width > static_cast<int>(piece.size())) {
            const String pad(directive.Width - piece.size(), ' ');
            piece = directive.LeftAlign ? piece + pad : pad + piece;
        }
        result += piece;
    }
    return result;
}

} // namespace fw
