// SPDX-License-Identifier: MIT
#include "widget/WidgetAccessibility.h"

#include "widget/WidgetValues.h"

#include "platform/qt/QtWindow.h"
#include "quire/box/PropEditInfo.h"
#include "quire/box/Quire.h"
#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>

#include <vector>

namespace quire {

namespace {

// The box behind a host widget; nullptr once its window has been released.
TQuire* BoxOf(QObject* aObject) {
    auto* host = dynamic_cast<fw::qt::IHostWidget*>(aObject);
    if (host == nullptr || host->Window == nullptr) {
        return nullptr;
    }
    return dynamic_cast<TQuire*>(host->Window->Control());
}

QWidget* EditWidgetOf(TQuire& aBox) {
    if (aBox.FSelection == nullptr || aBox.FSelection->FEdit == nullptr) {
        return nullptr;
    }
    auto* window = fw::qt::FromHandle(aBox.FSelection->FEdit->WindowHandle());
    return window != nullptr ? window->Widget() : nullptr;
}

class TBoxAccessible;

class TRowAccessible final : public QAccessibleInterface {
public:
    TRowAccessible(TBoxAccessible& aBox, int aIndex) : FBox(&aBox), FIndex(aIndex) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text aText) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    int Index() const { return FIndex; }

private:
    TBoxAccessible* FBox;
    int FIndex;
};

class TBoxAccessible final : public QAccessibleWidget {
public:
    explicit TBoxAccessible(QWidget* aWidget) : QAccessibleWidget(aWidget, QAccessible::List) {}
    ~TBoxAccessible() override {
        for (QAccessible::Id id : FRowIds) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    TQuire* Box() const { return BoxOf(object()); }
    int RowCount() const { return Box() != nullptr ? Box()->Items()->Count() : 0; }

    int childCount() const override { return RowCount() + (EditChild() != nullptr ? 1 : 0); }
    QAccessibleInterface* child(int aIndex) const override {
        if (aIndex >= 0 && aIndex < RowCount()) {
            return Row(aIndex);
        }
        return aIndex == RowCount() ? EditChild() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* aChild) const override {
        if (auto* row = dynamic_cast<const TRowAccessible*>(aChild); row != nullptr) {
            return row->Index() < RowCount() ? row->Index() : -1;
        }
        return aChild != nullptr && aChild == EditChild() ? RowCount() : -1;
    }
    QAccessibleInterface* focusChild() const override {
        TQuire* box = Box();
        if (box == nullptr || box->ItemIndex() < 0 || box->ItemIndex() >= RowCount()) {
            return nullptr;
        }
        return Row(box->ItemIndex());
    }
    QAccessibleInterface* childAt(int aX, int aY) const override {
        for (int i = 0; i < RowCount(); ++i) {
            if (Row(i)->rect().contains(aX, aY)) {
                return Row(i);
            }
        }
        return nullptr;
    }
    QString text(QAccessible::Text aText) const override {
        QString text = QAccessibleWidget::text(aText);
        if (aText == QAccessible::Name && text.isEmpty()) {
            return QStringLiteral("Properties");
        }
        return text;
    }

    TRowAccessible* Row(int aIndex) const {
        while (static_cast<int>(FRows.size()) <= aIndex) {
            auto* row = new TRowAccessible(const_cast<TBoxAccessible&>(*this),
                                           static_cast<int>(FRows.size()));
            FRowIds.push_back(QAccessible::registerAccessibleInterface(row));
            FRows.push_back(row);
        }
        return FRows[static_cast<size_t>(aIndex)];
    }

private:
    mutable std::vector<TRowAccessible*> FRows;
    mutable std::vector<QAccessible::Id> FRowIds;

    QAccessibleInterface* EditChild() const {
        TQuire* box = Box();
        QWidget* edit = box != nullptr ? EditWidgetOf(*box) : nullptr;
        return edit != nullptr && edit->isVisible() ? QAccessible::queryAccessibleInterface(edit)
                                                    : nullptr;
    }
};

bool TRowAccessible::isValid() const {
    return FBox->Box() != nullptr && FIndex < FBox->RowCount();
}

QWindow* TRowAccessible::window() const {
    return FBox->window();
}

QAccessibleInterface* TRowAccessible::parent() const {
    return FBox;
}

QString TRowAccessible::text(QAccessible::Text aText) const {
    TQuire* box = FBox->Box();
    if (box == nullptr || FIndex >= box->Items()->Count()) {
        return QString();
    }
    switch (aText) {
    case QAccessible::Name:
        return ToQString(box->Items()->Get(FIndex));
    // The value is the description too: the Linux accessibility bridge passes only
    // numbers as values, so this is where a screen reader there reads the text.
    case QAccessible::Value:
    case QAccessible::Description:
        try {
            return ToQString(box->GetEditInfo(FIndex)->GetValue());
        } catch (const std::exception&) {
            return QString();
        }
    default:
        return QString();
    }
}

QRect TRowAccessible::rect() const {
    TQuire* box = FBox->Box();
    if (box == nullptr || FIndex >= box->Items()->Count()) {
        return QRect();
    }
    fw::TRect item = box->ItemRect(FIndex);
    QWidget* widget = static_cast<QWidget*>(FBox->object());
    QPoint origin = widget->mapToGlobal(QPoint(item.Left, item.Top));
    return QRect(origin, QSize(item.Width(), item.Height()));
}

QAccessible::State TRowAccessible::state() const {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    TQuire* box = FBox->Box();
    if (box != nullptr && box->ItemIndex() == FIndex) {
        state.selected = true;
        QWidget* widget = static_cast<QWidget*>(FBox->object());
        QWidget* focus = QApplication::focusWidget();
        state.focused = focus != nullptr && (focus == widget || widget->isAncestorOf(focus));
    }
    return state;
}

QAccessibleInterface* BoxFactory(const QString&, QObject* aObject) {
    if (aObject != nullptr && aObject->isWidgetType() && BoxOf(aObject) != nullptr) {
        return new TBoxAccessible(static_cast<QWidget*>(aObject));
    }
    return nullptr;
}

TAccessibleEventSink& EventSink() {
    static TAccessibleEventSink sink = &QAccessible::updateAccessibility;
    return sink;
}

TBoxAccessible* AccessibleOf(TQuire& aBox) {
    auto* window = fw::qt::FromHandle(aBox.WindowHandle());
    if (window == nullptr) {
        return nullptr;
    }
    return dynamic_cast<TBoxAccessible*>(QAccessible::queryAccessibleInterface(window->Widget()));
}

} // namespace

void SetAccessibleEventSink(TAccessibleEventSink aSink) {
    EventSink() = aSink != nullptr ? aSink : &QAccessible::updateAccessibility;
}

void InstallBoxAccessibility() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(&BoxFactory);
    }
}

void NotifyRowSelected(TQuire& aBox) {
    int item = aBox.ItemIndex();
    if (QWidget* edit = EditWidgetOf(aBox); edit != nullptr) {
        edit->setAccessibleName(item >= 0 && item < aBox.Items()->Count()
                                    ? ToQString(aBox.Items()->Get(item))
                                    : QString());
    }
    TBoxAccessible* box = AccessibleOf(aBox);
    if (box == nullptr || item < 0 || item >= box->RowCount()) {
        return;
    }
    QAccessibleEvent selection(box->Row(item), QAccessible::Selection);
    EventSink()(&selection);
    QAccessibleEvent focus(box->Row(item), QAccessible::Focus);
    EventSink()(&focus);
}

void NotifyRowValueChanged(TQuire& aBox, int aItem) {
    TBoxAccessible* box = AccessibleOf(aBox);
    if (box == nullptr || aItem < 0 || aItem >= box->RowCount()) {
        return;
    }
    QAccessibleValueChangeEvent change(box->Row(aItem), box->Row(aItem)->text(QAccessible::Value));
    EventSink()(&change);
    QAccessibleEvent description(box->Row(aItem), QAccessible::DescriptionChanged);
    EventSink()(&description);
}

} // namespace quire
