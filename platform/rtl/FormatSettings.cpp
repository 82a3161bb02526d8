// SPDX-License-Identifier: MIT
#include "platform/rtl/FormatSettings.h"

#include "platform/rtl/AnsiStrings.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace fw {
namespace {

std::optional<char> AsciiChar(const QString& aText) {
    if (aText.size() == 1 && aText[0].unicode() > 0x20 && aText[0].unicode() < 0x7F) {
        return static_cast<char>(aText[0].unicode());
    }
    return std::nullopt;
}

// The year always with four digits: a date written with two and read back would
// land in the century around today, moving every date outside it.
String WithFullYear(const String& aPattern) {
    const std::size_t first = aPattern.find('y');
    const std::size_t last = aPattern.rfind('y');
    return aPattern.substr(0, first) + "yyyy" + aPattern.substr(last + 1);
}

// Qt's date pattern (d, dd, M, MM, yy, yyyy and one separator) in this layer's
// tokens, with the separator in aSeparator; nothing for patterns with month or
// day names.
std::optional<String> DatePattern(const QString& aQtPattern, char& aSeparator) {
    String pattern;
    std::optional<char> separator;
    for (const QChar qc : aQtPattern) {
        const char16_t c = qc.unicode();
        if (c == 'd' || c == 'M' || c == 'y') {
            pattern += static_cast<char>(c == 'M' ? 'm' : c);
        } else if (c > 0x20 && c < 0x7F && !separator) {
            separator = static_cast<char>(c);
            pattern += '/';
        } else if (separator && c == *separator) {
            pattern += '/';
        } else {
            return std::nullopt;
        }
    }
    if (!separator || pattern.find("mmm") != String::npos || pattern.find("ddd") != String::npos ||
        pattern.find('y') == String::npos) {
        return std::nullopt;
    }
    aSeparator = *separator;
    return WithFullYear(pattern);
}

std::optional<String> TimePattern(const QString& aQtPattern, char& aSeparator) {
    String pattern;
    std::optional<char> separator;
    const QString qt = aQtPattern.trimmed();
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const char16_t c = qt[i].unicode();
        if (c == 'H' || c == 'h') {
            pattern += 'h';
        } else if (c == 'm') {
            pattern += 'n';
        } else if (c == 's') {
            pattern += 's';
        } else if (c == 'A' || c == 'a') {
            if (i + 1 < qt.size() && (qt[i + 1] == 'P' || qt[i + 1] == 'p')) {
                ++i;
            }
            pattern += "AM/PM";
        } else if (c == 't' || c == 'z') {
            continue;
        } else if (c == ' ') {
            pattern += ' ';
        } else if (c > 0x20 && c < 0x7F && (!separator || c == *separator)) {
            separator = static_cast<char>(c);
            pattern += ':';
        } else {
            return std::nullopt;
        }
    }
    // Blanks left at either end by a dropped time-zone or day-period mark.
    pattern = Trim(pattern);
    if (!separator || pattern.find('h') == String::npos) {
        return std::nullopt;
    }
    aSeparator = *separator;
    return pattern;
}

TFormatSettings FromQLocale(const QLocale& aLocale) {
    TFormatSettings settings;
    if (aLocale.language() == QLocale::C) {
        return settings;
    }
    if (const auto decimal = AsciiChar(aLocale.decimalPoint())) {
        settings.DecimalSeparator = *decimal;
    }
    const auto group = AsciiChar(aLocale.groupSeparator());
    settings.ThousandSeparator = group ? *group : (settings.DecimalSeparator == ',' ? '.' : ',');
    char separator = settings.DateSeparator;
    if (const auto pattern = DatePattern(aLocale.dateFormat(QLocale::ShortFormat), separator)) {
        settings.ShortDateFormat = *pattern;
        settings.DateSeparator = separator;
    }
    separator = settings.TimeSeparator;
    if (const auto pattern = TimePattern(aLocale.timeFormat(QLocale::LongFormat), separator)) {
        settings.LongTimeFormat = *pattern;
        settings.TimeSeparator = separator;
    }
    const String am = aLocale.amText().toUtf8().toStdString();
    const String pm = aLocale.pmText().toUtf8().toStdString();
    if (!am.empty() && !pm.empty()) {
        settings.TimeAMString = am;
        settings.TimePMString = pm;
    }
    return settings;
}

} // namespace

TFormatSettings TFormatSettings::FromSystemLocale() {
    return FromQLocale(QLocale::system());
}

TFormatSettings TFormatSettings::FromLocale(const String& aLocaleName) {
    return FromQLocale(QLocale(QString::fromStdString(aLocaleName)));
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings = TFormatSettings::FromSystemLocale();
    return settings;
}

TFormatSettingsScope::TFormatSettingsScope(const TFormatSettings& aSettings)
    : FSaved(FormatSettings()) {
    FormatSettings() = aSettings;
}

TFormatSettingsScope::~TFormatSettingsScope() {
    FormatSettings() = FSaved;
}

} // namespace fw
