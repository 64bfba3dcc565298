#include "app/Application.h"
#include "app/Mainform.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    TMainForm form(QCoreApplication::applicationFilePath());
    form.show();
    return application.exec();
}
