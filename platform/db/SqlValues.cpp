// SPDX-License-Identifier: MIT
// Conversions between the framework's variants and the values QtSql binds and
// returns, and reading rows.
#include "platform/db/internal/SqlImpl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "platform/rtl/DateUtils.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QTime>
#include <QTimeZone>

#include <cmath>
#include <cstdio>

namespace fw {

QString ToQString(const String& aText) {
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

String FromQString(const QString& aText) {
    return aText.toUtf8().toStdString();
}

void RaiseSqlError(const String& aWhat, const QSqlQuery& aQuery) {
    String message = FromQString(aQuery.lastError().text());
    if (message.empty())
        message = "unknown database error";
    throw EDatabaseError(aWhat + ": " + message);
}

void FetchRows(QSqlQuery& aQuery, const std::vector<TFieldType>& aTypes,
               std::vector<TRecordValues>& aRows, const std::vector<int32_t>& aRaw) {
    while (aQuery.next()) {
        TRecordValues row;
        row.reserve(aTypes.size() + aRaw.size());
        for (std::size_t i = 0; i < aTypes.size(); ++i)
            row.push_back(FromSqlValue(aQuery.value(static_cast<int>(i)), aTypes[i]));
        for (int32_t column : aRaw)
            row.push_back(RawSqlValue(aQuery.value(column)));
        aRows.push_back(std::move(row));
    }
    if (aQuery.lastError().isValid())
        RaiseSqlError("Reading records failed", aQuery);
}

namespace {

TDateTime FromQDate(const QDate& aDate) {
    return EncodeDate(aDate.year(), aDate.month(), aDate.day());
}

TDateTime FromQTime(const QTime& aTime) {
    return EncodeTime(aTime.hour(), aTime.minute(), aTime.second(), aTime.msec());
}

// Days from the Julian day 0 to the date-time 0 (30 December 1899), the Unix epoch
// in date-time days, and the largest number SQLite's date functions take for a
// Julian day rather than Unix seconds.
constexpr double JulianDayOfZero = 2415018.5;
constexpr double UnixEpochDay = 25569.0;
constexpr double LastJulianDay = 5373484.499999;

// Years 1 to 9999: the calendar's range, and the field's.
bool InCalendar(TDateTime aValue) {
    return std::isfinite(aValue) && aValue >= -693593.0 && aValue < 2958466.0;
}

// A zone suffix of a date-time text: "Z", or an offset "+02", "+02:00", "-0530".
struct TZoneSuffix {
    bool Present = false;
    bool Utc = false;
    int Offset = 0; // seconds east of UTC
};

// Cuts a zone suffix off the time part aTime.
TZoneSuffix SplitZone(QString& aTime) {
    static const QRegularExpression zoneAtEnd(
        QStringLiteral("\\s*([Zz]|[+-]\\d{2}(?::?\\d{2}(?::?\\d{2})?)?)$"));
    TZoneSuffix zone;
    const QRegularExpressionMatch match = zoneAtEnd.match(aTime);
    if (!match.hasMatch() || match.capturedStart() == 0)
        return zone;
    const QString text = match.captured(1);
    aTime = aTime.left(match.capturedStart());
    zone.Present = true;
    if (text.size() == 1) {
        zone.Utc = true;
        return zone;
    }
    QString digits = text.mid(1);
    digits.remove(u':');
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() >= 4 ? digits.mid(2, 2).toInt() : 0;
    const int seconds = digits.size() >= 6 ? digits.mid(4, 2).toInt() : 0;
    zone.Offset = (text.startsWith(u'-') ? -1 : 1) * (hours * 3600 + minutes * 60 + seconds);
    return zone;
}

QTime ParseQTime(const QString& aText) {
    QTime time = QTime::fromString(aText, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QTime::fromString(aText, Qt::ISODate);
    return time;
}

bool ParseTime(const QString& aText, TDateTime& aValue) {
    const QTime time = ParseQTime(aText);
    if (!time.isValid())
        return false;
    aValue = FromQTime(time);
    return true;
}

// "2024-01-01", "2024-01-01 04:15:00.123", "2024-01-01T04:15:00Z", with a zone
// converted to local time. False for anything else, "infinity", years after 9999
// and years BC ("0044-03-15 BC") included.
bool ParseDateTime(const QString& aText, TDateTime& aValue) {
    QDate date = QDate::fromString(aText.left(10), Qt::ISODate);
    if (!date.isValid())
        return false;
    QString rest = aText.mid(10).trimmed();
    if (rest.startsWith(u'T'))
        rest = rest.mid(1);
    QTime time(0, 0);
    if (!rest.isEmpty()) {
        const TZoneSuffix zone = SplitZone(rest);
        time = ParseQTime(rest);
        if (!time.isValid())
            return false;
        if (zone.Present) {
            const QTimeZone from = zone.Utc ? QTimeZone::utc() : QTimeZone(zone.Offset);
            const QDateTime local = QDateTime(date, time, from).toLocalTime();
            date = local.date();
            time = local.time();
        }
    }
    if (date.year() < 1 || date.year() > 9999)
        return false;
    aValue = ComposeDateTime(FromQDate(date), FromQTime(time));
    return true;
}

bool IsNumber(const QVariant& aValue) {
    switch (aValue.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// SQLite's numeric dates: a Julian day, or Unix seconds beyond the Julian days.
bool NumericDateTime(const QVariant& aValue, TDateTime& aResult) {
    const double number = aValue.toDouble();
    aResult = number >= 0.0 && number <= LastJulianDay ? number - JulianDayOfZero
                                                       : UnixEpochDay + number / 86400.0;
    return InCalendar(aResult);
}

Variant DateTimeFromSql(const QVariant& aValue, TFieldType aType) {
    TDateTime value = 0.0;
    bool ok = false;
    switch (aValue.typeId()) {
    case QMetaType::QDate:
        value = FromQDate(aValue.toDate());
        ok = aValue.toDate().isValid();
        break;
    case QMetaType::QTime:
        value = FromQTime(aValue.toTime());
        ok = aValue.toTime().isValid();
        break;
    case QMetaType::QDateTime: {
        const QDateTime dateTime = aValue.toDateTime();
        ok = dateTime.isValid();
        if (ok)
            value = ComposeDateTime(FromQDate(dateTime.date()), FromQTime(dateTime.time()));
        break;
    }
    default: {
        if (IsNumber(aValue)) {
            ok = aType != ftTime && NumericDateTime(aValue, value);
            break;
        }
        const QString text = aValue.toString().trimmed();
        ok = aType == ftTime ? ParseTime(text, value) : ParseDateTime(text, value);
        if (!ok && aType == ftTime)
            ok = ParseDateTime(text, value);
        break;
    }
    }
    if (!ok)
        return RawSqlValue(aValue);
    if (aType == ftDate)
        value = DateOf(value);
    else if (aType == ftTime)
        value = TimeOf(value);
    return Variant::FromDateTime(value);
}

Variant BooleanFromSql(const QVariant& aValue) {
    if (aValue.typeId() == QMetaType::QString) {
        const QString text = aValue.toString().trimmed().toLower();
        return Variant(!(text.isEmpty() || text == u"0" || text == u"false" || text == u"f" ||
                         text == u"no" || text == u"n"));
    }
    return Variant(aValue.toBool());
}

QString IsoDate(TDateTime aValue) {
    const TDateParts date = DecodeDate(aValue);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    return QString::fromLatin1(text);
}

QString IsoTime(TDateTime aValue) {
    const TTimeParts time = DecodeTime(aValue);
    char text[24];
    if (time.MSec != 0)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", time.Hour, time.Minute, time.Second,
                      time.MSec);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
    return QString::fromLatin1(text);
}

TDateTime FromQDateTime(const QDateTime& aValue) {
    return ComposeDateTime(FromQDate(aValue.date()), FromQTime(aValue.time()));
}

QDateTime ToLocalQDateTime(TDateTime aValue) {
    const TDateParts date = DecodeDate(aValue);
    const TTimeParts time = DecodeTime(aValue);
    return QDateTime(QDate(date.Year, date.Month, date.Day),
                     QTime(time.Hour, time.Minute, time.Second, time.MSec), Qt::LocalTime);
}

QString OffsetText(int aSeconds) {
    const int magnitude = aSeconds < 0 ? -aSeconds : aSeconds;
    QString text = QString(aSeconds < 0 ? u'-' : u'+') +
                   QStringLiteral("%1:%2")
                       .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
                       .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
    if (magnitude % 60 != 0)
        text += QStringLiteral(":%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return text;
}

// A date-time as the number the stored one was: a Julian day, or Unix seconds
// (whole when they were an integer and the value has no fraction of a second).
QVariant NumericDateTimeToSql(TDateTime aValue, const Variant& aStored) {
    const double stored = aStored.AsDouble();
    if (stored >= 0.0 && stored <= LastJulianDay)
        return QVariant(aValue + JulianDayOfZero);
    const double seconds = (aValue - UnixEpochDay) * 86400.0;
    const double whole = std::round(seconds);
    if (aStored.VarType() == varInteger && std::fabs(seconds - whole) < 0.0005)
        return QVariant(static_cast<qlonglong>(whole));
    return QVariant(seconds);
}

// A date-time as text, in the shape of aStored: its separator and its zone suffix,
// the value converted from local time to that zone.
QString DateTimeText(TDateTime aValue, const Variant& aStored, bool aZoned) {
    QString stored = aStored.VarType() == varString ? ToQString(aStored.AsString()) : QString();
    const QChar separator = stored.size() > 10 && stored.at(10) == u'T' ? u'T' : u' ';
    QString storedTime = stored.mid(11);
    const TZoneSuffix zone = SplitZone(storedTime);
    if (!zone.Present && !aZoned)
        return IsoDate(aValue) + separator + IsoTime(aValue);
    const QDateTime local = ToLocalQDateTime(aValue);
    QDateTime shifted = local;
    QString suffix;
    if (zone.Utc) {
        shifted = local.toUTC();
        suffix = QStringLiteral("Z");
    } else if (zone.Present) {
        shifted = local.toOffsetFromUtc(zone.Offset);
        suffix = OffsetText(zone.Offset);
    } else {
        suffix = OffsetText(local.offsetFromUtc());
    }
    const TDateTime written = FromQDateTime(shifted);
    return IsoDate(written) + separator + IsoTime(written) + suffix;
}

// "-12", "0", "42": text that SQLite would store as an integer without change.
bool IsCanonicalInteger(const String& aText) {
    static const QRegularExpression integer(QStringLiteral("^-?(0|[1-9][0-9]{0,18})$"));
    const QString text = ToQString(aText);
    if (!integer.match(text).hasMatch() || text == u"-0")
        return false;
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

Variant DecimalFromSql(const QVariant& aValue) {
    switch (aValue.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return Variant(TDecimal::FromInt64(aValue.toLongLong()));
    case QMetaType::Double: {
        const double number = aValue.toDouble();
        if (std::isfinite(number))
            return Variant(TDecimal::FromDouble(number));
        break;
    }
    case QMetaType::QString: {
        TDecimal number;
        if (TDecimal::TryParse(FromQString(aValue.toString()), number))
            return Variant(number);
        break;
    }
    default:
        break;
    }
    // 'NaN', or text that is no number: kept as stored.
    return RawSqlValue(aValue);
}

// SQLite gives a NUMERIC column's value an integer or a double when it is one of
// those exactly; text of more than 15 significant digits it would turn into a
// rounded double, so such a value is refused rather than changed.
constexpr int32_t SqliteExactDigits = 15;

QVariant DecimalToSqlite(const TDecimal& aValue) {
    int64_t integer = 0;
    if (aValue.SignificantScale() == 0 && aValue.TryRoundToInt64(integer))
        return QVariant(static_cast<qlonglong>(integer));
    if (aValue.SignificantDigits() > SqliteExactDigits)
        throw EDatabaseError("The number " + aValue.ToString() + " has more than " +
                             std::to_string(SqliteExactDigits) +
                             " significant digits, which SQLite cannot store exactly");
    return QVariant(aValue.ToDouble());
}

bool IsBinaryType(TFieldType aType) {
    return aType == ftBlob || aType == ftBytes || aType == ftVarBytes || aType == ftGraphic ||
           aType == ftTypedBinary;
}

} // namespace

Variant RawSqlValue(const QVariant& aValue) {
    if (aValue.isNull() || !aValue.isValid())
        return Null();
    switch (aValue.typeId()) {
    case QMetaType::Bool:
        return Variant(aValue.toBool());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return Variant(static_cast<long long>(aValue.toLongLong()));
    case QMetaType::Float:
    case QMetaType::Double:
        return Variant(aValue.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = aValue.toByteArray();
        return Variant(String(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    default:
        return Variant(FromQString(aValue.toString()));
    }
}

QVariant RawToSql(const Variant& aValue, TFieldType aType) {
    if (aValue.IsNull() || aValue.IsEmpty())
        return QVariant();
    if (IsBinaryType(aType)) {
        const String bytes = aValue.AsString();
        return QVariant(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    return ToSqlParam(aValue);
}

Variant FromSqlValue(const QVariant& aValue, TFieldType aType) {
    if (aValue.isNull() || !aValue.isValid())
        return Null();
    bool ok = true;
    switch (aType) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
        if (aValue.typeId() == QMetaType::Double) {
            // A fraction stays visible rather than being rounded away.
            const double number = aValue.toDouble();
            if (number == std::floor(number) && std::fabs(number) < 9.2e18)
                return Variant(static_cast<long long>(number));
            break;
        }
        const qlonglong number = aValue.toLongLong(&ok);
        if (ok)
            return Variant(static_cast<long long>(number));
        break;
    }
    case ftBoolean:
        return BooleanFromSql(aValue);
    case ftFloat: {
        const double number = aValue.toDouble(&ok);
        if (ok)
            return Variant(number);
        break;
    }
    case ftCurrency:
    case ftBCD:
        return DecimalFromSql(aValue);
    case ftDate:
    case ftTime:
    case ftDateTime:
        return DateTimeFromSql(aValue, aType);
    case ftBlob:
    case ftBytes:
    case ftVarBytes:
    case ftGraphic:
    case ftTypedBinary: {
        const QByteArray bytes = aValue.toByteArray();
        return Variant(String(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    case ftUnknown:
        // An untyped column keeps each value as the engine stored it.
        return RawSqlValue(aValue);
    default:
        break;
    }
    return Variant(FromQString(aValue.toString()));
}

QVariant ToSqlValue(const Variant& aValue, TFieldType aType, TSqlDriver aDriver,
                    const Variant& aStored, bool aZoned) {
    if (aValue.IsNull() || aValue.IsEmpty())
        return QVariant();
    switch (aType) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
        return QVariant(static_cast<qlonglong>(aValue.AsInt64()));
    case ftBoolean:
        if (aDriver == sdSQLite)
            return QVariant(aValue.AsBoolean() ? 1 : 0);
        return QVariant(aValue.AsBoolean());
    case ftFloat:
        return QVariant(aValue.AsDouble());
    case ftCurrency:
    case ftBCD:
        if (aValue.VarType() == varString)
            return QVariant(ToQString(aValue.AsString()));
        if (aDriver == sdSQLite)
            return DecimalToSqlite(aValue.AsDecimal());
        return QVariant(ToQString(aValue.AsDecimal().ToString()));
    case ftDate:
        if (aStored.VarType() == varInteger || aStored.VarType() == varDouble)
            return NumericDateTimeToSql(DateOf(aValue.AsDateTime()), aStored);
        return IsoDate(aValue.AsDateTime());
    case ftTime:
        return IsoTime(aValue.AsDateTime());
    case ftDateTime:
        if (aStored.VarType() == varInteger || aStored.VarType() == varDouble)
            return NumericDateTimeToSql(aValue.AsDateTime(), aStored);
        return DateTimeText(aValue.AsDateTime(), aStored, aZoned);
    case ftBlob:
    case ftBytes:
    case ftVarBytes:
    case ftGraphic:
    case ftTypedBinary: {
        const String bytes = aValue.AsString();
        return QVariant(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    case ftUnknown:
        // Numbers stay numbers; in SQLite, typed text that is an integer is stored
        // as one, as the other keys and values of such a column were.
        if (aValue.VarType() == varInteger || aValue.VarType() == varDouble ||
            (aDriver == sdSQLite && IsCanonicalInteger(aValue.AsString())))
            return ToSqlParam(aValue.VarType() == varString
                                  ? Variant(static_cast<long long>(aValue.AsInt64()))
                                  : aValue);
        return QVariant(ToQString(aValue.AsString()));
    default:
        return QVariant(ToQString(aValue.AsString()));
    }
}

QVariant ToSqlParam(const Variant& aValue) {
    switch (aValue.VarType()) {
    case varEmpty:
    case varNull:
        return QVariant();
    case varBoolean:
        return QVariant(aValue.AsBoolean());
    case varInteger:
        return QVariant(static_cast<qlonglong>(aValue.AsInt64()));
    case varDouble:
        return QVariant(aValue.AsDouble());
    case varDate: {
        const TDateTime value = aValue.AsDateTime();
        if (TimeOf(value) == 0.0)
            return IsoDate(value);
        return IsoDate(value) + u' ' + IsoTime(value);
    }
    case varString:
        return QVariant(ToQString(aValue.AsString()));
    case varDecimal:
        return QVariant(ToQString(aValue.AsDecimal().ToString()));
    }
    return QVariant();
}

std::vector<QVariant> ToSqlParams(const std::vector<Variant>& aValues) {
    std::vector<QVariant> params;
    params.reserve(aValues.size());
    for (const Variant& value : aValues)
        params.push_back(ToSqlParam(value));
    return params;
}

} // namespace fw
