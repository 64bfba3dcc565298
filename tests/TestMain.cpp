#include "tests/TestMain.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <vector>

namespace tralto::test {

std::vector<TestFactory>& RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace tralto::test

namespace {

bool TakesValue(const QString& option)
{
    return option == QLatin1String("-o") || option == QLatin1String("-maxwarnings")
        || option == QLatin1String("-eventdelay") || option == QLatin1String("-keydelay")
        || option == QLatin1String("-mousedelay");
}

// Test functions named on the command line (arguments that are no options
// or option values); empty when the whole program is to run.
QStringList RequestedFunctions(const QStringList& arguments)
{
    QStringList functions;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            if (TakesValue(argument))
                ++i;
            continue;
        }
        functions << argument.section(QLatin1Char(':'), 0, 0);
    }
    return functions;
}

bool HasAnyFunction(const QObject& test, const QStringList& functions)
{
    const QMetaObject* meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        if (functions.contains(QString::fromLatin1(meta->method(i).name())))
            return true;
    }
    return false;
}

// A report file asked for with "-o file[,format]". Qt Test writes the file
// anew for every class it runs, so each class writes a part of its own and
// the parts are joined into the file at the end.
struct ReportFile
{
    qsizetype argument; // index of the "file,format" argument
    QString path;
    QString format;
    QStringList parts;
};

std::vector<ReportFile> ReportFiles(const QStringList& arguments)
{
    std::vector<ReportFile> reports;
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != QLatin1String("-o"))
            continue;
        const QString& value = arguments[++i];
        const qsizetype comma = value.lastIndexOf(QLatin1Char(','));
        ReportFile report { i, comma < 0 ? value : value.left(comma),
            comma < 0 ? QStringLiteral("txt") : value.mid(comma + 1), {} };
        if (report.path != QLatin1String("-"))
            reports.push_back(report);
    }
    return reports;
}

// XML reports get one root around the classes' elements; the line formats
// simply follow each other.
void JoinParts(const ReportFile& report)
{
    const bool junit = report.format == QLatin1String("junitxml");
    const bool xml = junit || report.format == QLatin1String("xml");
    static const QRegularExpression declaration(QStringLiteral("^\\s*<\\?xml[^>]*\\?>\\s*"));
    QByteArray joined;
    if (xml)
        joined = junit ? "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<testsuites>\n"
                       : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestRun>\n";
    for (const QString& part : report.parts) {
        QFile file(part);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        file.remove();
        if (xml)
            text.remove(declaration);
        joined += text.toUtf8();
    }
    if (xml)
        joined += junit ? "</testsuites>\n" : "</TestRun>\n";
    QFile out(report.path);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(joined);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The program's title, which its message boxes show.
    QApplication::setApplicationName(QStringLiteral("Tralto"));
    const QStringList arguments = QApplication::arguments();
    const QStringList functions = RequestedFunctions(arguments);
    std::vector<ReportFile> reports = ReportFiles(arguments);
    int failures = 0;
    int run = 0;
    for (const auto& factory : tralto::test::RegisteredTests()) {
        const std::unique_ptr<QObject> test = factory();
        if (!functions.isEmpty() && !HasAnyFunction(*test, functions))
            continue;
        QStringList classArguments = arguments;
        for (ReportFile& report : reports) {
            const QString part = QStringLiteral("%1.part%2").arg(report.path).arg(run);
            classArguments[report.argument] = part + QLatin1Char(',') + report.format;
            report.parts << part;
        }
        failures += QTest::qExec(test.get(), classArguments);
        ++run;
    }
    for (const ReportFile& report : reports)
        JoinParts(report);
    return failures == 0 ? 0 : 1;
}
