#pragma once

// A test program holds several Qt Test classes. Each test source registers
// its class with TRALTO_TEST(ClassName); the shared main runs them all in one
// QApplication and fails when any of them fails.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace tralto::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& RegisteredTests();

template <class Test> struct Registration
{
    Registration()
    {
        RegisteredTests().push_back([] { return std::make_unique<Test>(); });
    }
};

} // namespace tralto::test

#define TRALTO_TEST(TestClass)                                                                     \
    static const tralto::test::Registration<TestClass> TestClass##Registration
