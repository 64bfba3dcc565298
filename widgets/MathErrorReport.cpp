#include "widgets/MathErrorReport.h"

#include "expression/Parser.h"
#include "widgets/Messageboxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace MathErrorReport {
namespace {

struct Reports
{
    int pause = PauseMilliseconds;
    QStringList kept;
    // Owned by the application, so that it goes before the application does.
    QPointer<QTimer> timer;
    QList<QPointer<QMessageBox>> shown;
};

Reports& State()
{
    static Reports reports;
    return reports;
}

void ShowKept()
{
    Reports& reports = State();
    const QString title = QFileInfo(QApplication::applicationFilePath()).fileName();
    for (const QString& text : std::as_const(reports.kept)) {
        if (QMessageBox* box
            = MessageBoxes::ShowWithoutFocus(nullptr, { title, text, MessageBoxes::Icon::Stop }))
            reports.shown << box;
    }
    reports.kept.clear();
}

QTimer& Timer()
{
    Reports& reports = State();
    if (reports.timer == nullptr) {
        reports.timer = new QTimer(qApp);
        reports.timer->setSingleShot(true);
        QObject::connect(reports.timer, &QTimer::timeout, reports.timer, &ShowKept);
    }
    reports.timer->setInterval(reports.pause);
    return *reports.timer;
}

} // namespace

void Install(int pauseMilliseconds)
{
    State().pause = pauseMilliseconds;
    SetMathErrorHandler([](const std::string& function, const std::string& kind) {
        Raise(QString::fromStdString(function), QString::fromStdString(kind));
    });
}

void Raise(const QString& function, const QString& kind)
{
    // Several fields can meet the same error in one evaluation: one report.
    const QString text = QStringLiteral("%1: %2 error").arg(function, kind);
    if (!State().kept.contains(text))
        State().kept << text;
    Timer().start();
}

void TextChanged()
{
    Reports& reports = State();
    if (reports.kept.isEmpty() && reports.shown.isEmpty())
        return;
    reports.kept.clear();
    if (reports.timer != nullptr)
        reports.timer->stop();
    for (const QPointer<QMessageBox>& box : std::as_const(reports.shown)) {
        if (box != nullptr)
            box->close();
    }
    reports.shown.clear();
}

} // namespace MathErrorReport
