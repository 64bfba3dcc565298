#include <QTest>

#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

#include <cmath>
#include <limits>

using tralto::test::MathErrorRecorder;
using tralto::test::TraceCapture;

namespace {

// A result below the normal doubles is the double pow's, computed at run time.
long double PowerOfDouble(double base, double exponent)
{
    volatile double opaque = base;
    return std::pow(opaque, exponent);
}

} // namespace

class MathErrorTest : public QObject
{
    Q_OBJECT

private slots:
    void reports_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<QString>("reports");
        QTest::addColumn<long double>("value");
        const auto row = [](const char* text, const char* reports, long double value) {
            QTest::newRow(text) << std::string(text) << QString(reports) << value;
        };
        row("sqrt(-4)", "sqrt DOMAIN", NotANumber);
        row("sqrt(-0)", "", -0.0L);
        row("ln(-1)", "log DOMAIN", NotANumber);
        row("ln 0", "log SING", -Infinity);
        row("ln (1e-300*1e-300)", "log SING", -Infinity);
        row("log(-1)", "log10 DOMAIN", NotANumber);
        row("log 0", "log10 SING", -Infinity);
        row("asin 2", "asin DOMAIN", NotANumber);
        row("asin(-1.5)", "asin DOMAIN", NotANumber);
        row("acos 2", "acos DOMAIN", NotANumber);
        row("acos(-2)", "acos DOMAIN", NotANumber);
        row("(-8)^(1/3)", "pow DOMAIN", NotANumber);
        row("0^(-1)", "pow SING", Infinity);
        row("-0^-1", "pow SING", -Infinity);
        row("(-0)^-1", "pow SING", -Infinity);
        row("(-0)^-3", "pow SING", -Infinity);
        row("(-0)^-2", "pow SING", Infinity);
        row("(-0)^-0.5", "pow SING", Infinity);
        row("(-0)^-1e400", "pow SING", Infinity);
        row("0^-3", "pow SING", Infinity);
        row("0^-0.5", "pow SING", Infinity);
        row("10^400", "pow OVERFLOW", Infinity);
        row("(-10)^401", "pow OVERFLOW", -Infinity);
        row("2^1024", "pow OVERFLOW", Infinity);
        row("(-8)^3", "", -512);
        row("0^0", "", 1);
        row("1e400^0.5", "", Infinity);
        row("(-1e400)^0.5", "", Infinity);
        row("10^-400", "", 0);
        row("(1e-200)^2", "", 0);
        row("(-1e-200)^3", "", -0.0L);
        row("1/(10^-400)", "", 0);
        row("2^-1074", "", 0x1p-1074L);
        row("2^-1075", "", 0);
        row("3^-670", "", PowerOfDouble(3, -670));
        row("(-3)^-645", "", PowerOfDouble(-3, -645));
        row("2^-1022", "", 0x1p-1022L);
        row("(2^-1022)/2", "", 0x1p-1023L);
        row("sin 1e16", "", NotANumber);
        row("cos 9007199254740992", "", NotANumber);
        row("tan(-1e400)", "", NotANumber);
        row("cos 9007199254740991", "", tralto::test::AtRunTime(cosl, 9007199254740991.0));
        row("atan 1e400", "", tralto::test::AtRunTime(atanl, HUGE_VAL));
        row("1/sqrt(-1)", "sqrt DOMAIN", 0);
        row("sqrt(sqrt(-1))", "sqrt DOMAIN", NotANumber);
        row("sqrt(-1)^0", "sqrt DOMAIN", NotANumber);
        row("1^sqrt(-1)", "sqrt DOMAIN", NotANumber);
        row("ln sqrt(-1)", "sqrt DOMAIN", NotANumber);
        row("asin sqrt(-1)", "sqrt DOMAIN", NotANumber);
        row("sqrt(-1) div 2", "sqrt DOMAIN", 0);
        row("sqrt(-1) + ln 0", "sqrt DOMAIN, log SING", NotANumber);
    }

    void reports()
    {
        QFETCH(std::string, text);
        QFETCH(QString, reports);
        QFETCH(long double, value);
        const TraceCapture quiet;
        const MathErrorRecorder recorder;
        TRALTO_COMPARE_VALUE(EvaluateText(text), value);
        QCOMPARE(recorder.Reports(), reports);
    }

    void defaultHandlerWritesOneLine()
    {
        const TraceCapture capture;
        SetMathErrorHandler({});
        EvaluateText("sqrt(-1)");
        QCOMPARE(capture.Err(), std::string("1\nsqrt: DOMAIN error\nSQRT: nan\n"));
    }

    void emptyHandlerRestoresDefault()
    {
        const TraceCapture capture;
        {
            const MathErrorRecorder recorder;
            EvaluateText("ln 0");
            QCOMPARE(recorder.Reports(), QString("log SING"));
        }
        EvaluateText("log 0");
        QVERIFY(capture.Err().find("log10: SING error\n") != std::string::npos);
        QVERIFY(capture.Err().find("log: SING error") == std::string::npos);
    }
};

TRALTO_TEST(MathErrorTest);
#include "MathErrorTest.moc"
