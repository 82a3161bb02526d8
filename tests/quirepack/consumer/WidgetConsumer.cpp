// SPDX-License-Identifier: MIT
// A Qt application of its own puts the installed inspector in a layout, binds it to
// a QStandardItemModel and checks that it shows the chosen row.
#include <Quire/QuireWidget.h>

#include <QApplication>
#include <QLabel>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardItemModel model(2, 2);
    model.setHorizontalHeaderLabels({"Name", "Age"});
    model.setData(model.index(0, 0), "Ada");
    model.setData(model.index(0, 1), 36);
    model.setData(model.index(1, 0), "Alan");
    model.setData(model.index(1, 1), 41);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel("Person"));
    auto* inspector = new quire::QuireWidget;
    layout->addWidget(inspector);
    inspector->setModel(&model);
    inspector->setCurrentIndex(1);
    window.resize(300, 200);
    window.show();
    QApplication::processEvents();

    if (inspector->currentIndex() != 1 || inspector->width() < 100) {
        std::fprintf(stderr, "widget-consumer: the inspector did not take row 1 in the layout\n");
        return 1;
    }
    std::printf("widget-consumer: the inspector shows row %d at %dx%d\n", inspector->currentIndex(),
                inspector->width(), inspector->height());
    return 0;
}
