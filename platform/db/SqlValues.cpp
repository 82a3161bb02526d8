// Conversions between the framework's variants and the values QtSql binds and
// returns, and the one place statements are run.
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

QSqlQuery ExecQuery(const TSqlConnection& aConnection, const String& aSql,
                    const std::vector<QVariant>& aParams) {
    QSqlQuery query(DatabaseOf(aConnection));
    query.setForwardOnly(true);
    // Statements without parameters run directly: PostgreSQL cannot prepare DDL.
    if (aParams.empty()) {
        if (!query.exec(ToQString(aSql)))
            RaiseSqlError("Statement refused", query);
        return query;
    }
    if (!query.prepare(ToQString(aSql)))
        RaiseSqlError("Cannot prepare '" + aSql + "'", query);
    for (const QVariant& param : aParams)
        query.addBindValue(param);
    if (!query.exec())
        RaiseSqlError("Statement refused", query);
    return query;
}

void FetchRows(QSqlQuery& aQuery, const std::vector<TFieldType>& aTypes,
               std::vector<TRecordValues>& aRows) {
    while (aQuery.next()) {
        TRecordValues row;
        row.reserve(aTypes.size());
        for (std::size_t i = 0; i < aTypes.size(); ++i)
            row.push_back(FromSqlValue(aQuery.value(static_cast<int>(i)), aTypes[i]));
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

bool ParseDate(const QString& aText, TDateTime& aValue) {
    const QDate date = QDate::fromString(aText.left(10), Qt::ISODate);
    if (!date.isValid())
        return false;
    aValue = FromQDate(date);
    return true;
}

bool ParseTime(const QString& aText, TDateTime& aValue) {
    QTime time = QTime::fromString(aText, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QTime::fromString(aText, Qt::ISODate);
    if (!time.isValid())
        return false;
    aValue = FromQTime(time);
    return true;
}

bool ParseDateTime(const QString& aText, TDateTime& aValue) {
    TDateTime date = 0.0;
    if (!ParseDate(aText, date))
        return false;
    const QString rest = aText.mid(10).trimmed();
    TDateTime time = 0.0;
    if (!rest.isEmpty()) {
        QString timeText = rest.startsWith(u'T') ? rest.mid(1) : rest;
        // A trailing zone ("Z", "+00") is not part of a local date-time.
        const qsizetype zone = timeText.indexOf(QRegularExpression(QStringLiteral("[Z+-]")));
        if (zone > 0)
            timeText = timeText.left(zone);
        if (!ParseTime(timeText, time))
            return false;
    }
    aValue = ComposeDateTime(date, time);
    return true;
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
        const QString text = aValue.toString().trimmed();
        ok = aType == ftTime
                 ? ParseTime(text, value)
                 : (aType == ftDate ? ParseDate(text, value) : ParseDateTime(text, value));
        if (!ok && aType == ftTime)
            ok = ParseDateTime(text, value);
        break;
    }
    }
    if (!ok)
        return Variant(FromQString(aValue.toString()));
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

} // namespace

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
        const qlonglong number = aValue.toLongLong(&ok);
        if (ok)
            return Variant(static_cast<long long>(number));
        break;
    }
    case ftBoolean:
        return BooleanFromSql(aValue);
    case ftFloat:
    case ftCurrency:
    case ftBCD: {
        const double number = aValue.toDouble(&ok);
        if (ok)
            return Variant(number);
        break;
    }
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
    default:
        break;
    }
    return Variant(FromQString(aValue.toString()));
}

QVariant ToSqlValue(const Variant& aValue, TFieldType aType, TSqlDriver aDriver) {
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
    case ftCurrency:
    case ftBCD:
        return QVariant(aValue.AsDouble());
    case ftDate:
        return IsoDate(aValue.AsDateTime());
    case ftTime:
        return IsoTime(aValue.AsDateTime());
    case ftDateTime: {
        const TDateTime value = aValue.AsDateTime();
        return IsoDate(value) + u' ' + IsoTime(value);
    }
    case ftBlob:
    case ftBytes:
    case ftVarBytes:
    case ftGraphic:
    case ftTypedBinary: {
        const String bytes = aValue.AsString();
        return QVariant(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
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
