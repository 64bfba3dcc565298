#include <QTest>

#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

using tralto::test::TraceCapture;

class GrammarTest : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        tralto::test::AddValueColumns();
        const auto row = tralto::test::AddValueRow;
        row("1+2*3", 7);
        row("(1+2)*3", 9);
        row("2^3^2", 64);
        row("2*3^2", 36);
        row("2^3*2", 16);
        row("2^-1", 0.5L);
        row("8/4/2", 1);
        row("8-4-2", 2);
        row("-2^2", 4);
        row("-(2*3)", -6);
        row("-cos 0", -1);
        row("--2", 2);
        row("- -2", 2);
        row("-pi", -Pi);
        row("sin 0 + 1", 1);
        row("sqrt 4^2", 4);
        row("sin(0)*3", 0);
        row("sqrt 16*2", 8);
        row("1 2", 2);
        row("2(3+4)", 7);
        row("2 pi", Pi);
        row("7 div 2", 3);
        row("7 mod 2", 1);
        row("7 div 2 * 3", 9);
        row("1 + 7 mod 4", 4);
        row("((((1+2)*3-4)/5)^2)", 1);
        row("7 DIV 2", 2);
        QTest::newRow("newline ends the text") << std::string("1\n+2") << 1.0L;
        QTest::newRow("tabs between tokens") << std::string("\t 2 \t* \t3") << 6.0L;
    }

    void values() { tralto::test::CompareEvaluation(); }

    void errors_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("code");
        const auto row = [](const char* text, const char* message, int code) {
            QTest::newRow(text) << std::string(text) << QString(message) << code;
        };
        row("sin", "!!FAKTOR", -1);
        row("+2", "!!FAKTOR", -1);
        row("2*+3", "!!FAKTOR", -1);
        row("1+", "!!FAKTOR", -1);
        row("()", "!!FAKTOR", -1);
        row(")", "!!FAKTOR", -1);
        row("1,5", "!!FAKTOR", -1);
        row("div 2", "!!FAKTOR", -1);
        row(".5", "!!FAKTOR", -1);
        row("\xE4", "!!FAKTOR", -1);
        row("(1+2", "!!SYNTAX", -2);
        row("(1 2)", "!!SYNTAX", -2);
        row("7/0", "!!Division/0", -3);
        row("0x1G+1", "!!Hexzahl", -4);
        row("x+1", "!!Operand", -5);
        row("-x", "!!Operand", -5);
        row("sin x", "!!Operand", -5);
        row("3 (x+1)", "!!Operand", -5);
        row("1 + (x)", "!!Operand", -5);
    }

    void errors()
    {
        QFETCH(std::string, text);
        QFETCH(QString, message);
        QFETCH(int, code);
        const TraceCapture quiet;
        CParser parser;
        parser.SetText(text);
        tralto::test::CompareError(
            tralto::test::CaughtError([&] { parser.Parse(); }), message, code);
        TRALTO_COMPARE_VALUE(EvaluateText(text), 0.0L);
    }

    // Rejected words still leave the steps before them on the stack; the
    // evaluation entry discards them with the error.
    void errorClearsStack()
    {
        const TraceCapture quiet;
        CParser parser;
        TRALTO_COMPARE_VALUE(parser.Evaluate("1 2 3 +"), 0.0L);
        QVERIFY(parser.ValueStack().empty());
        TRALTO_COMPARE_VALUE(parser.Evaluate("4 5"), 5.0L);
        QCOMPARE(parser.ValueStack().size(), std::size_t(1));
    }
};

TRALTO_TEST(GrammarTest);
#include "GrammarTest.moc"
