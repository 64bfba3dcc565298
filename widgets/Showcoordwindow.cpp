#include "widgets/Showcoordwindow.h"

#include <QComboBox>
#include <QCoreApplication>

void PostShowCoordWindow(QObject* applicationWindow)
{
    QCoreApplication::postEvent(applicationWindow, new QEvent(WM_SHOWCOORDWINDOW));
}

QComboBox* MakeDimensionList(QWidget* panel, int ownDimension)
{
    auto* list = new QComboBox(panel);
    list->setObjectName(QStringLiteral("Dim_ComboBox"));
    list->setGeometry(0, 0, 41, 21);
    list->addItems({ QStringLiteral("2"), QStringLiteral("3") });
    list->setCurrentIndex(ownDimension == 2 ? 0 : 1);
    list->setAccessibleName(QStringLiteral("Dimension"));
    return list;
}
