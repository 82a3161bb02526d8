// SPDX-License-Identifier: MIT
#include "Reference.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace fuzz {
namespace {

fw::String Trimmed(const fw::String& aText) {
    std::size_t begin = 0;
    std::size_t end = aText.size();
    while (begin < end && static_cast<unsigned char>(aText[begin]) <= ' ') {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(aText[end - 1]) <= ' ') {
        --end;
    }
    return aText.substr(begin, end - begin);
}

int DigitValue(char aChar, int aBase) {
    int value = 99;
    if (aChar >= '0' && aChar <= '9') {
        value = aChar - '0';
    } else if (aChar >= 'a' && aChar <= 'f') {
        value = aChar - 'a' + 10;
    } else if (aChar >= 'A' && aChar <= 'F') {
        value = aChar - 'A' + 10;
    }
    return value < aBase ? value : -1;
}

bool IsDigit(char aChar) {
    return aChar >= '0' && aChar <= '9';
}

} // namespace

std::optional<__int128> ReferenceInteger(const fw::String& aText) {
    const fw::String text = Trimmed(aText);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (text.compare(pos, 1, "$") == 0) {
        base = 16;
        pos += 1;
    } else if (text.size() > pos + 2 && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    const __int128 saturated = (__int128{1} << 64) + 1;
    __int128 magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = std::min(magnitude * base + digit, saturated);
    }
    return negative ? -magnitude : magnitude;
}

std::optional<double> ReferenceFloat(const fw::String& aText, char aSeparator) {
    const fw::String text = Trimmed(aText);
    fw::String normal;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        normal += text[pos++];
    }
    bool digits = false;
    bool separator = false;
    for (; pos < text.size(); ++pos) {
        if (IsDigit(text[pos])) {
            digits = true;
            normal += text[pos];
        } else if (text[pos] == aSeparator && !separator) {
            separator = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        normal += text[pos++];
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            normal += text[pos++];
        }
        const std::size_t exponentStart = pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            normal += text[pos++];
        }
        if (pos == exponentStart) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    errno = 0;
    char* end = nullptr;
    const double value = strtod_l(normal.c_str(), &end, cLocale);
    if (end != normal.c_str() + normal.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace fuzz
