// SPDX-License-Identifier: MIT
#pragma once
// The Designer plugin: lists QuireWidget in Qt Designer's widget box, in the group
// "Data Controls", with the package's icon, and creates it on forms. Forms that use it
// include <Quire/QuireWidget.h> and link Quire::widget.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace quire {

class QuireDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit QuireDesignerPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    bool FInitialized = false;
};

} // namespace quire
