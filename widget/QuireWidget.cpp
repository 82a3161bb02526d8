// SPDX-License-Identifier: MIT
#include "Quire/QuireWidget.h"

#include "widget/WidgetAccessibility.h"
#include "widget/WidgetValues.h"

#include "platform/controls/Application.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/db/ItemModelDataSet.h"
#include "platform/qt/ForeignWindow.h"
#include "platform/qt/QtWindow.h"
#include "platform/rtl/Exceptions.h"
#include "quire/box/Quire.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QMetaMethod>
#include <QPointer>
#include <QResizeEvent>

namespace quire {

namespace {

fw::TColor FromQColor(const QColor& aColor) {
    return fw::RGB(static_cast<uint8_t>(aColor.red()), static_cast<uint8_t>(aColor.green()),
                   static_cast<uint8_t>(aColor.blue()));
}

} // namespace

// Errors that reach the event loop from inside a widget's box (text that does not
// convert, a value the data set refuses) go to that widget's editingFailed when
// something listens to it; everything else goes where it went before.
class TErrorRouting {
public:
    static void Add(QuireWidget* aWidget) {
        Widgets().push_back(aWidget);
        if (!Installed()) {
            Installed() = true;
            Previous() = fw::Application->OnException;
            fw::Application->OnException = &Route;
        }
    }
    static void Remove(QuireWidget* aWidget) { std::erase(Widgets(), aWidget); }

private:
    static std::vector<QuireWidget*>& Widgets() {
        static std::vector<QuireWidget*> widgets;
        return widgets;
    }
    static bool& Installed() {
        static bool installed = false;
        return installed;
    }
    static fw::TExceptionEvent& Previous() {
        static fw::TExceptionEvent previous;
        return previous;
    }
    static QuireWidget* Owner(fw::TObject* aSender) {
        auto* control = dynamic_cast<fw::TControl*>(aSender);
        for (; control != nullptr; control = control->Parent()) {
            for (QuireWidget* widget : Widgets()) {
                if (widget->box() == control) {
                    return widget;
                }
            }
        }
        return nullptr;
    }
    static void Route(fw::TObject* aSender, const std::exception_ptr& aError) {
        QuireWidget* widget = Owner(aSender);
        if (widget != nullptr) {
            QString message;
            try {
                std::rethrow_exception(aError);
            } catch (const fw::Exception& e) {
                message = ToQString(e.Message());
            } catch (const std::exception& e) {
                message = QString::fromUtf8(e.what());
            } catch (...) {
                message = QStringLiteral("Unknown exception");
            }
            if (widget->isSignalConnected(QMetaMethod::fromSignal(&QuireWidget::editingFailed))) {
                emit widget->editingFailed(widget->currentFieldName(), message);
                return;
            }
        }
        if (Previous()) {
            Previous()(aSender, aError);
            return;
        }
        try {
            std::rethrow_exception(aError);
        } catch (const fw::Exception& e) {
            fw::Application->ShowException(e.ClassName(), e.Message());
        } catch (const std::exception& e) {
            fw::Application->ShowException("std::exception", e.what());
        } catch (...) {
            fw::Application->ShowException("", "Unknown exception");
        }
    }
};

// Hears the bound data set for the widget's signals and, for a model, writes each
// committed change into the model once the change has been handled.
class TWidgetLink final : public fw::TDataLink {
public:
    explicit TWidgetLink(QuireWidget& aWidget) : FWidget(&aWidget) {}
    std::function<void()> OnFieldWritten;

protected:
    void RecordChanged(fw::TField* aField) override {
        if (aField != nullptr) {
            emit FWidget->valueChanged(ToQString(aField->FieldName()),
                                       ToQVariant(aField->AsVariant(), aField->DataType()));
            TQuire& box = *FWidget->box();
            NotifyRowValueChanged(box, box.Items()->IndexOf(aField->FieldName()));
            if (OnFieldWritten) {
                OnFieldWritten();
            }
            return;
        }
        NoteRow();
    }
    void ActiveChanged() override { NoteRow(); }

private:
    QPointer<QuireWidget> FWidget;
    int FLastRow = -1;

    void NoteRow() {
        if (FWidget) {
            FWidget->noteSelection();
        }
        int row = FWidget ? FWidget->currentIndex() : -1;
        if (row != FLastRow) {
            FLastRow = row;
            emit FWidget->currentRowChanged(row);
        }
    }
};

struct QuireWidget::Private {
    std::unique_ptr<fw::qt::TForeignWindow> Host;
    std::unique_ptr<fw::TItemModelDataSet> ModelData;
    std::unique_ptr<fw::TDataSource> ModelSource;
    std::unique_ptr<TQuire> Box;
    std::unique_ptr<TWidgetLink> Link;
    fw::TDataSource* ExternalSource = nullptr;
    bool PostQueued = false;
    // The divider percentage set before the first showing; -1 when none.
    int PendingDivider = -1;
    bool Shown = false;
    // The item last announced as selected, and its name.
    int SelectedItem = -1;
    QString SelectedName;
};

QuireWidget::QuireWidget(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    d->Host = fw::qt::WrapForeignWidget(this);
    d->ModelData = std::make_unique<fw::TItemModelDataSet>();
    d->ModelSource = std::make_unique<fw::TDataSource>();
    d->Box = std::make_unique<TQuire>();
    d->Link = std::make_unique<TWidgetLink>(*this);
    d->Link->OnFieldWritten = [this] { queuePost(); };
    d->Box->SetParentWindow(d->Host.get());
    d->Box->SetBounds(0, 0, std::max(width(), 1), std::max(height(), 1));
    d->Box->HandleNeeded();
    setFocusPolicy(Qt::StrongFocus);
    if (auto* window = fw::qt::FromHandle(d->Box->WindowHandle()); window != nullptr) {
        setFocusProxy(window->Widget());
        window->Widget()->setFocusPolicy(Qt::StrongFocus);
    }
    applyLook();
    TErrorRouting::Add(this);
    InstallBoxAccessibility();
    qApp->installEventFilter(this);
}

QuireWidget::~QuireWidget() {
    qApp->removeEventFilter(this);
    TErrorRouting::Remove(this);
    d->Box->SetDataSource(nullptr);
    d->Link->SetDataSource(nullptr);
    d->Box.reset();
    d->ModelSource->SetDataSet(nullptr);
    d->ModelData.reset();
}

void QuireWidget::setModel(QAbstractItemModel* model) {
    d->ExternalSource = nullptr;
    try {
        d->ModelData->SetModel(model);
        d->ModelSource->SetDataSet(d->ModelData.get());
        d->Box->SetDataSource(d->ModelSource.get());
        d->Link->SetDataSource(d->ModelSource.get());
        if (model != nullptr) {
            d->ModelData->Open();
        }
    } catch (const fw::Exception& e) {
        reportFailure(QString(), ToQString(e.Message()));
    }
}

QAbstractItemModel* QuireWidget::model() const {
    return d->ExternalSource == nullptr ? d->ModelData->Model() : nullptr;
}

int QuireWidget::currentIndex() const {
    fw::TDataSource* source = dataSource();
    fw::TDataSet* data = source != nullptr ? source->DataSet() : nullptr;
    if (data == nullptr || !data->Active() || data->IsEmpty()) {
        return -1;
    }
    return static_cast<int>(data->RecNo()) - 1;
}

void QuireWidget::setDataSource(fw::TDataSource* source) {
    if (d->ModelData->Active()) {
        d->ModelData->Close();
    }
    d->ModelData->SetModel(nullptr);
    d->ExternalSource = source;
    d->Box->SetDataSource(source);
    d->Link->SetDataSource(source);
}

fw::TDataSource* QuireWidget::dataSource() const {
    return d->ExternalSource != nullptr ? d->ExternalSource : d->ModelSource.get();
}

bool QuireWidget::isReadOnly() const {
    return d->Box->ReadOnly();
}

void QuireWidget::setReadOnly(bool readOnly) {
    d->Box->SetReadOnly(readOnly);
}

int QuireWidget::dividerPosition() const {
    return d->Box->GetDividerPos();
}

void QuireWidget::setDividerPosition(int percent) {
    d->Box->SetDividerPos(percent);
    if (!d->Shown) {
        d->PendingDivider = percent;
    }
}

TQuire* QuireWidget::box() const {
    return d->Box.get();
}

QSize QuireWidget::sizeHint() const {
    return QSize(240, 320);
}

QSize QuireWidget::minimumSizeHint() const {
    return QSize(80, 40);
}

void QuireWidget::setCurrentIndex(int row) {
    fw::TDataSet* data = dataSource() != nullptr ? dataSource()->DataSet() : nullptr;
    try {
        if (data == nullptr || !data->Active()) {
            throw fw::Exception("Cannot show row " + std::to_string(row) + ": nothing is bound");
        }
        int64_t count = data->RecordCount();
        if (row < 0 || row >= count) {
            throw fw::Exception("Cannot show row " + std::to_string(row) + ": the rows are 0 to " +
                                std::to_string(count - 1));
        }
        data->SetRecNo(row + 1);
    } catch (const fw::Exception& e) {
        reportFailure(QString(), ToQString(e.Message()));
    }
}

QList<int> QuireWidget::currentIndexes() const {
    QList<int> rows;
    for (int64_t recNo : d->Box->SelectedRecords()) {
        rows.append(static_cast<int>(recNo - 1));
    }
    return rows;
}

void QuireWidget::setCurrentIndexes(const QList<int>& rows) {
    if (rows.size() <= 1) {
        d->Box->SelectRecords({});
        if (!rows.isEmpty()) {
            setCurrentIndex(rows.front());
        }
        return;
    }
    std::vector<int64_t> recNos;
    for (int row : rows) {
        recNos.push_back(static_cast<int64_t>(row) + 1);
    }
    try {
        d->Box->SelectRecords(recNos);
    } catch (const fw::Exception& e) {
        reportFailure(QString(), ToQString(e.Message()));
    }
}

void QuireWidget::setCurrentModelIndex(const QModelIndex& index) {
    if (index.isValid() && index.model() == model()) {
        setCurrentIndex(index.row());
    }
}

void QuireWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->Box->SetBounds(0, 0, event->size().width(), event->size().height());
}

void QuireWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!d->Shown) {
        d->Shown = true;
        if (d->PendingDivider >= 0) {
            d->Box->SetDividerPos(d->PendingDivider);
            d->PendingDivider = -1;
        }
    }
}

void QuireWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        applyLook();
    }
}

bool QuireWidget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
        if (watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))) {
            noteSelection();
        }
        break;
    default:
        break;
    }
    return false;
}

// Announces the selected row when it is another than the one announced last.
void QuireWidget::noteSelection() {
    TQuire& box = *d->Box;
    int item = box.ItemIndex();
    QString name =
        item >= 0 && item < box.Items()->Count() ? ToQString(box.Items()->Get(item)) : QString();
    if (item != d->SelectedItem || name != d->SelectedName) {
        d->SelectedItem = item;
        d->SelectedName = name;
        NotifyRowSelected(box);
    }
}

void QuireWidget::applyLook() {
    TQuire& box = *d->Box;
    box.SetColor(FromQColor(palette().color(QPalette::Base)));
    fw::TFont& font = *box.Font();
    QFont qfont = this->font();
    font.SetName(ToString(qfont.family()));
    font.SetHeight(-QFontInfo(qfont).pixelSize());
    fw::TFontStyles style;
    if (qfont.bold()) {
        style.Include(fw::fsBold);
    }
    if (qfont.italic()) {
        style.Include(fw::fsItalic);
    }
    font.SetStyle(style);
    font.SetColor(FromQColor(palette().color(QPalette::Text)));
    box.Invalidate();
}

void QuireWidget::queuePost() {
    if (d->ExternalSource != nullptr || d->PostQueued) {
        return;
    }
    d->PostQueued = true;
    QMetaObject::invokeMethod(
        this, [this] { postModelEdit(); }, Qt::QueuedConnection);
}

void QuireWidget::postModelEdit() {
    d->PostQueued = false;
    fw::TDataSet& data = *d->ModelData;
    if (!data.Active() || (data.State() != fw::dsEdit && data.State() != fw::dsInsert)) {
        return;
    }
    // Rebuilding the rows after the post may hide the focused edit field for a moment,
    // and Qt would hand the focus to the next widget of the window: it comes back.
    QPointer<QWidget> focused = QApplication::focusWidget();
    bool focusInside = focused != nullptr && isAncestorOf(focused);
    try {
        data.Post();
    } catch (const fw::Exception& e) {
        data.Cancel();
        reportFailure(currentFieldName(), ToQString(e.Message()));
    }
    QWidget* now = QApplication::focusWidget();
    if (focusInside && (now == nullptr || !isAncestorOf(now))) {
        if (focused != nullptr && focused->isVisible()) {
            focused->setFocus(Qt::OtherFocusReason);
        } else {
            d->Box->SetFocus();
        }
    }
}

QString QuireWidget::currentFieldName() const {
    int32_t index = d->Box->ItemIndex();
    if (index < 0 || index >= d->Box->Items()->Count()) {
        return QString();
    }
    return ToQString(d->Box->Items()->Get(index));
}

bool QuireWidget::reportFailure(const QString& field, const QString& message) {
    if (isSignalConnected(QMetaMethod::fromSignal(&QuireWidget::editingFailed))) {
        emit editingFailed(field, message);
        return true;
    }
    fw::Application->ShowException("EDatabaseError", ToString(message));
    return false;
}

} // namespace quire
