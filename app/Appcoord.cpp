#include <QApplication>

#include "app/Mainform.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tralto"));
    TMainForm mainForm(QCoreApplication::applicationFilePath());
    mainForm.show();
    return application.exec();
}
