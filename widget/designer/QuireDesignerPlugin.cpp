// SPDX-License-Identifier: MIT
#include "QuireDesignerPlugin.h"

#include <Quire/QuireWidget.h>

#include <QIcon>

namespace quire {

QuireDesignerPlugin::QuireDesignerPlugin(QObject* parent) : QObject(parent) {}

QString QuireDesignerPlugin::name() const {
    return QStringLiteral("quire::QuireWidget");
}

QString QuireDesignerPlugin::group() const {
    return QStringLiteral("Data Controls");
}

QString QuireDesignerPlugin::toolTip() const {
    return QStringLiteral("Data-aware property inspector");
}

QString QuireDesignerPlugin::whatsThis() const {
    return QStringLiteral("Shows the fields of the current record of an item model as name | "
                          "value rows and writes edits back into the model.");
}

QString QuireDesignerPlugin::includeFile() const {
    return QStringLiteral("Quire/QuireWidget.h");
}

QIcon QuireDesignerPlugin::icon() const {
    return QIcon(QStringLiteral(":/quire/designer/TQuire.bmp"));
}

bool QuireDesignerPlugin::isContainer() const {
    return false;
}

QWidget* QuireDesignerPlugin::createWidget(QWidget* parent) {
    return new QuireWidget(parent);
}

bool QuireDesignerPlugin::isInitialized() const {
    return FInitialized;
}

void QuireDesignerPlugin::initialize(QDesignerFormEditorInterface*) {
    FInitialized = true;
}

QString QuireDesignerPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="quire::QuireWidget" name="quireWidget">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>240</width><height>320</height></rect>
  </property>
 </widget>
</ui>
)");
}

} // namespace quire
