// SPDX-License-Identifier: MIT
#pragma once
// quire::QuireWidget: the data-aware property box as a Qt widget.
//
// Put it in any layout, splitter or dock of a Qt Widgets application (which owns its
// QApplication and event loop) and bind it to the item model the application already
// has: one row per model column, named from the horizontal header, showing the model
// row given by setCurrentIndex. Edits go back with setData(..., Qt::EditRole) once
// the person commits them, so the model's rules apply (a QSqlTableModel's edit
// strategy decides when the database sees them). Columns the model does not let edit
// show read-only. Model changes (values, rows, a reset, headers) refresh the rows;
// a deleted model clears them.
//
//   auto* inspector = new quire::QuireWidget;
//   inspector->setModel(tableModel);
//   connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged,
//           inspector, &quire::QuireWidget::setCurrentModelIndex);
//
// Hosts that use the framework's data sets bind with setDataSource instead.
//
// Bad input (text that is no number, a value the model or the database refuses) is
// reported through editingFailed when something is connected to it, otherwise
// through the application's standard error report; the row shows the stored value
// again and nothing is written. The widget's palette gives the box its background
// and text colours, its font the box's font.

#include <QAbstractItemModel>
#include <QVariant>
#include <QWidget>

#include <memory>

namespace fw {
class TDataSource;
}

namespace quire {

class TQuire;

class QuireWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly DESIGNABLE true)
    Q_PROPERTY(int dividerPosition READ dividerPosition WRITE setDividerPosition DESIGNABLE true)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentRowChanged
                   DESIGNABLE false)

public:
    explicit QuireWidget(QWidget* parent = nullptr);
    ~QuireWidget() override;

    // The model is not owned. nullptr unbinds.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const;
    // The model row shown; -1 when none.
    int currentIndex() const;
    // The model rows shown at once (setCurrentIndexes), empty while one row is shown.
    QList<int> currentIndexes() const;

    // Binds a framework data source instead of a model (not owned; nullptr unbinds).
    void setDataSource(fw::TDataSource* source);
    fw::TDataSource* dataSource() const;

    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    // The divider as a percentage of the width. Until the widget is first shown the
    // percentage holds whatever size the layout gives it; then, as the user sees it,
    // the divider keeps its pixel column when the widget is resized.
    int dividerPosition() const;
    void setDividerPosition(int percent);

    // The framework box inside, for hosts that drive it from code.
    TQuire* box() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Shows model row `row`; a row outside the model is reported through
    // editingFailed (or the standard report) and changes nothing.
    void setCurrentIndex(int row);
    void setCurrentModelIndex(const QModelIndex& index);
    // Shows several model rows at once: each row of the inspector holds the column's
    // value of every one (grey, with no value, where they differ), and a value set
    // goes into that column of every one; when the model refuses one row, the rows
    // written before it get their old values back. One row (or none) shows that
    // row as setCurrentIndex does. A row outside the model is reported as there and
    // changes nothing.
    void setCurrentIndexes(const QList<int>& rows);

signals:
    void currentRowChanged(int row);
    void valueChanged(const QString& field, const QVariant& value);
    void editingFailed(const QString& field, const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    friend class TWidgetLink;
    friend class TErrorRouting;
    void applyLook();
    void noteSelection();
    void queuePost();
    void postModelEdit();
    QString currentFieldName() const;
    // Emits editingFailed when something listens; otherwise gives the standard
    // report. Answers whether the signal took it.
    bool reportFailure(const QString& field, const QString& message);
};

} // namespace quire
