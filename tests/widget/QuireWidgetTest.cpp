// SPDX-License-Identifier: MIT
// QuireWidget in a Qt Widgets window: layout, model binding, edits written back
// through the model, bad input reported, model changes and deletion followed, Tab.

#include "Quire/QuireWidget.h"

#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/DataSet.h"
#include "platform/qt/InputSimulator.h"
#include "platform/qt/QtWindow.h"
#include "platform/stdctrls/Button.h"
#include "quire/box/PropEditInfo.h"
#include "quire/box/Quire.h"
#include "quire/editors/EditTextForm.h"
#include "quire/inplace/PickList.h"
#include "widget/WidgetAccessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using quire::QuireWidget;

fw::TButton* ButtonOf(fw::TWinControl& aParent, const fw::String& aCaption) {
    for (int32_t i = 0; i < aParent.ControlCount(); ++i) {
        if (auto* button = dynamic_cast<fw::TButton*>(aParent.Controls(i));
            button != nullptr && button->Caption() == aCaption) {
            return button;
        }
        if (auto* inner = dynamic_cast<fw::TWinControl*>(aParent.Controls(i))) {
            if (fw::TButton* found = ButtonOf(*inner, aCaption)) {
                return found;
            }
        }
    }
    return nullptr;
}

// A model whose content changes in one reset, as a host's new query does.
class TResettableModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    void Replace(const std::function<void()>& aChange) {
        beginResetModel();
        {
            QSignalBlocker quiet(this);
            aChange();
        }
        endResetModel();
    }
};

class QuireWidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "widget_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void SetUp() override {
        Model = std::make_unique<TResettableModel>(0, 3);
        Model->setHorizontalHeaderLabels({"Title", "Pages", "InStock"});
        AddBook("Dune", 412, true);
        AddBook("Emma", 200, false);
        AddBook("Ulysses", 730, true);

        Window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(Window.get());
        Before = new QLineEdit(Window.get());
        Inspector = new QuireWidget(Window.get());
        After = new QLineEdit(Window.get());
        layout->addWidget(Before);
        layout->addWidget(Inspector);
        layout->addWidget(After);
        Window->resize(320, 360);
        Window->show();
        QApplication::setActiveWindow(Window.get());
        fw::Application->ProcessMessages();
    }

    void TearDown() override {
        fw::Application->OnModalShown = nullptr;
        Window.reset();
        Model.reset();
        fw::Application->ClearLastException();
    }

    void AddBook(const QString& aTitle, int aPages, bool aInStock) {
        QList<QStandardItem*> row;
        row << new QStandardItem(aTitle);
        auto* pages = new QStandardItem();
        pages->setData(aPages, Qt::EditRole);
        auto* inStock = new QStandardItem();
        inStock->setData(aInStock, Qt::EditRole);
        row << pages << inStock;
        Model->appendRow(row);
    }

    quire::TQuire& Box() { return *Inspector->box(); }
    int ItemOf(const std::string& aName) { return Box().Items()->IndexOf(aName); }
    std::string ValueOf(const std::string& aName) {
        int item = ItemOf(aName);
        return item < 0 ? "<no row>" : Box().GetEditInfo(item)->GetValue();
    }
    // Clicks the value half of row aName until its edit field has the focus.
    fw::TWinControl* EditOf(const std::string& aName) {
        fw::TRect rect = Box().ItemRect(ItemOf(aName));
        fw::TPoint point{Box().FDividerPos + 20, rect.Top + rect.Height() / 2};
        fw::TInputSimulator::Click(Box(), point);
        fw::TInputSimulator::Click(Box(), point);
        return Box().FocusedControl();
    }
    // Clicks the value half of row aName and types aText with Enter.
    void TypeInto(const std::string& aName, const std::string& aText) {
        fw::TWinControl* edit = EditOf(aName);
        ASSERT_NE(edit, nullptr);
        fw::TInputSimulator::Key(*edit, 'A', fw::TShiftState{fw::ssCtrl});
        fw::TInputSimulator::Type(*edit, aText);
        fw::TInputSimulator::Key(*edit, fw::VK_RETURN);
        QApplication::processEvents();
    }

    // aAct runs on the next pick list or modal form of class T once it is shown.
    template <class T> void OnShown(std::function<void(T&)> aAct) {
        fw::Application->OnModalShown = [this, aAct](fw::TWinControl* aForm) {
            auto* form = dynamic_cast<T*>(aForm);
            ASSERT_NE(form, nullptr) << aForm->ClassName();
            ++Shown;
            aAct(*form);
        };
    }

    std::unique_ptr<TResettableModel> Model;
    std::unique_ptr<QWidget> Window;
    int Shown = 0;
    QLineEdit* Before = nullptr;
    QuireWidget* Inspector = nullptr;
    QLineEdit* After = nullptr;
};

TEST_F(QuireWidgetTest, ShowsTheChosenRowAndWritesTypedValuesIntoTheModel) {
    QSignalSpy rows(Inspector, &QuireWidget::currentRowChanged);
    QSignalSpy values(Inspector, &QuireWidget::valueChanged);
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(1);
    EXPECT_EQ(Box().Width(), Inspector->width());
    EXPECT_EQ(ValueOf("Title"), "Emma");
    EXPECT_EQ(ValueOf("Pages"), "200");
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.last().at(0).toInt(), 1);

    TypeInto("Pages", "321");
    QVariant pages = Model->index(1, 1).data(Qt::EditRole);
    EXPECT_EQ(pages.metaType().id(), QMetaType::Int) << "the model's type is kept";
    EXPECT_EQ(pages.toInt(), 321);
    ASSERT_FALSE(values.isEmpty());
    EXPECT_EQ(values.last().at(0).toString(), "Pages");
    EXPECT_EQ(values.last().at(1).toInt(), 321);
    EXPECT_EQ(Model->index(0, 1).data().toInt(), 412) << "no other record is touched";
    EXPECT_TRUE(Inspector->isAncestorOf(QApplication::focusWidget()))
        << "the focus stays in the inspector while the model takes the value";
}

// Refuses any page count over 999 in the last row, as a model with rules would.
class TStrictModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    bool setData(const QModelIndex& aIndex, const QVariant& aValue, int aRole) override {
        if (aIndex.row() == rowCount() - 1 && aIndex.column() == 1 && aValue.toInt() > 999) {
            return false;
        }
        return QStandardItemModel::setData(aIndex, aValue, aRole);
    }
};

TEST_F(QuireWidgetTest, SeveralRowsShowTheirCommonValuesAndTakeOneValueAllOrNothing) {
    TStrictModel model(0, 3);
    model.setHorizontalHeaderLabels({"Title", "Pages", "InStock"});
    for (int i = 0; i < 3; ++i) {
        model.appendRow({new QStandardItem(QString("Book %1").arg(i)), new QStandardItem(),
                         new QStandardItem()});
        model.setData(model.index(i, 1), 100 * (i + 1), Qt::EditRole);
        model.setData(model.index(i, 2), true, Qt::EditRole);
    }
    Inspector->setModel(&model);
    Inspector->setCurrentIndexes({0, 2});
    EXPECT_EQ(Inspector->currentIndexes(), (QList<int>{0, 2}));
    EXPECT_EQ(ValueOf("Title"), "");
    EXPECT_EQ(ValueOf("InStock"), "True");

    TypeInto("Pages", "555");
    EXPECT_EQ(model.index(0, 1).data().toInt(), 555);
    EXPECT_EQ(model.index(1, 1).data().toInt(), 200) << "a row not chosen is not touched";
    EXPECT_EQ(model.index(2, 1).data().toInt(), 555);
    EXPECT_EQ(ValueOf("Pages"), "555");

    QSignalSpy failures(Inspector, &QuireWidget::editingFailed);
    TypeInto("Pages", "1234");
    EXPECT_EQ(failures.size() + fw::Application->ExceptionCount(), 1);
    EXPECT_EQ(model.index(0, 1).data().toInt(), 555) << "the first row got its value back";
    EXPECT_EQ(model.index(2, 1).data().toInt(), 555);

    Inspector->setCurrentIndexes({1});
    EXPECT_TRUE(Inspector->currentIndexes().isEmpty());
    EXPECT_EQ(ValueOf("Title"), "Book 1");
}

TEST_F(QuireWidgetTest, BadInputIsReportedThroughEditingFailedAndNothingIsWritten) {
    QSignalSpy failures(Inspector, &QuireWidget::editingFailed);
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(0);

    TypeInto("Pages", "many");
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.last().at(0).toString(), "Pages");
    EXPECT_TRUE(failures.last().at(1).toString().contains("many"))
        << failures.last().at(1).toString().toStdString();
    EXPECT_EQ(Model->index(0, 1).data().toInt(), 412);
    EXPECT_EQ(fw::Application->ExceptionCount(), 0) << "the signal took the report";

    Inspector->setCurrentIndex(7);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures.last().at(1).toString().contains("0 to 2"));
    EXPECT_EQ(ValueOf("Title"), "Dune");

    Model->setData(Model->index(2, 1), QStringLiteral("lots")); // no longer a number
    Inspector->setCurrentIndex(2);
    ASSERT_EQ(failures.size(), 3);
    EXPECT_TRUE(failures.last().at(1).toString().contains("lots"));
    EXPECT_EQ(Inspector->currentIndex(), 0) << "the record shown and the cursor stay together";
    EXPECT_EQ(ValueOf("Title"), "Dune");
}

TEST_F(QuireWidgetTest, FollowsModelChangesAndOutlivesTheModel) {
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(2);
    Model->setData(Model->index(2, 0), "Ulysses (2nd ed.)");
    EXPECT_EQ(ValueOf("Title"), "Ulysses (2nd ed.)");

    Model->setHorizontalHeaderLabels({"Name", "Pages", "InStock"});
    EXPECT_EQ(ItemOf("Title"), -1);
    EXPECT_EQ(ValueOf("Name"), "Ulysses (2nd ed.)") << "a changed header re-reads the fields";

    QString longTitle(300, QChar(0x044F)); // 600 bytes: more than a one-line row holds
    Model->setData(Model->index(2, 0), longTitle);
    fw::TField& name = Inspector->dataSource()->DataSet()->FieldByName("Name");
    EXPECT_EQ(name.DataType(), fw::ftMemo) << "a text too long for a one-line row";
    EXPECT_EQ(name.AsString(), longTitle.toStdString()) << "kept whole";

    QWidget other;
    auto* layout = new QVBoxLayout(&other);
    layout->addWidget(Inspector);
    other.resize(250, 200);
    other.show();
    QApplication::processEvents();
    QWidget* boxWidget = fw::qt::FromHandle(Box().WindowHandle())->Widget();
    EXPECT_EQ(boxWidget->window(), &other) << "the box moves with a reparented widget";
    EXPECT_TRUE(boxWidget->isVisible());
    EXPECT_EQ(Box().Width(), Inspector->width());

    Model.reset();
    EXPECT_EQ(Box().Items()->Count(), 0);
    EXPECT_EQ(Inspector->currentIndex(), -1);
    QApplication::processEvents();
}

// A choice made in a pick list or a dialog that was waiting while the model was
// reset or deleted belongs to a record that is no longer shown: it is dropped.
TEST_F(QuireWidgetTest, AChoiceMadeWhileTheModelWasResetOrDeletedIsNotWritten) {
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(0);
    fw::TWinControl* edit = EditOf("InStock");
    ASSERT_NE(edit, nullptr);
    OnShown<quire::TPickListForm>([this](quire::TPickListForm& aList) {
        Model->Replace([this] { Model->removeRow(0); }); // Emma, not in stock, is first now
        aList.ListBox->SetItemIndex(aList.ListBox->Items()->IndexOf("True"));
        fw::TInputSimulator::Key(*aList.ListBox, fw::VK_RETURN);
    });
    fw::TInputSimulator::Key(*edit, fw::VK_DOWN, fw::TShiftState{fw::ssAlt});
    QApplication::processEvents();
    ASSERT_EQ(Shown, 1);
    EXPECT_EQ(ValueOf("Title"), "Emma");
    EXPECT_FALSE(Model->index(0, 2).data(Qt::EditRole).toBool()) << "the choice is dropped";
    EXPECT_TRUE(Model->index(1, 2).data(Qt::EditRole).toBool());
    EXPECT_EQ(ValueOf("InStock"), "False");

    Model->setData(Model->index(0, 0), QString(300, QLatin1Char('e'))); // a memo row
    edit = EditOf("Title");
    ASSERT_NE(edit, nullptr);
    OnShown<quire::TEditTextForm>([this](quire::TEditTextForm& aForm) {
        Model->Replace([this] { Model->setData(Model->index(0, 0), "Emma (new edition)"); });
        fw::TInputSimulator::Type(*aForm.TextMemo, " typed while it changed");
        fw::TButton* ok = ButtonOf(aForm, "OK");
        if (ok == nullptr) {
            ADD_FAILURE() << "the text dialog has no OK button";
            aForm.SetModalResult(fw::mrCancel);
            return;
        }
        fw::TInputSimulator::Click(*ok, fw::TPoint{5, 5});
    });
    fw::TInputSimulator::Key(*edit, fw::VK_RETURN, fw::TShiftState{fw::ssCtrl});
    QApplication::processEvents();
    ASSERT_EQ(Shown, 2);
    EXPECT_EQ(Model->index(0, 0).data().toString(), "Emma (new edition)");
    EXPECT_EQ(ValueOf("Title"), "Emma (new edition)");

    edit = EditOf("InStock");
    ASSERT_NE(edit, nullptr);
    OnShown<quire::TPickListForm>([this](quire::TPickListForm& aList) {
        Model.reset();
        aList.ListBox->SetItemIndex(0);
        fw::TInputSimulator::Key(*aList.ListBox, fw::VK_RETURN);
    });
    fw::TInputSimulator::Key(*edit, fw::VK_DOWN, fw::TShiftState{fw::ssAlt});
    QApplication::processEvents();
    ASSERT_EQ(Shown, 3);
    EXPECT_EQ(Box().Items()->Count(), 0);
    EXPECT_EQ(Inspector->currentIndex(), -1);
}

TEST_F(QuireWidgetTest, ReadOnlyColumnsAndTheDatabaseOfASqlTableModel) {
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "widget_test");
        db.setDatabaseName(dir.filePath("books.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE books (id INTEGER PRIMARY KEY, title VARCHAR(40),"
                           " pages INTEGER, added DATE)");
        QSqlQuery(db).exec("INSERT INTO books (title, pages, added) VALUES ('Dune', 412, NULL)");
        QSqlTableModel table(nullptr, db);
        table.setTable("books");
        table.setEditStrategy(QSqlTableModel::OnManualSubmit);
        ASSERT_TRUE(table.select());

        Inspector->setModel(&table);
        Inspector->setCurrentIndex(0);
        EXPECT_EQ(ValueOf("pages"), "412");
        EXPECT_GE(ItemOf("added"), 0) << "a NULL date still gets its row";
        TypeInto("pages", "500");
        EXPECT_EQ(table.data(table.index(0, 2)).toInt(), 500);
        QSqlQuery stored("SELECT pages FROM books", db);
        ASSERT_TRUE(stored.next());
        EXPECT_EQ(stored.value(0).toInt(), 412) << "kept until submitAll";
        ASSERT_TRUE(table.submitAll());
        QSqlQuery submitted("SELECT pages FROM books", db);
        ASSERT_TRUE(submitted.next());
        EXPECT_EQ(submitted.value(0).toInt(), 500);

        QSqlQueryModel query;
        query.setQuery("SELECT title, pages FROM books", db);
        Inspector->setModel(&query);
        Inspector->setCurrentIndex(0);
        ASSERT_NE(Inspector->dataSource()->DataSet(), nullptr);
        EXPECT_TRUE(Inspector->dataSource()->DataSet()->FieldByName("pages").ReadOnly());
        Inspector->setModel(nullptr);
    }
    QSqlDatabase::removeDatabase("widget_test");
}

TEST_F(QuireWidgetTest, TabEntersAndLeavesTheWidget) {
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(0);
    Before->setFocus();
    QApplication::processEvents();
    QWidget* start = QApplication::focusWidget();
    ASSERT_EQ(start, Before);
    for (int i = 0; i < 4 && QApplication::focusWidget() != After; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        if (i == 0) {
            EXPECT_TRUE(Inspector->isAncestorOf(QApplication::focusWidget()))
                << "Tab from the field above enters the inspector";
        }
    }
    EXPECT_EQ(QApplication::focusWidget(), After) << "Tab leaves the inspector again";
}

std::vector<std::pair<QAccessible::Event, QString>>& HeardEvents() {
    static std::vector<std::pair<QAccessible::Event, QString>> events;
    return events;
}

void HearEvent(QAccessibleEvent* aEvent) {
    QAccessibleInterface* target = aEvent->accessibleInterface();
    HeardEvents().emplace_back(aEvent->type(),
                               target != nullptr ? target->text(QAccessible::Name) : QString());
}

TEST_F(QuireWidgetTest, AScreenReaderHearsTheRowsTheSelectionAndTheEditedRow) {
    Inspector->setModel(Model.get());
    Inspector->setCurrentIndex(0);
    QWidget* boxWidget = fw::qt::FromHandle(Box().WindowHandle())->Widget();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(boxWidget);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_GE(list->childCount(), 3);
    QAccessibleInterface* pages = list->child(ItemOf("Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->text(QAccessible::Name), "Pages");
    EXPECT_EQ(pages->text(QAccessible::Value), "412");
    EXPECT_EQ(list->indexOfChild(pages), ItemOf("Pages"));

    HeardEvents().clear();
    quire::SetAccessibleEventSink(&HearEvent);
    TypeInto("Pages", "413");
    quire::SetAccessibleEventSink(nullptr);
    EXPECT_TRUE(pages->state().selected);
    EXPECT_EQ(list->focusChild(), pages);
    EXPECT_EQ(pages->text(QAccessible::Value), "413");
    auto heard = [](QAccessible::Event aType, const QString& aName) {
        for (const auto& [type, name] : HeardEvents()) {
            if (type == aType && name == aName) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(heard(QAccessible::Focus, "Pages"));
    EXPECT_TRUE(heard(QAccessible::ValueChanged, "Pages"));

    QWidget* edit = QApplication::focusWidget();
    ASSERT_NE(edit, nullptr);
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(edit);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Name), "Pages") << "the edit field names its row";
    EXPECT_GE(list->indexOfChild(field), 0) << "the edit field is one of the list's children";
}

} // namespace
