// The least a Qt Widgets program of Tralto's shape costs to start: a main
// window with a menu bar and a multiple-document area holding one maximised
// child window of nine one-line fields. bench/startup.sh measures Tralmain
// against it, so that what Tralto adds on top of Qt stays visible.

#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Start-up floor"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &application, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Options"))->addAction(QStringLiteral("&Format"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Info"));

    auto* area = new QMdiArea;
    window.setCentralWidget(area);
    auto* fields = new QWidget;
    auto* layout = new QGridLayout(fields);
    for (int index = 0; index < 9; ++index)
        layout->addWidget(new QLineEdit, index / 3, index % 3);
    area->addSubWindow(fields)->showMaximized();

    window.showMaximized();
    return application.exec();
}
