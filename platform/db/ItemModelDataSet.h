// SPDX-License-Identifier: MIT
#pragma once
// TItemModelDataSet: a data set over a Qt item model, one record per model row and
// one field per column, so that data-aware controls can show the data a Qt
// application already holds (a QSqlTableModel, a QStandardItemModel, its own model).
//
// Fields are named from the model's horizontal header (Qt::DisplayRole), the column
// number when it gives none. A column's field type comes from the field types of a
// QSqlQueryModel's record, so NULLs and empty tables still get the right kinds;
// for other models from the QMetaType of the first row's Qt::EditRole data (text
// when there is no row). A column whose flags lack Qt::ItemIsEditable is read-only.
// Text is a string field (a one-line row, which holds 250 bytes) only while no value
// can be longer: a declared length of at most 60 characters, or, without one, no
// longer value in the rows read so far; otherwise it is a memo, so nothing is ever
// cut. A longer text arriving later turns the column into a memo.
//
// Post writes the changed columns with setData(..., Qt::EditRole), so the model's
// own rules apply (a QSqlTableModel's edit strategy decides when the database sees
// them). A refused setData raises EDatabaseError naming the column and the value,
// with the model's error text when it has one; the columns written before it are
// given their old values back. Append and Insert add a model row at the end.
//
// The model is not owned. Its changes reach the data set: values changed (not by
// the data set's own writes), rows inserted, removed or moved refresh the current
// record; a reset or a change of the columns or headers re-reads the fields. A
// record being edited is cancelled first, since the model's new content wins. When
// the model is destroyed the data set closes.

#include "platform/db/DataSet.h"

#include <memory>

class QAbstractItemModel;

namespace fw {

class TItemModelDataSet : public TDataSet {
    FW_CLASS(TItemModelDataSet, TDataSet)
public:
    TItemModelDataSet();
    ~TItemModelDataSet() override;

    QAbstractItemModel* Model() const;
    // Closes the data set, takes aModel (nullptr: none) and opens again when it was
    // open and there is a model.
    void SetModel(QAbstractItemModel* aModel);
    bool CanModify() const override;

protected:
    void InternalInitFieldDefs(TFieldDefs& aDefs) override;
    void InternalOpen() override;
    void InternalClose() override {}
    bool InternalFetch(int64_t aIndex, TRecordValues& aValues) override;
    int64_t InternalRecordCount() override;
    int64_t InternalPost(TRecordValues& aValues, const TRecordValues& aOldValues, bool aInserting,
                         int64_t aIndex) override;
    void InternalDelete(int64_t aIndex, const TRecordValues& aValues) override;
    int64_t InternalRefresh(const TRecordValues& aCurrent, int64_t aIndex) override;

private:
    struct TModelLink;
    std::unique_ptr<TModelLink> FLink;
    std::vector<TFieldType> FTypes;

    // Rows aFirstRow to aLastRow changed (-1: unknown rows).
    void ModelValuesChanged(int aFirstRow, int aLastRow);
    // True when one of those rows brings a text too long for a one-line row.
    bool OutgrowsStringRows(int aFirstRow, int aLastRow) const;
    void ModelShapeChanged();
    void ModelDestroyed();
    void WriteColumn(int32_t aRow, int32_t aColumn, const Variant& aValue);
};

} // namespace fw
