#pragma once

// Shared by the evaluator's tests: extended values in Qt Test tables, exact
// comparison with a readable failure, the trace streams captured, and the math
// errors recorded instead of written.

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QTest>

#include "expression/Parser.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(long double)
Q_DECLARE_METATYPE(std::string)

// pi as the evaluator knows it: the double nearest to it.
inline constexpr long double Pi = 3.141592653589793;
inline constexpr long double Infinity = std::numeric_limits<long double>::infinity();
inline constexpr long double NotANumber = std::numeric_limits<long double>::quiet_NaN();

namespace tralto::test {

// Equal bit for bit as far as a value goes: NaN matches NaN, and +0 does not
// match -0, since an error must give +0.
inline bool SameValue(long double actual, long double expected)
{
    if (std::isnan(expected))
        return std::isnan(actual);
    return actual == expected && std::signbit(actual) == std::signbit(expected);
}

inline QByteArray ValueMismatch(long double actual, long double expected)
{
    char text[160];
    std::snprintf(text, sizeof text, "actual %.21Lg, expected %.21Lg", actual, expected);
    return QByteArray(text);
}

#define TRALTO_COMPARE_VALUE(actual, expected)                                                     \
    do {                                                                                           \
        const long double actualValue = (actual);                                                  \
        const long double expectedValue = (expected);                                              \
        QVERIFY2(tralto::test::SameValue(actualValue, expectedValue),                              \
            tralto::test::ValueMismatch(actualValue, expectedValue).constData());                  \
    } while (false)

// The library's own result at run time; a constant argument would let the
// compiler fold the call with a correctly rounded value of its own.
inline long double AtRunTime(long double (*function)(long double), double argument)
{
    volatile double opaque = argument;
    return function(opaque);
}

// Redirects std::cout and std::cerr into strings for its lifetime.
class TraceCapture
{
public:
    TraceCapture()
        : oldOut(std::cout.rdbuf(out.rdbuf()))
        , oldErr(std::cerr.rdbuf(err.rdbuf()))
    {
    }
    ~TraceCapture()
    {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
    }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string Out() const { return out.str(); }
    std::string Err() const { return err.str(); }

private:
    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
};

// The parse error `action` raised, if any.
template <class Action> std::optional<CParseException> CaughtError(Action action)
{
    try {
        action();
    } catch (const CParseException& error) {
        return error;
    }
    return std::nullopt;
}

inline void CompareError(
    const std::optional<CParseException>& error, const QString& message, int code)
{
    QVERIFY2(error.has_value(), "no error raised");
    QCOMPARE(QString(error->what()), message);
    QCOMPARE(int(error->errorCode), code);
}

// The "text → value" tables: columns, a row named after its text, and the
// body: the text evaluates to exactly the value.
inline void AddValueColumns()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<long double>("value");
}

inline void AddValueRow(const char* text, long double value)
{
    QTest::newRow(text) << std::string(text) << value;
}

inline void CompareEvaluation()
{
    QFETCH(std::string, text);
    QFETCH(long double, value);
    const TraceCapture quiet;
    TRALTO_COMPARE_VALUE(EvaluateText(text), value);
}

// Records every math error as "function kind" for its lifetime.
class MathErrorRecorder
{
public:
    MathErrorRecorder()
    {
        SetMathErrorHandler([this](const std::string& function, const std::string& kind) {
            reports.push_back(function + ' ' + kind);
        });
    }
    ~MathErrorRecorder() { SetMathErrorHandler({}); }
    MathErrorRecorder(const MathErrorRecorder&) = delete;
    MathErrorRecorder& operator=(const MathErrorRecorder&) = delete;

    QString Reports() const
    {
        QString joined;
        for (const std::string& report : reports)
            joined += (joined.isEmpty() ? "" : ", ") + QString::fromStdString(report);
        return joined;
    }

private:
    std::vector<std::string> reports;
};

} // namespace tralto::test
