#include <QTest>

#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

#include <limits>
#include <sstream>

using tralto::test::MathErrorRecorder;
using tralto::test::TraceCapture;

class TraceTest : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<std::string>("out");
        QTest::addColumn<std::string>("err");
        const auto row = [](const char* text, const char* out, const char* err) {
            QTest::newRow(text) << std::string(text) << std::string(out) << std::string(err);
        };
        row("1+2*3", "", "1\n2\n3\n*\n+\n");
        row("8-4/2^1", "", "8\n4\n2\n/\n1\n^\n-\n");
        row("-(7 div 2) mod 2", "Vorzeichenminus - \n", "7\n2\nDIV \n2\nMOD \n");
        row("--1", "Vorzeichenminus - \nVorzeichenminus - \n", "1\n");
        row("sin 0", "", "0\nSIN : 0\n");
        row("cos 0", "", "0\nCOS : 1\n");
        row("tan 0", "", "0\nTAN : 0\n");
        row("sqrt 2", "", "2\nSQRT: 1.41421\n");
        row("ln 1", "", "1\nLOG : 0\n");
        row("log 100", "", "100\nLOG10 : 2\n");
        row("asin 1", "", "1\naSIN : 1.5708\n");
        row("acos 1", "", "1\naCOS : 0\n");
        row("atan 1", "", "1\naTAN : 0.785398\n");
        row("sin 1e16", "", "1e+16\nSIN : nan\n");
        row("pi", "", "3.14159\n");
        row("abc 5", "", "abc5\n");
        row("0x80000000", "", "-2.14748e+09\n");
        row("7/0", "", "7\n0\n");
    }

    // The same lines on the standard streams (EvaluateText, as the fields evaluate), on the
    // streams of one call and on those of one parser; the standard streams get nothing then.
    void lines()
    {
        QFETCH(std::string, text);
        QFETCH(std::string, out);
        QFETCH(std::string, err);
        const MathErrorRecorder silent;
        {
            const TraceCapture capture;
            EvaluateText(text);
            QCOMPARE(capture.Out(), out);
            QCOMPARE(capture.Err(), err);
        }
        const TraceCapture standard;
        std::ostringstream callOut;
        std::ostringstream callErr;
        EvaluateText(text, { &callOut, &callErr });
        QCOMPARE(callOut.str(), out);
        QCOMPARE(callErr.str(), err);

        std::ostringstream parserOut;
        std::ostringstream parserErr;
        CParser parser({ &parserOut, &parserErr });
        parser.Evaluate(text);
        QCOMPARE(parserOut.str(), out);
        QCOMPARE(parserErr.str(), err);
        QCOMPARE(standard.Out(), std::string());
        QCOMPARE(standard.Err(), std::string());
    }

    // A parser made without streams, and a stream left out, take no trace at all.
    void noTraceWithoutStreams()
    {
        const MathErrorRecorder silent;
        const TraceCapture standard;
        const std::string text = "-sqrt(4) + 1/4";
        CParser parser;
        QCOMPARE(double(parser.Evaluate(text)), -1.75);
        std::ostringstream err;
        EvaluateText(text, { nullptr, &err });
        QCOMPARE(err.str(), std::string("4\nSQRT: 2\n1\n4\n/\n+\n"));
        std::ostringstream out;
        EvaluateText(text, { &out, nullptr });
        QCOMPARE(out.str(), std::string("Vorzeichenminus - \n"));
        QCOMPARE(standard.Out(), std::string());
        QCOMPARE(standard.Err(), std::string());
    }

    // Numbers appear exactly as the error stream writes them by default.
    void numberFormat_data()
    {
        QTest::addColumn<long double>("value");
        const long double infinity = std::numeric_limits<long double>::infinity();
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        const long double values[]
            = { 0.0L, -0.0L, 1.0L / 3.0L, 999999.0L, 999999.5L, 1e6L, -999999.0L, 7.0L, -7.0L, 0.5L,
                  999999.4L, 1048576.0L, 123456.5L, 1234565.0L, 0.0001L, 0.00009999995L, 1e-5L,
                  -2.5e-300L, 1e4000L, 1e-4940L, 65536.0L, infinity, -infinity, nan, -nan };
        for (const long double value : values) {
            char name[64];
            std::snprintf(name, sizeof name, "%.21Lg", value);
            QTest::newRow(name) << value;
        }
    }

    void numberFormat()
    {
        QFETCH(long double, value);
        std::ostringstream expected;
        expected << value << '\n';
        std::ostringstream err;
        CParser parser({ nullptr, &err });
        parser.Emit(CParser::NUMBER, value);
        QCOMPARE(err.str(), expected.str());
    }
};

TRALTO_TEST(TraceTest);
#include "TraceTest.moc"
