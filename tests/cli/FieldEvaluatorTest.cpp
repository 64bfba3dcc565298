#include "cli/FieldEvaluator.h"
#include "expression/Parser.h"
#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"

#include <QTest>

using namespace std::string_literals;

#include <cmath>
#include <cstring>
#include <string>

// A field of a point file takes exactly the value a window field takes for the same text, or
// is refused where the window would quietly read 0 or only a part of it.
class FieldEvaluatorTest : public QObject
{
    Q_OBJECT

private slots:
    void acceptedTextsTakeTheWindowsValue_data()
    {
        QTest::addColumn<std::string>("text");
        // Plain decimals take the short way; it must give the evaluator's value bit for bit,
        // the sign of zero included. 0.1 would differ in extended precision.
        QTest::newRow("integer") << std::string("3");
        QTest::newRow("decimal at double precision") << std::string("0.1");
        QTest::newRow("negative") << std::string("-1.5");
        QTest::newRow("negative zero") << std::string("-0");
        QTest::newRow("exponent") << std::string("2.5e-3");
        QTest::newRow("exponent as the formatter writes it") << std::string("1.2346E5");
        QTest::newRow("signed exponent") << std::string("3.1416E+0");
        QTest::newRow("trailing point") << std::string("1.");
        QTest::newRow("fifteen digits") << std::string("123456.789012345");
        QTest::newRow("fifteen digits, all nines") << std::string("999999999999.999");
        QTest::newRow("sixteen digits") << std::string("9007199254740993");
        QTest::newRow("fifteen decimals") << std::string("0.000000000000001");
        QTest::newRow("leading zeros count") << std::string("0000000000000.123");
        QTest::newRow("degrees of a point file") << std::string("179.999999");
        QTest::newRow("eighteen digits") << std::string("0.707106781186547546");
        QTest::newRow("long integer") << std::string("123456789012345678901");
        QTest::newRow("smallest double") << std::string("4.9e-324");
        QTest::newRow("below the double range") << std::string("1e-400");
        QTest::newRow("hexadecimal") << std::string("0x1F");
        QTest::newRow("hexadecimal wraps") << std::string("0xFFFFFFFF");
        QTest::newRow("binary") << std::string("0b101");
        QTest::newRow("expression") << std::string("2*pi/3");
        QTest::newRow("function word") << std::string("sqrt 2");
        QTest::newRow("blanks") << std::string(" 1 +\t2 ");
        QTest::newRow("unary minus of an expression") << std::string("-(1/3)");
        QTest::newRow("integer division") << std::string("-7 div 2");
    }
    void acceptedTextsTakeTheWindowsValue()
    {
        QFETCH(std::string, text);
        FieldEvaluator evaluator;
        long double value = 12345;
        std::string problem = "unset";
        QVERIFY2(evaluator.Evaluate(text, value, problem), problem.c_str());
        QCOMPARE(problem, std::string());
        const long double expected = EvaluateText(text);
        QVERIFY(std::memcmp(&value, &expected, 10) == 0);
    }

    void refusedTextsNameTheProblem_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<std::string>("problem");
        QTest::newRow("empty") << std::string() << std::string("empty");
        QTest::newRow("name stuck to a number") << std::string("2pi") << "'2pi' is not a number"s;
        QTest::newRow("two points") << std::string("1.5.3") << "'1.5.3' is not a number"s;
        QTest::newRow("digit then x") << std::string("3x") << "'3x' is not a number"s;
        QTest::newRow("radix without digits") << std::string("0x") << "'0x' is not a number"s;
        QTest::newRow("bad hexadecimal digit")
            << std::string("0x1G") << "bad digit in a hexadecimal or binary number"s;
        QTest::newRow("bad binary digit")
            << std::string("0b102") << "bad digit in a hexadecimal or binary number"s;
        QTest::newRow("unknown name") << std::string("x") << "unknown name 'x'"s;
        QTest::newRow("names are case-sensitive") << std::string("Pi") << "unknown name 'Pi'"s;
        QTest::newRow("unknown name in an expression")
            << std::string("2*pix") << "unknown name 'pix'"s;
        QTest::newRow("two expressions") << std::string("1 2") << "holds more than one expression"s;
        QTest::newRow("open parenthesis")
            << std::string("(1") << "syntax error (a parenthesis missing or left over?)"s;
        QTest::newRow("operator at the end")
            << std::string("1+") << "a number, pi, a function or '(' is missing or out of place"s;
        QTest::newRow("decimal comma")
            << std::string("1,5") << "a decimal comma? --decimal-comma reads it"s;
        QTest::newRow("minus alone")
            << std::string("-") << "a number, pi, a function or '(' is missing or out of place"s;
        QTest::newRow("division by zero") << std::string("7/0") << "division by zero"s;
        QTest::newRow("integer division by a fraction")
            << std::string("7 div 0.5") << "division by zero"s;
        QTest::newRow("square root of a negative")
            << std::string("sqrt(-4)") << "sqrt: DOMAIN error (a negative argument)"s;
        QTest::newRow("natural logarithm of zero, named as written")
            << std::string("ln 0") << "ln: SING error (the logarithm of 0)"s;
        QTest::newRow("decimal logarithm of a negative, named as written")
            << std::string("log(-1)") << "log: DOMAIN error (a negative argument)"s;
        QTest::newRow("arc sine beyond 1")
            << std::string("asin 2") << "asin: DOMAIN error (an argument beyond -1 to 1)"s;
        QTest::newRow("power of zero below zero")
            << std::string("0^-1") << "^: SING error (0 to a negative power)"s;
        QTest::newRow("math error, then division by its NaN")
            << std::string("1/sqrt(-1)") << "sqrt: DOMAIN error (a negative argument)"s;
        QTest::newRow("literal beyond the double range")
            << std::string("1e999") << "'1e999' is beyond the range of numbers (1.8E308)"s;
        QTest::newRow("product beyond the extended range") << std::string(
            "1e300*1e300*1e300*1e300*1e300*1e300*1e300*1e300*1e300*1e300*1e300*"
            "1e300*1e300*1e300*1e300*1e300*1e300") << "the result is beyond the range of numbers"s;
        QTest::newRow("sine of a huge argument says why")
            << std::string("sin 1e16")
            << "sin: no value for an argument of 2^53 (9.007E15) or "
               "more: its period is lost"s;
        QTest::newRow("every periodic function that may be the cause")
            << std::string("cos(1) + tan(2^60) + cos 2")
            << "cos or tan: no value for an argument of 2^53 (9.007E15) or more: its period is "
               "lost"s;
        QTest::newRow("zero byte") << std::string("1\0"
                                                  "2",
            3) << "holds a zero byte"s;
        QTest::newRow("zero byte after a plain number")
            << std::string("1\0", 2) << "holds a zero byte"s;
        QTest::newRow("line break") << std::string("1\n2") << "holds a line break"s;
        QTest::newRow("byte beyond ASCII")
            << std::string("\xff") << "a number, pi, a function or '(' is missing or out of place"s;
        QTest::newRow("nesting too deep") << std::string(1001, '(') + "1" + std::string(1001, ')')
                                          << "parentheses or functions nested too deeply"s;
    }
    void refusedTextsNameTheProblem()
    {
        QFETCH(std::string, text);
        QFETCH(std::string, problem);
        FieldEvaluator evaluator;
        long double value = 0;
        std::string found;
        QVERIFY(!evaluator.Evaluate(text, value, found));
        QCOMPARE(found, problem);
    }

    // With a decimal comma the same texts give the same values; a point is refused, since
    // there it may group thousands.
    void decimalComma_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<std::string>("pointed");
        QTest::addColumn<std::string>("problem");
        QTest::newRow("plain") << std::string("-2,5") << std::string("-2.5") << std::string();
        QTest::newRow("exponent") << std::string("1,5E-3") << std::string("1.5E-3")
                                  << std::string();
        QTest::newRow("expression")
            << std::string("2,5*pi") << std::string("2.5*pi") << std::string();
        QTest::newRow("a point is refused")
            << std::string("1.5") << std::string()
            << "holds a \".\": with --decimal-comma a number is written 2,5"s;
    }
    void decimalComma()
    {
        QFETCH(std::string, text);
        QFETCH(std::string, pointed);
        QFETCH(std::string, problem);
        FieldEvaluator evaluator(true);
        long double value = 0;
        std::string found;
        QCOMPARE(evaluator.Evaluate(text, value, found), problem.empty());
        QCOMPARE(found, problem);
        if (problem.empty())
            QCOMPARE(value, EvaluateText(pointed));
    }

    void mathErrorOfOneFieldDoesNotStickToTheNext()
    {
        FieldEvaluator evaluator;
        long double value = 0;
        std::string problem;
        QVERIFY(!evaluator.Evaluate("sqrt(-1)", value, problem));
        QVERIFY(evaluator.Evaluate("sqrt(4)", value, problem));
        QCOMPARE(value, 2.0L);
    }
};

TRALTO_TEST(FieldEvaluatorTest);
#include "FieldEvaluatorTest.moc"
