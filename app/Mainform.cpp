#include "app/Mainform.h"

TMainForm::TMainForm(const QString& programFilePath)
    : programFilePath_(programFilePath)
{
    setWindowTitle(QStringLiteral("Tralto"));
    resize(640, 480);
}
