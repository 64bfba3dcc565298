#include "tests/TestMain.h"

#include <QApplication>
#include <QMetaMethod>
#include <QStringList>
#include <QTest>

namespace tralto::test {

std::vector<TestFactory>& RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace tralto::test

namespace {

// Test functions named on the command line (arguments that are no options
// or option values); empty when the whole program is to run.
QStringList RequestedFunctions(const QStringList& arguments)
{
    QStringList functions;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("-o") || argument == QLatin1String("-maxwarnings")
                || argument == QLatin1String("-eventdelay")
                || argument == QLatin1String("-keydelay")
                || argument == QLatin1String("-mousedelay"))
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

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The program's title, which its message boxes show.
    QApplication::setApplicationName(QStringLiteral("Tralto"));
    const QStringList functions = RequestedFunctions(QApplication::arguments());
    int failures = 0;
    for (const auto& factory : tralto::test::RegisteredTests()) {
        const std::unique_ptr<QObject> test = factory();
        if (!functions.isEmpty() && !HasAnyFunction(*test, functions))
            continue;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
