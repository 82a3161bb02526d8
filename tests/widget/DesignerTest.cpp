// SPDX-License-Identifier: MIT
// Qt Designer: the plugin lists and creates the widget; a form made with it goes
// through uic, compiles and shows with the properties it sets.

#include "Quire/QuireWidget.h"
#include "ui_BookForm.h"

#include "quire/box/Quire.h"

#include <QApplication>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <gtest/gtest.h>

namespace {

void MakeApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "designer_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

TEST(Designer, PluginListsTheWidgetInDataControlsAndCreatesIt) {
    MakeApplication();
    QPluginLoader loader(QStringLiteral(QUIRE_DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->group(), "Data Controls");
    EXPECT_EQ(plugin->name(), "quire::QuireWidget");
    EXPECT_EQ(plugin->includeFile(), "Quire/QuireWidget.h");
    EXPECT_FALSE(plugin->icon().isNull());
    EXPECT_TRUE(plugin->domXml().contains("quire::QuireWidget"));

    QWidget form;
    QWidget* created = plugin->createWidget(&form);
    ASSERT_NE(qobject_cast<quire::QuireWidget*>(created), nullptr);
    EXPECT_EQ(created->parentWidget(), &form);
}

TEST(Designer, AFormMadeWithTheWidgetShowsWithItsProperties) {
    MakeApplication();
    QWidget form;
    Ui::BookForm ui;
    ui.setupUi(&form);
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(ui.inspector->isReadOnly());
    EXPECT_EQ(ui.inspector->dividerPosition(), 40);
    EXPECT_TRUE(ui.inspector->box()->ReadOnly());
    EXPECT_GT(ui.inspector->height(), 100) << "the layout gives it the room below the label";
}

} // namespace
