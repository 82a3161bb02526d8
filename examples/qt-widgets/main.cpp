// SPDX-License-Identifier: MIT
// A Qt Widgets application that shows the inspector beside a table view, both on one
// QSqlTableModel: choosing a record in the view shows it in the inspector, and a
// value edited in the inspector shows in the view at once.
//
//   qt-widgets-example [--database FILE]    the window (the demo's sample by default)
//   qt-widgets-example --check DIR           a scripted run that checks the above on
//                                            a copy of the sample and writes pictures

#include <Quire/QuireWidget.h>

#include "DemoDatabase.h"

#include "platform/controls/VirtualKeys.h"
#include "platform/qt/InputSimulator.h"
#include "quire/box/PropEditInfo.h"
#include "quire/box/Quire.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlTableModel>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <set>

namespace {

struct TExampleWindow {
    QMainWindow Window;
    QSqlTableModel* Model = nullptr;
    QTableView* View = nullptr;
    quire::QuireWidget* Inspector = nullptr;

    explicit TExampleWindow(const QSqlDatabase& aDatabase) {
        Model = new QSqlTableModel(&Window, aDatabase);
        Model->setTable("Catalogue");
        Model->setEditStrategy(QSqlTableModel::OnFieldChange);
        Model->select();

        auto* splitter = new QSplitter(&Window);
        View = new QTableView(splitter);
        View->setModel(Model);
        View->setSelectionBehavior(QAbstractItemView::SelectRows);
        View->setSelectionMode(QAbstractItemView::SingleSelection);
        View->hideColumn(Model->fieldIndex("Cover"));
        Inspector = new quire::QuireWidget(splitter);
        Inspector->setModel(Model);
        QObject::connect(View->selectionModel(), &QItemSelectionModel::currentRowChanged, Inspector,
                         &quire::QuireWidget::setCurrentModelIndex);
        splitter->setSizes({460, 300});
        Window.setCentralWidget(splitter);
        Window.setWindowTitle("Quire in a Qt application");
        Window.resize(760, 380);
        View->selectRow(0);
    }
};

QSqlDatabase OpenDatabase(const QString& aPath) {
    QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE");
    database.setDatabaseName(aPath);
    if (!database.open()) {
        std::fprintf(stderr, "qt-widgets-example: cannot open %s: %s\n", qPrintable(aPath),
                     qPrintable(database.lastError().text()));
    }
    return database;
}

bool Check(bool aCondition, const char* aWhat) {
    if (!aCondition) {
        std::fprintf(stderr, "qt-widgets-example: check failed: %s\n", aWhat);
    }
    return aCondition;
}

bool SavePicture(QWidget& aWindow, const QString& aPath) {
    QApplication::processEvents();
    bool saved = aWindow.grab().save(aPath);
    return Check(saved, "the picture is written");
}

// At a device pixel ratio of 2 the box is drawn at full resolution, not scaled up: a
// row's text has detail finer than a logical pixel (a picture scaled up from one
// drawn at 1x has none), nothing is blurred (only the text and background colours),
// and the line under a row is two device pixels of one colour.
bool CheckCrispAtScale2(quire::QuireWidget& aInspector) {
    const QImage image = aInspector.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (qRound(image.devicePixelRatio()) != 2) {
        return true;
    }
    quire::TQuire& box = *aInspector.box();
    const int item = box.Items()->IndexOf("Title");
    if (!Check(item >= 0, "the inspector has a Title row")) {
        return false;
    }
    const fw::TPoint client = box.ClientToScreen(fw::TPoint{0, 0});
    const QPoint offset = QPoint(client.X, client.Y) - aInspector.mapToGlobal(QPoint(0, 0));
    const fw::TRect row = box.ItemRect(item);
    const QRect value =
        QRect(box.FDividerPos + 2, row.Top + 1, row.Right - box.FDividerPos - 4, row.Height() - 3)
            .translated(offset);
    std::set<QRgb> colours;
    int finerBlocks = 0;
    for (int y = value.top() * 2; y < value.bottom() * 2; y += 2) {
        for (int x = value.left() * 2; x < value.right() * 2; x += 2) {
            const QRgb corner = image.pixel(x, y);
            colours.insert(corner);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner) {
                ++finerBlocks;
            }
        }
    }
    bool ok = Check(colours.size() == 2, "a row's value shows in two colours, not blurred");
    ok &= Check(finerBlocks > 0, "a row's text is drawn at the full device resolution");

    const int x = (box.FDividerPos - 3 + offset.x()) * 2;
    const QRgb background = image.pixel(x, (row.Top + 2 + offset.y()) * 2);
    int y = (row.Top + 2 + offset.y()) * 2;
    while (y < image.height() && image.pixel(x, y) == background) {
        ++y;
    }
    const QRgb line = image.pixel(x, y);
    int thickness = 0;
    for (; y < image.height() && image.pixel(x, y) == line; ++y) {
        ++thickness;
    }
    ok &= Check(thickness == 2, "the line under a row is two device pixels");
    return ok;
}

// Picks the third book in the view, types a page count into the inspector and
// checks that the view's model shows it; then takes the pictures.
int RunCheck(const QString& aPictureDir, const QString& aSuffix) {
    QTemporaryDir scratch;
    QString path = scratch.filePath("sample.db");
    demo::CreateSampleDatabase(path.toStdString());
    QSqlDatabase database = OpenDatabase(path);
    bool ok = true;
    {
        TExampleWindow example(database);
        example.Window.show();
        QApplication::setActiveWindow(&example.Window);
        QApplication::processEvents();

        example.View->selectRow(2);
        QApplication::processEvents();
        ok &= Check(example.Inspector->currentIndex() == 2, "the inspector follows the view");

        quire::TQuire& box = *example.Inspector->box();
        int item = box.Items()->IndexOf("Pages");
        ok &= Check(item >= 0, "the inspector has a Pages row");
        if (item >= 0) {
            fw::TRect rect = box.ItemRect(item);
            fw::TPoint point{box.FDividerPos + 20, rect.Top + rect.Height() / 2};
            fw::TInputSimulator::Click(box, point);
            fw::TInputSimulator::Click(box, point);
            if (fw::TWinControl* edit = box.FocusedControl(); edit != nullptr) {
                fw::TInputSimulator::Key(*edit, 'A', fw::TShiftState{fw::ssCtrl});
                fw::TInputSimulator::Type(*edit, "777");
                fw::TInputSimulator::Key(*edit, fw::VK_RETURN);
            }
            QApplication::processEvents();
            int column = example.Model->fieldIndex("Pages");
            QModelIndex shown = example.View->model()->index(2, column);
            ok &= Check(shown.data().toInt() == 777, "the view shows the edited value");
        }
        ok &= CheckCrispAtScale2(*example.Inspector);
        QDir().mkpath(aPictureDir);
        ok &= SavePicture(example.Window, aPictureDir + "/example" + aSuffix + ".png");

        QPalette dark;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(45, 45, 48));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(dark);
        QApplication::processEvents();
        ok &= SavePicture(example.Window, aPictureDir + "/example-dark" + aSuffix + ".png");
    }
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption databaseOption("database", "The SQLite file to show.", "file");
    QCommandLineOption checkOption("check", "Run the scripted check, pictures into DIR.", "dir");
    QCommandLineOption suffixOption("suffix", "Added to the pictures' names.", "text");
    parser.addOptions({databaseOption, checkOption, suffixOption});
    parser.process(application);

    if (parser.isSet(checkOption)) {
        return RunCheck(parser.value(checkOption), parser.value(suffixOption));
    }
    QString path = parser.isSet(databaseOption)
                       ? parser.value(databaseOption)
                       : QString::fromStdString(demo::SampleDatabasePath());
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        demo::CreateSampleDatabase(path.toStdString());
    }
    QSqlDatabase database = OpenDatabase(path);
    TExampleWindow example(database);
    example.Window.show();
    return application.exec();
}
