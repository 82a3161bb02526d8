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
    return Sign(Collator(Qt::CaseInsensitive).compare(ToQ(aLeft), ToQ(aRight)));
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

String Utf8Truncate(const String& aText, std::size_t aMaxBytes) {
    if (aText.size() <= aMaxBytes) {
        return aText;
    }
    std::size_t cut = aMaxBytes;
    // Step back over continuation bytes (10xxxxxx) to the lead byte of the
    // character that the limit would split.
    while (cut > 0 && (static_cast<unsigned char>(aText[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return aText.substr(0, cut);
}

} // namespace fw
