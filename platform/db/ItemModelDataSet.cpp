// SPDX-License-Identifier: MIT
#include "platform/db/ItemModelDataSet.h"

#include "platform/rtl/DateUtils.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QPointer>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace fw {

FW_IMPLEMENT_CLASS(TItemModelDataSet)

namespace {

String FromQString(const QString& aText) {
    QByteArray bytes = aText.toUtf8();
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString ToQString(const String& aText) {
    return QString::fromUtf8(aText.data(), static_cast<qsizetype>(aText.size()));
}

TFieldType FieldTypeOf(QMetaType aType) {
    switch (aType.id()) {
    case QMetaType::Bool:
        return ftBoolean;
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        return ftSmallint;
    case QMetaType::UShort:
    case QMetaType::UChar:
        return ftWord;
    case QMetaType::Int:
        return ftInteger;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return ftLargeint;
    case QMetaType::Double:
    case QMetaType::Float:
        return ftFloat;
    case QMetaType::QDate:
        return ftDate;
    case QMetaType::QTime:
        return ftTime;
    case QMetaType::QDateTime:
        return ftDateTime;
    case QMetaType::QByteArray:
        return ftBlob;
    case QMetaType::QString:
        return ftString;
    default:
        return ftUnknown;
    }
}

bool IsWholeNumberType(TFieldType aType) {
    return aType == ftSmallint || aType == ftInteger || aType == ftWord || aType == ftLargeint ||
           aType == ftAutoInc;
}

const QDate& DayZero() {
    static const QDate day(1899, 12, 30);
    return day;
}

TDateTime FromQDate(const QDate& aDate) {
    return static_cast<TDateTime>(DayZero().daysTo(aDate));
}

TDateTime FromQTime(const QTime& aTime) {
    return static_cast<TDateTime>(aTime.msecsSinceStartOfDay()) / 86400000.0;
}

QDate ToQDate(TDateTime aValue) {
    TDateParts parts = DecodeDate(aValue);
    return QDate(parts.Year, parts.Month, parts.Day);
}

QTime ToQTime(TDateTime aValue) {
    TTimeParts parts = DecodeTime(aValue);
    return QTime(parts.Hour, parts.Minute, parts.Second, parts.MSec);
}

[[noreturn]] void RaiseUnconvertible(const String& aColumn, const QVariant& aValue,
                                     const char* aWanted) {
    throw EDatabaseError("Column '" + aColumn + "' holds '" + FromQString(aValue.toString()) +
                         "', which is not " + aWanted);
}

Variant FromModelValue(const QVariant& aValue, TFieldType aType, const String& aColumn) {
    if (!aValue.isValid() || aValue.isNull()) {
        return Variant::Null();
    }
    bool ok = true;
    if (IsWholeNumberType(aType)) {
        qlonglong number = aValue.toLongLong(&ok);
        if (!ok) {
            RaiseUnconvertible(aColumn, aValue, "a whole number");
        }
        return Variant(static_cast<long long>(number));
    }
    switch (aType) {
    case ftBoolean:
        return Variant(aValue.toBool());
    case ftFloat: {
        double number = aValue.toDouble(&ok);
        if (!ok) {
            RaiseUnconvertible(aColumn, aValue, "a number");
        }
        return Variant(number);
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
        QDateTime moment = aValue.toDateTime();
        QDate day = aType == ftTime ? DayZero() : aValue.toDate();
        QTime time = aType == ftDate ? QTime(0, 0) : aValue.toTime();
        if (aType == ftDateTime && moment.isValid()) {
            day = moment.date();
            time = moment.time();
        }
        if (!day.isValid() || !time.isValid() || day.year() < 1 || day.year() > 9999) {
            RaiseUnconvertible(aColumn, aValue, "a date or time between the years 1 and 9999");
        }
        return Variant::FromDateTime(ComposeDateTime(FromQDate(day), FromQTime(time)));
    }
    case ftBlob: {
        QByteArray bytes = aValue.toByteArray();
        return Variant(String(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
    default:
        return Variant(FromQString(aValue.toString()));
    }
}

QVariant ToModelValue(const Variant& aValue, TFieldType aType) {
    if (aValue.IsNull() || aValue.IsEmpty()) {
        return QVariant();
    }
    if (IsWholeNumberType(aType)) {
        return QVariant(static_cast<qlonglong>(aValue.AsInt64()));
    }
    switch (aType) {
    case ftBoolean:
        return QVariant(aValue.AsBoolean());
    case ftFloat:
        return QVariant(aValue.AsDouble());
    case ftDate:
        return QVariant(ToQDate(aValue.AsDateTime()));
    case ftTime:
        return QVariant(ToQTime(aValue.AsDateTime()));
    case ftDateTime:
        return QVariant(QDateTime(ToQDate(aValue.AsDateTime()), ToQTime(aValue.AsDateTime())));
    case ftBlob: {
        String bytes = aValue.AsString();
        return QVariant(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    default:
        return QVariant(ToQString(aValue.AsString()));
    }
}

// The value in the form the model held before, where it converts (an int column of
// a QStandardItemModel stays int), so the model's own type checks keep working.
QVariant InModelForm(QVariant aValue, const QVariant& aPrevious) {
    if (aValue.isValid() && aPrevious.isValid() && !aPrevious.isNull() &&
        aPrevious.metaType() != aValue.metaType()) {
        QVariant converted = aValue;
        if (converted.convert(aPrevious.metaType()) && converted == aValue) {
            return converted;
        }
    }
    return aValue;
}

// The string kind holds 250 bytes. A text value longer than that would be cut if
// its row were a one-line row, so such a column is a memo column.
bool FitsStringKind(const QVariant& aValue) {
    return aValue.toString().toUtf8().size() <= 250;
}

// Whether column aColumn can be a one-line row: by its declared length when the
// model gives one (at most 60 characters of up to four bytes), otherwise by the
// rows read so far.
bool TextFitsStringKind(const QAbstractItemModel& aModel, int aColumn, int32_t aDeclared) {
    if (aDeclared > 0) {
        return aDeclared <= 60;
    }
    for (int row = 0; row < aModel.rowCount(); ++row) {
        if (!FitsStringKind(aModel.index(row, aColumn).data(Qt::EditRole))) {
            return false;
        }
    }
    return true;
}

String ModelErrorText(const QAbstractItemModel& aModel) {
    if (auto* sql = qobject_cast<const QSqlTableModel*>(&aModel); sql != nullptr) {
        return FromQString(sql->lastError().text().trimmed());
    }
    return String();
}

} // namespace

// The Qt side: the model pointer (cleared when the model goes) and the connections
// to its signals, which end with this object.
struct TItemModelDataSet::TModelLink : QObject {
    QPointer<QAbstractItemModel> Model;
    // True while the data set writes into the model: its own dataChanged is no news.
    bool Writing = false;
};

TItemModelDataSet::TItemModelDataSet() : FLink(std::make_unique<TModelLink>()) {
    SetName("Item model");
}

TItemModelDataSet::~TItemModelDataSet() {
    Close();
}

QAbstractItemModel* TItemModelDataSet::Model() const {
    return FLink->Model;
}

void TItemModelDataSet::SetModel(QAbstractItemModel* aModel) {
    bool wasActive = Active();
    Close();
    if (FLink->Model) {
        QObject::disconnect(FLink->Model, nullptr, FLink.get(), nullptr);
    }
    FLink->Model = aModel;
    if (aModel == nullptr) {
        return;
    }
    TModelLink* link = FLink.get();
    auto values = [this] { ModelValuesChanged(-1, -1); };
    auto shape = [this] { ModelShapeChanged(); };
    QObject::connect(aModel, &QAbstractItemModel::dataChanged, link,
                     [this](const QModelIndex& aFrom, const QModelIndex& aTo) {
                         ModelValuesChanged(aFrom.row(), aTo.row());
                     });
    QObject::connect(
        aModel, &QAbstractItemModel::rowsInserted, link,
        [this](const QModelIndex&, int aFirst, int aLast) { ModelValuesChanged(aFirst, aLast); });
    QObject::connect(aModel, &QAbstractItemModel::rowsRemoved, link, values);
    QObject::connect(aModel, &QAbstractItemModel::rowsMoved, link, values);
    QObject::connect(aModel, &QAbstractItemModel::layoutChanged, link, values);
    QObject::connect(aModel, &QAbstractItemModel::modelReset, link, shape);
    QObject::connect(aModel, &QAbstractItemModel::headerDataChanged, link, shape);
    QObject::connect(aModel, &QAbstractItemModel::columnsInserted, link, shape);
    QObject::connect(aModel, &QAbstractItemModel::columnsRemoved, link, shape);
    QObject::connect(aModel, &QAbstractItemModel::columnsMoved, link, shape);
    QObject::connect(aModel, &QObject::destroyed, link, [this] { ModelDestroyed(); });
    if (wasActive) {
        Open();
    }
}

bool TItemModelDataSet::CanModify() const {
    if (!FLink->Model) {
        return false;
    }
    for (int32_t i = 0; i < FieldCount(); ++i) {
        if (!Fields(i).ReadOnly()) {
            return true;
        }
    }
    return FieldCount() == 0;
}

void TItemModelDataSet::InternalInitFieldDefs(TFieldDefs& aDefs) {
    QAbstractItemModel* model = FLink->Model;
    FTypes.clear();
    if (model == nullptr) {
        DatabaseError("Cannot open the data set: no item model is set");
    }
    auto* sqlModel = qobject_cast<QSqlQueryModel*>(model);
    QSqlRecord record = sqlModel != nullptr ? sqlModel->record() : QSqlRecord();
    bool hasRow = model->rowCount() > 0;
    for (int column = 0; column < model->columnCount(); ++column) {
        String name = FromQString(model->headerData(column, Qt::Horizontal).toString());
        if (name.empty() || aDefs.IndexOf(name) >= 0) {
            name = (name.empty() ? String("Column") : name) + " " + std::to_string(column + 1);
        }
        TFieldType type = ftUnknown;
        int32_t size = 0;
        if (column < record.count()) {
            QSqlField field = record.field(column);
            type = FieldTypeOf(field.metaType());
            size = std::max(field.length(), 0);
        }
        if (type == ftUnknown && hasRow) {
            type = FieldTypeOf(model->index(0, column).data(Qt::EditRole).metaType());
        }
        if (type == ftUnknown) {
            type = ftString;
        }
        if (type == ftString && !TextFitsStringKind(*model, column, size)) {
            type = ftMemo;
            size = 0;
        }
        TFieldDef& def = aDefs.Add(name, type, size);
        bool editable =
            hasRow ? (model->flags(model->index(0, column)) & Qt::ItemIsEditable) != 0
                   : qobject_cast<QSqlTableModel*>(model) != nullptr || sqlModel == nullptr;
        def.ReadOnly = !editable;
        FTypes.push_back(type);
    }
}

void TItemModelDataSet::InternalOpen() {}

bool TItemModelDataSet::InternalFetch(int64_t aIndex, TRecordValues& aValues) {
    QAbstractItemModel* model = FLink->Model;
    if (model == nullptr || aIndex < 0) {
        return false;
    }
    while (aIndex >= model->rowCount() && model->canFetchMore(QModelIndex())) {
        model->fetchMore(QModelIndex());
    }
    if (aIndex >= model->rowCount()) {
        return false;
    }
    int row = static_cast<int>(aIndex);
    aValues.assign(FTypes.size(), Variant::Null());
    for (size_t column = 0; column < FTypes.size(); ++column) {
        QVariant value = model->index(row, static_cast<int>(column)).data(Qt::EditRole);
        aValues[column] =
            FromModelValue(value, FTypes[column], Fields(static_cast<int32_t>(column)).FieldName());
    }
    return true;
}

int64_t TItemModelDataSet::InternalRecordCount() {
    QAbstractItemModel* model = FLink->Model;
    if (model == nullptr) {
        return 0;
    }
    while (model->canFetchMore(QModelIndex())) {
        model->fetchMore(QModelIndex());
    }
    return model->rowCount();
}

void TItemModelDataSet::WriteColumn(int32_t aRow, int32_t aColumn, const Variant& aValue) {
    QAbstractItemModel& model = *FLink->Model;
    QModelIndex index = model.index(aRow, aColumn);
    QVariant value = InModelForm(ToModelValue(aValue, FTypes[static_cast<size_t>(aColumn)]),
                                 index.data(Qt::EditRole));
    FLink->Writing = true;
    bool written = model.setData(index, value, Qt::EditRole);
    FLink->Writing = false;
    if (!written) {
        String reason = ModelErrorText(model);
        DatabaseError("The model refused the value '" + aValue.AsString() + "' for '" +
                      Fields(aColumn).FieldName() + "'" +
                      (reason.empty() ? String() : ": " + reason));
    }
}

int64_t TItemModelDataSet::InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues,
                                        bool aInserting, int64_t aIndex) {
    QAbstractItemModel* model = FLink->Model;
    if (model == nullptr) {
        DatabaseError("Cannot post: the item model is gone");
    }
    int row = static_cast<int>(aIndex);
    if (aInserting) {
        row = model->rowCount();
        FLink->Writing = true;
        bool inserted = model->insertRows(row, 1);
        FLink->Writing = false;
        if (!inserted) {
            DatabaseError("The model refused a new row: " + ModelErrorText(*model));
        }
    }
    std::vector<int32_t> written;
    try {
        for (int32_t column = 0; column < static_cast<int32_t>(aValues.size()); ++column) {
            const Variant& value = aValues[static_cast<size_t>(column)];
            bool changed =
                aInserting ? !value.IsNull() : !(value == aOldValues[static_cast<size_t>(column)]);
            if (changed) {
                WriteColumn(row, column, value);
                written.push_back(column);
            }
        }
    } catch (...) {
        FLink->Writing = true;
        if (aInserting) {
            model->removeRows(row, 1);
        } else {
            for (int32_t column : written) {
                model->setData(model->index(row, column),
                               ToModelValue(aOldValues[static_cast<size_t>(column)],
                                            FTypes[static_cast<size_t>(column)]),
                               Qt::EditRole);
            }
        }
        FLink->Writing = false;
        throw;
    }
    return row;
}

void TItemModelDataSet::InternalDelete(int64_t aIndex, const TRecordValues&) {
    QAbstractItemModel* model = FLink->Model;
    FLink->Writing = true;
    bool removed = model != nullptr && model->removeRows(static_cast<int>(aIndex), 1);
    FLink->Writing = false;
    if (!removed) {
        DatabaseError("The model refused to remove row " + std::to_string(aIndex + 1) +
                      (model != nullptr ? ": " + ModelErrorText(*model) : String()));
    }
}

int64_t TItemModelDataSet::InternalRefresh(const TRecordValues&, int64_t aIndex) {
    int64_t count = InternalRecordCount();
    return std::min(aIndex, count - 1);
}

void TItemModelDataSet::ModelValuesChanged(int aFirstRow, int aLastRow) {
    if (FLink->Writing || !Active()) {
        return;
    }
    if (OutgrowsStringRows(aFirstRow, aLastRow)) {
        ModelShapeChanged();
        return;
    }
    if (State() != dsBrowse) {
        Cancel();
    }
    Refresh();
}

bool TItemModelDataSet::OutgrowsStringRows(int aFirstRow, int aLastRow) const {
    QAbstractItemModel* model = FLink->Model;
    for (int row = std::max(aFirstRow, 0); model != nullptr && row <= aLastRow; ++row) {
        for (size_t column = 0; column < FTypes.size(); ++column) {
            if (FTypes[column] == ftString && Fields(static_cast<int32_t>(column)).Size() == 0 &&
                !FitsStringKind(model->index(row, static_cast<int>(column)).data(Qt::EditRole))) {
                return true;
            }
        }
    }
    return false;
}

void TItemModelDataSet::ModelShapeChanged() {
    if (FLink->Writing || !Active()) {
        return;
    }
    int64_t recNo = RecNo();
    Close();
    Open();
    if (recNo > 1 && !IsEmpty()) {
        SetRecNo(std::min(recNo, RecordCount()));
    }
}

void TItemModelDataSet::ModelDestroyed() {
    FLink->Model = nullptr;
    Close();
}

} // namespace fw
