#include "tests/TestMain.h"

#include <QApplication>
#include <QTest>

namespace tralto::test {

std::vector<TestFactory>& RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace tralto::test

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The program's title, which its message boxes show.
    QApplication::setApplicationName(QStringLiteral("Tralto"));
    int failures = 0;
    for (const auto& factory : tralto::test::RegisteredTests()) {
        const std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
