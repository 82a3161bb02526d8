// SPDX-License-Identifier: MIT
#include "platform/rtl/AnsiStrings.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <cstring>

namespace fw {
namespace {

QLocale CollationLocale() {
    const QLocale system = QLocale::system();
    // The "C" locale collates by code point; fall back to the root collation so
    // that letters still fold their case.
    if (system.language() == QLocale::C) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return system;
}

QCollator& Collator(Qt::CaseSensitivity aCase) {
    thread_local QCollator sensitive = [] {
        QCollator collator(CollationLocale());
        collator.setCaseSensitivity(Qt::CaseSensitive);
        return collator;
    }();
    thread_local QCollator insensitive = [] {
        QCollator collator(CollationLocale());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        return collator;
    }();
    return aCase == Qt::CaseSensitive ? sensitive : insensitive;
}

int32_t Sign(int aValue) {
    return aValue < 0 ? -1 : (aValue > 0 ? 1 : 0);
}

QString ToQ(const String& aText) {
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

String FromQ(const QString& aText) {
    return aText.toUtf8().toStdString();
}

} // namespace

int32_t AnsiCompareStr(const String& aLeft, const String& aRight) {
    if (aLeft == aRight) {
        return 0;
    }
    const int order = Collator(Qt::CaseSensitive).compare(ToQ(aLeft), ToQ(aRight));
    return order != 0 ? Sign(order) : Sign(aLeft.compare(aRight));
}

int32_t AnsiCompareText(const String& aLeft, const String& aRight) {
    if (aLeft == aRight) {
        return 0;
    }
    const QString left = ToQ(aLeft);
    const QString right = ToQ(aRight);
    const int order = Collator(Qt::CaseInsensitive).compare(left, right);
    if (order != 0) {
        return Sign(order);
    }
    // The collation ignores control characters ("Tr\x07ue" ranks with "True"):
    // texts it ranks equal are ordered by their case-folded characters, so only
    // texts that differ in letter case alone compare 0. Bytes that are not UTF-8
    // all read as U+FFFD, so such texts are ordered by their bytes instead.
    const int folded = left.compare(right, Qt::CaseInsensitive);
    if (folded == 0 && (FromQ(left) != aLeft || FromQ(right) != aRight)) {
        return Sign(aLeft.compare(aRight));
    }
    return Sign(folded);
}

bool AnsiSameText(const String& aLeft, const String& aRight) {
    return AnsiCompareText(aLeft, aRight) == 0;
}

String AnsiUpperCase(const String& aText) {
    return FromQ(ToQ(aText).toUpper());
}

String AnsiLowerCase(const String& aText) {
    return FromQ(ToQ(aText).toLower());
}

String Trim(const String& aText) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t begin = 0;
    std::size_t end = aText.size();
    while (begin < end && isBlank(aText[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(aText[end - 1])) {
        --end;
    }
    return aText.substr(begin, end - begin);
}

namespace {

bool IsContinuation(char aByte) {
    return (static_cast<unsigned char>(aByte) & 0xC0) == 0x80;
}

// The bytes of the character a lead byte starts; 1 for a byte that starts none.
std::size_t SequenceLength(char aLead) {
    const auto byte = static_cast<unsigned char>(aLead);
    if (byte >= 0xF0 && byte <= 0xF7) {
        return 4;
    }
    if (byte >= 0xE0) {
        return byte <= 0xEF ? 3 : 1;
    }
    return byte >= 0xC0 ? 2 : 1;
}

} // namespace

String Utf8Truncate(const String& aText, std::size_t aMaxBytes) {
    if (aText.size() <= aMaxBytes) {
        return aText;
    }
    // A character is at most four bytes: step back over at most three continuation
    // bytes (10xxxxxx) to the lead byte of the character the limit would split.
    // Continuation bytes with no such lead are characters of their own and stay.
    std::size_t start = aMaxBytes;
    while (start > 0 && aMaxBytes - start < 3 && IsContinuation(aText[start])) {
        --start;
    }
    const bool split = start < aMaxBytes && !IsContinuation(aText[start]) &&
                       start + SequenceLength(aText[start]) > aMaxBytes;
    return aText.substr(0, split ? start : aMaxBytes);
}

} // namespace fw
